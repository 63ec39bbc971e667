// Direct IP and NTRIP commands of the receiver board's IP client, and the source table.
#include <algorithm>

#include "platform/Clock.h"
#include "receiver/CInternalReceiver.h"
#include "receiver/SentenceText.h"
#include "receiver/StationList.h"

namespace quorrel {
namespace {

// How often the wait for the source table looks whether more of it came.
constexpr int kTablePollMs = 100;

}  // namespace

bool CInternalReceiver::SetDirectIp(const std::u16string& address, int port) {
    std::string addressText;
    if (!toSentenceText(address, kLinkTextLength, addressText)) return false;
    // The receiver acknowledges once the server has taken the connection.
    return runSetCommand("$PQVXS,DIP,RIP," + addressText + ",PRT," + std::to_string(port) + "\r\n",
                         m_timeouts.directIpMs);
}

bool CInternalReceiver::SetDirectIpEx(const std::u16string& address, int port,
                                      const std::u16string& login, const std::u16string& password) {
    std::string addressText;
    std::string loginText;
    std::string passwordText;
    if (!toSentenceText(address, kLinkTextLength, addressText) ||
        !toSentenceText(login, kLinkTextLength, loginText) ||
        !toSentenceText(password, kLinkTextLength, passwordText))
        return false;
    return runSetCommand("$PQVXS,DIP,RIP," + addressText + ",PRT," + std::to_string(port) +
                         ",LGN," + loginText + ",PWD," + passwordText + "\r\n");
}

bool CInternalReceiver::DirectIpOff() {
    return runSetCommand("$PQVXS,DIP,OFF\r\n");
}

bool CInternalReceiver::QueryDirectIp(std::u16string& address, int& port) {
    if (!runQuery("$PQVXQ,DIP\r\n", ReplyKind::Dip)) return false;
    const DirectIpReply reply = status().directIp.get();
    address = fromReceiverText(reply.address);
    port = reply.port;
    return true;
}

bool CInternalReceiver::QueryDirectIpEx(std::u16string& address, int& port, std::u16string& login,
                                        std::u16string& password) {
    if (!runQuery("$PQVXQ,DIP\r\n", ReplyKind::Dip)) return false;
    const DirectIpReply reply = status().directIp.get();
    address = fromReceiverText(reply.address);
    port = reply.port;
    login = fromReceiverText(reply.login);
    password = fromReceiverText(reply.password);
    return true;
}

bool CInternalReceiver::SetNtripParameters(const std::u16string& address, int port,
                                           const std::u16string& login,
                                           const std::u16string& password, int type) {
    std::string addressText;
    std::string loginText;
    std::string passwordText;
    if (!toSentenceText(address, kLinkTextLength, addressText) ||
        !toSentenceText(login, kLinkTextLength, loginText) ||
        !toSentenceText(password, kLinkTextLength, passwordText))
        return false;
    return runSetCommand("$PQVXS,NTR,PAR,ADD," + addressText + ",PRT," + std::to_string(port) +
                         ",LGN," + loginText + ",PWD," + passwordText + ",TYP," +
                         std::to_string(type) + "\r\n");
}

bool CInternalReceiver::QueryNtripParameters(std::u16string& address, int& port,
                                             std::u16string& login, std::u16string& password) {
    if (!runQuery("$PQVXQ,NTR\r\n", ReplyKind::NtrParameters)) return false;
    const NtripParametersReply reply = status().ntripParameters.get();
    address = fromReceiverText(reply.address);
    port = reply.port;
    login = fromReceiverText(reply.login);
    password = fromReceiverText(reply.password);
    return true;
}

bool CInternalReceiver::ConnectMountPoint(const std::u16string& mountPoint) {
    std::string mountText;
    if (!toSentenceText(mountPoint, kLinkTextLength, mountText)) return false;
    return runCommandWithResult("$PQVXS,NTR,MTP," + mountText + "\r\n", ResultSource::Ntrip,
                                m_timeouts.replyMs, m_timeouts.ntripMs);
}

bool CInternalReceiver::DisconnectMountPoint() {
    return runSetCommand("$PQVXS,NTR,MTP,OFF\r\n");
}

bool CInternalReceiver::QueryMountPoint(std::u16string& mountPoint) {
    if (!runQuery("$PQVXQ,NTR,MTP\r\n", ReplyKind::NtrMountPoint)) return false;
    mountPoint = fromReceiverText(status().mountPoint.get());
    return true;
}

// The table comes at line rate: a large caster's takes far longer than the time-out (690 KB
// are two minutes at 57600 baud), so the time-out counts from the last byte received.
bool CInternalReceiver::runTableQuery() {
    static const std::string kQuery = "$PQVXQ,NTR,TBL\r\n";
    const auto transaction = m_session.beginTransaction(kQuery);
    if (!transaction) return false;
    TableProgress& progress = m_session.tableProgress();
    progress.bytes.store(0);
    progress.stations.store(0);
    m_session.sendCommand(kQuery);
    std::size_t seen = 0;
    std::uint32_t lastByteMs = tickCountMs();
    for (;;) {
        const int leftMs = m_timeouts.ntripMs - int(tickCountMs() - lastByteMs);
        if (leftMs <= 0) return false;
        if (m_session.waitReply(std::min(leftMs, kTablePollMs)))
            return status().received(ReplyKind::NtrSourceTable);
        if (!m_session.isRunning()) return false;
        const std::size_t bytes = progress.bytes.load(std::memory_order_acquire);
        if (bytes == seen) continue;
        seen = bytes;
        lastByteMs = tickCountMs();
        if (m_tableObserver)
            m_tableObserver({bytes, progress.stations.load(std::memory_order_relaxed)});
    }
}

void CInternalReceiver::setSourceTableObserver(
    std::function<void(const SourceTableProgress&)> observer) {
    m_tableObserver = std::move(observer);
}

// The receiver fetches the table from the caster ("OK" once it has it), then hands it over
// the serial link as one block.
bool CInternalReceiver::LoadSourceTable(StationList& stations) {
    if (!runCommandWithResult("$PQVXS,NTR,LOD\r\n", ResultSource::Ntrip, m_timeouts.ntripMs,
                              m_timeouts.ntripMs))
        return false;
    if (!runTableQuery()) return false;
    status().sourceTable.read(
        [&](const std::string& text) { parseSourceTable(text.c_str(), stations); });
    return true;
}

}  // namespace quorrel
