#include "sim/board/NtripClient.h"

#include <utility>

#include "sim/board/NtripResponse.h"

namespace quorrel {

void NtripClient::loadSourceTable(const CasterEndpoint& caster, std::int64_t nowMs, Result done) {
    m_tableDone = std::move(done);
    m_tableSeen = 0;
    m_tableScanned = 0;
    m_tableDeadline = nowMs + m_timeoutMs;
    if (!m_tableLink.open(caster.host, caster.port)) return finishTable(false);
    m_tableLink.send(ntripRequest("", caster.login, caster.password));
}

void NtripClient::finishTable(bool ok) {
    m_tableLink.close();
    m_tableLink.received().clear();
    if (Result done = std::exchange(m_tableDone, nullptr)) done(ok);
}

void NtripClient::processTable(std::int64_t nowMs) {
    if (!m_tableDone) return;
    std::string& received = m_tableLink.received();
    if (received.size() > m_tableSeen) {
        m_tableSeen = received.size();
        m_tableDeadline = nowMs + m_timeoutMs;
    }
    if (received.size() > kTableLimit) return finishTable(false);
    const CasterReply reply = classifyCasterReply(received);
    if (reply.answer == CasterAnswer::Refused || reply.answer == CasterAnswer::Stream)
        return finishTable(false);
    // The caster closes the connection after the table; take it as soon as it is whole.
    // Only new bytes are searched for the end line, so a big table is not scanned over and
    // over.
    const std::size_t from = m_tableScanned > 16 ? m_tableScanned - 16 : 0;
    m_tableScanned = received.size();
    if (received.find("ENDSOURCETABLE", from) != std::string::npos || m_tableLink.fd() < 0) {
        if (std::optional<std::string> table = completeSourceTable(received)) {
            m_table = std::move(*table);
            return finishTable(true);
        }
    }
    if (m_tableLink.status() != TcpClient::Status::Open &&
        m_tableLink.status() != TcpClient::Status::Connecting)
        return finishTable(false);
    if (nowMs >= m_tableDeadline) finishTable(false);
}

void NtripClient::connect(const CasterEndpoint& caster, const std::string& mount,
                          std::int64_t nowMs, Result done) {
    disconnect();
    m_mountDone = std::move(done);
    m_mountDeadline = nowMs + m_timeoutMs;
    if (!m_mount.open(caster.host, caster.port)) return finishMount(false);
    m_mount.send(ntripRequest(mount, caster.login, caster.password));
}

void NtripClient::disconnect() {
    m_mount.close();
    m_mount.received().clear();
    m_headerSeen = false;
    m_streaming = false;
    m_mountDone = nullptr;
}

void NtripClient::finishMount(bool ok) {
    Result done = std::exchange(m_mountDone, nullptr);
    if (!ok) disconnect();
    if (done) done(ok);
}

void NtripClient::loseStream() {
    disconnect();
    if (onStreamLost) onStreamLost();
}

void NtripClient::sendUpstream(const std::string& bytes) {
    if (m_streaming) m_mount.send(bytes);
}

void NtripClient::processMount(std::int64_t nowMs) {
    if (!m_mountDone && !m_streaming) return;
    std::string& received = m_mount.received();
    if (!m_headerSeen) {
        const CasterReply reply = classifyCasterReply(received);
        if (reply.answer == CasterAnswer::SourceTable || reply.answer == CasterAnswer::Refused)
            return finishMount(false);
        if (reply.answer == CasterAnswer::Stream) {
            m_headerSeen = true;
            received.erase(0, reply.headerLength);
        }
    }
    if (m_headerSeen && !received.empty()) {
        const std::size_t bytes = received.size();
        received.clear();
        m_mountDeadline = nowMs + m_timeoutMs;
        if (!m_streaming) {
            m_streaming = true;
            finishMount(true);
        }
        if (onData) onData(bytes);
    }
    const bool gone = m_mount.fd() < 0;
    if (gone || nowMs >= m_mountDeadline) m_streaming ? loseStream() : finishMount(false);
}

void NtripClient::collectSockets(std::vector<TcpClient*>& sockets) {
    if (m_tableLink.fd() >= 0) sockets.push_back(&m_tableLink);
    if (m_mount.fd() >= 0) sockets.push_back(&m_mount);
}

void NtripClient::process(std::int64_t nowMs) {
    processTable(nowMs);
    processMount(nowMs);
}

std::optional<std::int64_t> NtripClient::nextDeadline() const {
    std::optional<std::int64_t> next;
    if (m_tableDone) next = m_tableDeadline;
    if ((m_mountDone || m_streaming) && (!next || m_mountDeadline < *next)) next = m_mountDeadline;
    return next;
}

}  // namespace quorrel
