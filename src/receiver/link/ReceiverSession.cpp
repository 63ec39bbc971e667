#include "receiver/link/ReceiverSession.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/InterruptibleSource.h"
#include "receiver/link/SentenceDispatcher.h"
#include "receiver/link/SentenceReader.h"

namespace quorrel {
namespace {

// Bytes of the sentence buffer overwritten after each sentence, so that no stale text can
// pass for a new one.
constexpr std::size_t kScrubBytes = 1000;

// A command by its head and first two fields ("$PQVXS,NTR,MTP"): enough to tell it, without
// the user's text (a password, say) that may follow.
std::string commandName(const std::string& sentence) {
    std::size_t end = 0;
    for (int commas = 0; end < sentence.size(); ++end) {
        const char c = sentence[end];
        if (c == '\r' || c == '\n' || (c == ',' && ++commas == 3)) break;
    }
    return sentence.substr(0, end);
}

}  // namespace

ReceiverSession::ReceiverSession(SerialPort& port) : m_port(port) {}

ReceiverSession::~ReceiverSession() = default;

void ReceiverSession::setTimeouts(const LinkTimeouts& timeouts) {
    m_readSilenceMs = timeouts.readSilenceMs;
}

int ReceiverSession::addLinkLostListener(std::function<void()> listener) {
    return m_linkLost.add(std::move(listener));
}

void ReceiverSession::removeLinkLostListener(int id) {
    m_linkLost.remove(id);
}

void ReceiverSession::prepareStart() {
    std::lock_guard<std::mutex> guard(m_mutex);
    // A stop requested after the last reader had already ended must not end the next one;
    // a cancel must.
    m_stop = m_cancelled;
    m_events = nullptr;
    m_phase = Phase::Starting;
    m_phaseChanged.notify_all();
}

void ReceiverSession::cancel() {
    std::lock_guard<std::mutex> guard(m_mutex);
    m_cancelled = true;
    m_stop = true;
}

void ReceiverSession::resume() {
    std::lock_guard<std::mutex> guard(m_mutex);
    m_cancelled = false;
}

bool ReceiverSession::waitStarted(int timeoutMs) {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_phaseChanged.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                            [this] { return m_phase != Phase::Starting; });
    return m_phase == Phase::Running;
}

bool ReceiverSession::isRunning() const {
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_phase == Phase::Running;
}

void ReceiverSession::requestStop() {
    m_stop = true;
}

std::shared_ptr<ReceiverSession::Events> ReceiverSession::events() const {
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_events;
}

void ReceiverSession::publishEvents(std::shared_ptr<Events> events, Phase phase) {
    std::lock_guard<std::mutex> guard(m_mutex);
    m_events = std::move(events);
    m_phase = phase;
    m_phaseChanged.notify_all();
}

std::uint32_t ReceiverSession::run() {
    if (!m_port.isOpen()) {
        publishEvents(nullptr, Phase::Stopped);
        return 1;
    }
    auto events = std::make_shared<Events>();
    publishEvents(events, Phase::Running);
    readUntilStopped(*events);

    events->epoch.close();
    events->reply.close();
    events->alive.close();
    publishEvents(nullptr, Phase::Stopped);
    if (!m_stop.exchange(false)) m_linkLost.runAll();
    return 0;
}

// Frames, classifies and dispatches sentences until a stop request or a failed read.
void ReceiverSession::readUntilStopped(Events& events) {
    std::vector<char> buffer(SentenceReader::kBufferSize);
    InterruptibleSource source(m_port, m_stop);
    SentenceReader reader(source, m_stop);
    reader.setSilenceMs(m_readSilenceMs);
    reader.setAliveEvent(&events.alive);
    reader.setTableProgress(&m_tableProgress);
    SentenceType type = SentenceType::UNKNOWN;
    while (reader.readSentence(type, buffer.data(), buffer.size())) {
        switch (dispatchSentence(m_status, type, buffer.data(), reader.lastLength())) {
            case SentenceEvent::Reply:
                events.reply.set();
                m_status.publishOperationResult();
                break;
            case SentenceEvent::Epoch:
                events.epoch.set();
                break;
            case SentenceEvent::None:
                break;
        }
        std::memset(buffer.data(), '0', kScrubBytes);
    }
}

ReceiverSession::Transaction ReceiverSession::beginTransaction(const std::string& command) {
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        if (!m_transaction.empty()) {
            // Both would take the other's reply: the second one fails instead, visibly.
            std::fprintf(stderr, "gnss-quorrel: %s refused while %s waits for its reply\n",
                         commandName(command).c_str(), m_transaction.c_str());
            return Transaction();
        }
        m_transaction = commandName(command);
        if (m_transaction.empty()) m_transaction = "(command)";
    }
    if (auto current = events()) current->reply.reset();
    m_status.clearTransactionFlags();
    return Transaction(this);
}

void ReceiverSession::endTransaction() {
    std::lock_guard<std::mutex> guard(m_mutex);
    m_transaction.clear();
}

ReceiverSession::Transaction::~Transaction() {
    if (m_session) m_session->endTransaction();
}

bool ReceiverSession::sendCommand(const std::string& text) {
    if (!m_port.isOpen()) return false;
    std::size_t written = 0;
    return m_port.write(text.data(), text.size(), written) && written == text.size();
}

bool ReceiverSession::waitReply(int timeoutMs) {
    auto current = events();
    return current && current->reply.wait(timeoutMs);
}

bool ReceiverSession::waitAlive(int timeoutMs) {
    auto current = events();
    return current && current->alive.wait(timeoutMs);
}

bool ReceiverSession::waitEpoch(int timeoutMs) {
    auto current = events();
    return current && current->epoch.wait(timeoutMs);
}

void ReceiverSession::resetReplyEvent() {
    if (auto current = events()) current->reply.reset();
}

void ReceiverSession::resetAliveEvent() {
    if (auto current = events()) current->alive.reset();
}

}  // namespace quorrel
