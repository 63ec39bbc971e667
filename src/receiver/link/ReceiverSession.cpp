#include "receiver/link/ReceiverSession.h"

#include <chrono>
#include <cstring>
#include <vector>

#include "receiver/link/SentenceDispatcher.h"
#include "receiver/link/SentenceReader.h"

namespace quorrel {
namespace {

// Bytes of the sentence buffer overwritten after each sentence, so that no stale text can
// pass for a new one.
constexpr std::size_t kScrubBytes = 1000;

}  // namespace

ReceiverSession::ReceiverSession(SerialPort& port) : m_port(port) {}

ReceiverSession::~ReceiverSession() = default;

void ReceiverSession::setTimeouts(const LinkTimeouts& timeouts) {
    m_readSilenceMs = timeouts.readSilenceMs;
}

void ReceiverSession::setLinkLostCallback(std::function<void()> callback) {
    std::lock_guard<std::mutex> guard(m_mutex);
    m_linkLost = std::move(callback);
}

void ReceiverSession::prepareStart() {
    // A stop requested after the last reader had already ended must not end the next one.
    m_stop = false;
    publishEvents(nullptr, Phase::Starting);
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
    const bool lost = !m_stop.exchange(false);
    if (lost) {
        std::function<void()> linkLost;
        {
            std::lock_guard<std::mutex> guard(m_mutex);
            linkLost = m_linkLost;
        }
        if (linkLost) linkLost();
    }
    return 0;
}

// Frames, classifies and dispatches sentences until a stop request or a failed read.
void ReceiverSession::readUntilStopped(Events& events) {
    std::vector<char> buffer(SentenceReader::kBufferSize);
    SentenceReader reader(m_port, m_stop);
    reader.setSilenceMs(m_readSilenceMs);
    reader.setAliveEvent(&events.alive);
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

void ReceiverSession::beginTransaction() {
    if (auto current = events()) current->reply.reset();
    m_status.clearTransactionFlags();
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
