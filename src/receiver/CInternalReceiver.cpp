// The board's link: open with the baud search, close, transactions and the status records.
#include "receiver/CInternalReceiver.h"

#include <algorithm>
#include <array>
#include <cassert>

#include "platform/Clock.h"

namespace quorrel {
namespace {

// Longest single wait for an operation's result before its flag is looked at again.
constexpr int kResultPollMs = 10;

// Rates tried by the baud search, in this order.
constexpr std::array<std::uint32_t, 6> kSearchRates = {57600, 115200, 9600, 4800, 19200, 38400};
constexpr const char* kNoAnswer = "no answer at 57600, 115200, 9600, 4800, 19200 or 38400 baud";

// The port's device path from the UTF-16 name the application passes.
std::string devicePath(const std::u16string& name) {
    std::string path;
    for (const char16_t c : name) {
        if (c < 0x80) {
            path += char(c);
        } else if (c < 0x800) {
            path += char(0xC0 | (c >> 6));
            path += char(0x80 | (c & 0x3F));
        } else {
            path += char(0xE0 | (c >> 12));
            path += char(0x80 | ((c >> 6) & 0x3F));
            path += char(0x80 | (c & 0x3F));
        }
    }
    return path;
}

std::string nptCommand(int first, int second) {
    return "$PQVXS,NPT," + std::to_string(first ? 1 : 0) + "," + std::to_string(second ? 1 : 0) +
           "\r\n";
}

}  // namespace

CInternalReceiver::CInternalReceiver() : m_session(m_port) {
    m_session.setTimeouts(m_timeouts);
}

CInternalReceiver::~CInternalReceiver() {
    // The reader thread works on this object: it must end before the object goes.
    stopReader();
    if (m_port.isOpen()) m_port.close();
}

void CInternalReceiver::setTimeouts(const LinkTimeouts& timeouts) {
    m_timeouts = timeouts;
    m_session.setTimeouts(timeouts);
}

bool CInternalReceiver::Open(const std::u16string& portName) {
    if (IsConnected()) return true;
    // A link that ended by itself leaves its ended reader and a dead port behind.
    stopReader();
    m_port.close();
    m_session.resume();
    m_open.begin();
    const bool opened = m_open.finish(openLink(devicePath(portName)));
    // A cancel that came after the search found the board leaves no reader running.
    if (!opened && m_open.failure() == OpenFailure::Cancelled) stopReader();
    return opened;
}

bool CInternalReceiver::openLink(const std::string& device) {
    m_poweredOff = false;
    m_port.open(device);
    if (!m_port.isOpen()) return m_open.failDevice(m_port.lastError());
    m_port.purge();
    if (!searchBaudRate()) return m_open.fail(OpenFailure::NoAnswer, kNoAnswer);

    int port = 0;
    int baudCode = 0;
    if (!QueryOwnPort(port, baudCode)) return m_open.fail(OpenFailure::NoAnswer, kNoAnswer);
    if (runQuery("$PQVXQ,NPT\r\n", ReplyKind::Npt)) {
        const NptReply npt = status().npt.get();
        m_savedNpt[0] = npt.first;
        m_savedNpt[1] = npt.second;
    }
    runSetCommand(nptCommand(1, 0));
    StartStandardOutput(port);
    m_nmeaPort = port;
    if (!IsConnected()) return m_open.fail(OpenFailure::Other, "the receiver's link ended");
    return true;
}

// Starts a reader at each rate in turn until the receiver shows signs of life.
bool CInternalReceiver::searchBaudRate() {
    const int attempts = int(kSearchRates.size());
    for (int i = 0; i < attempts && !m_open.isCancelled(); ++i) {
        const std::uint32_t rate = kSearchRates[std::size_t(i)];
        m_open.report({int(rate), i + 1, attempts});
        if (startReader(rate)) {
            int port = 0;
            int baudCode = 0;
            QueryOwnPort(port, baudCode);
            if (m_session.waitAlive(m_timeouts.aliveMs)) return true;
        }
        stopReader();
    }
    return false;
}

bool CInternalReceiver::startReader(std::uint32_t rate) {
    // One reader per receiver: two would share one stop flag and one set of events.
    assert(!m_thread);
    m_session.resetAliveEvent();
    m_port.setBaudRate(rate);
    m_session.prepareStart();
    m_thread = std::make_unique<WorkerThread>(m_session);
    m_open.sleep(m_timeouts.baudSettleMs);
    return m_session.waitStarted(m_timeouts.aliveMs);
}

void CInternalReceiver::stopReader() {
    if (!m_thread) return;
    m_thread->requestStop();
    m_thread->waitForEnd(WorkerThread::kInfinite);
    m_thread.reset();
}

void CInternalReceiver::setOpenObserver(std::function<void(const OpenAttempt&)> observer) {
    m_open.setObserver(std::move(observer));
}

void CInternalReceiver::setTrafficObserver(TrafficObserver observer) {
    m_port.setTrafficObserver(std::move(observer));
}

void CInternalReceiver::cancelOpen() {
    m_open.cancel([this] { m_session.cancel(); });
}

OpenFailure CInternalReceiver::openFailure() const {
    return m_open.failure();
}

std::string CInternalReceiver::openFailureDetail() const {
    return m_open.detail();
}

int CInternalReceiver::addLinkLostListener(std::function<void()> listener) {
    return m_session.addLinkLostListener(std::move(listener));
}

void CInternalReceiver::removeLinkLostListener(int id) {
    m_session.removeLinkLostListener(id);
}

bool CInternalReceiver::Close() {
    // A board that acknowledged its power-off answers nothing more: asking it would only
    // keep the user waiting through two time-outs.
    if (!m_poweredOff) {
        int port = 0;
        int baudCode = 0;
        if (m_outputOwned && QueryOwnPort(port, baudCode)) SetPositionOutput(false, port);
        runSetCommand(nptCommand(m_savedNpt[0], m_savedNpt[1]));
    }
    stopReader();
    if (!m_port.isOpen()) return false;
    return m_port.close();
}

bool CInternalReceiver::IsEpochAvailable() {
    return m_session.waitEpoch(m_timeouts.epochMs);
}

bool CInternalReceiver::GetPosition(PositionRecord& position) {
    position = status().position();
    return true;
}

int CInternalReceiver::GetSatellites(SatelliteTable& satellites) {
    return status().satellites(satellites);
}

bool CInternalReceiver::IsConnected() {
    return m_session.isRunning();
}

bool CInternalReceiver::SetStopOutputOnClose(bool on) {
    m_outputOwned = on;
    return true;
}

bool CInternalReceiver::SetOutputRate(int rate) {
    // A rate of zero or less has no output period.
    if (rate <= 0) return false;
    m_outputRate = rate;
    return true;
}

bool CInternalReceiver::runSetCommand(const std::string& sentence, int timeoutMs) {
    const auto transaction = m_session.beginTransaction(sentence);
    if (!transaction) return false;
    m_session.sendCommand(sentence);
    if (!m_session.waitReply(timeoutMs)) return false;
    return status().ack.load();
}

bool CInternalReceiver::runQuery(const std::string& sentence, ReplyKind kind, int timeoutMs) {
    const auto transaction = m_session.beginTransaction(sentence);
    if (!transaction) return false;
    m_session.sendCommand(sentence);
    if (!m_session.waitReply(timeoutMs)) return false;
    return status().received(kind);
}

bool CInternalReceiver::runCommandWithResult(const std::string& sentence, ResultSource source,
                                             int ackTimeoutMs, int resultTimeoutMs) {
    ReceiverStatus& replies = status();
    const auto transaction = m_session.beginTransaction(sentence);
    if (!transaction) return false;
    replies.operationOk = false;
    replies.awaitResult(source);
    m_session.sendCommand(sentence);
    if (!m_session.waitReply(ackTimeoutMs) || !replies.ack.load()) return false;
    // The result may share one wake of the reply event with the acknowledgement, so the
    // wait goes in short slices that look at operationDone; other replies do not end it.
    const std::uint32_t start = tickCountMs();
    while (!replies.operationDone.load()) {
        const int leftMs = resultTimeoutMs - int(tickCountMs() - start);
        if (leftMs <= 0 || !m_session.isRunning()) return false;
        m_session.waitReply(std::min(leftMs, kResultPollMs));
    }
    return replies.operationOk.load();
}

void CInternalReceiver::sendWithoutWaiting(const std::string& sentence) {
    m_session.sendCommand(sentence);
}

}  // namespace quorrel
