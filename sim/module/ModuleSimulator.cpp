#include "sim/module/ModuleSimulator.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include "platform/Clock.h"

namespace quorrel {
namespace {

constexpr int kLoopStepMs = 5;

}  // namespace

ModuleSimulator::ModuleSimulator(ModuleSimConfig config)
    : m_config(std::move(config)), m_protocol(m_config.protocol), m_baudRate(m_config.baudRate) {
    m_messageRates.fill(1);
}

ModuleSimulator::~ModuleSimulator() {
    stop();
}

bool ModuleSimulator::start() {
    if (m_thread.joinable()) return true;
    m_pty = std::make_unique<PseudoTerminal>();
    if (!m_pty->isOpen()) return false;
    // Nobody may be reading: output that does not fit is dropped, not waited for.
    const int fd = m_pty->masterFd();
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
    m_input.reset();
    m_startMs = tickCountMs();
    m_stopping = false;
    m_thread = std::thread([this] { loop(); });
    return true;
}

void ModuleSimulator::stop() {
    m_stopping = true;
    if (m_thread.joinable()) m_thread.join();
}

std::string ModuleSimulator::devicePath() const {
    return m_pty ? m_pty->slavePath() : std::string();
}

void ModuleSimulator::refuse(std::uint8_t id) {
    std::lock_guard<std::mutex> guard(m_mutex);
    m_refused.insert(id);
}

void ModuleSimulator::ignore(std::uint8_t id) {
    std::lock_guard<std::mutex> guard(m_mutex);
    m_ignored.insert(id);
}

void ModuleSimulator::corruptChecksum(std::uint8_t id) {
    std::lock_guard<std::mutex> guard(m_mutex);
    m_corrupted.insert(id);
}

void ModuleSimulator::clearFaults() {
    std::lock_guard<std::mutex> guard(m_mutex);
    m_refused.clear();
    m_ignored.clear();
    m_corrupted.clear();
    m_silent = false;
}

void ModuleSimulator::silence(bool on) {
    m_silent = on;
}

void ModuleSimulator::unplug() {
    m_unplugRequested = true;
    // The module's own thread closes the device, so that no read races the close.
    std::unique_lock<std::mutex> lock(m_mutex);
    m_logged.wait_for(lock, std::chrono::seconds(5),
                      [this] { return !m_thread.joinable() || !m_unplugRequested; });
}

std::vector<ModuleLogEntry> ModuleSimulator::received() const {
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_received;
}

void ModuleSimulator::clearReceived() {
    std::lock_guard<std::mutex> guard(m_mutex);
    m_received.clear();
}

bool ModuleSimulator::waitFor(const std::function<bool(const ModuleLogEntry&)>& match,
                              int timeoutMs) const {
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_logged.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] {
        return std::any_of(m_received.begin(), m_received.end(), match);
    });
}

bool ModuleSimulator::waitForMessage(std::uint8_t id, int timeoutMs) const {
    return waitFor([id](const ModuleLogEntry& e) { return e.messageId() == id && id != 0; },
                   timeoutMs);
}

bool ModuleSimulator::waitForSentence(const std::string& prefix, int timeoutMs) const {
    return waitFor(
        [&prefix](const ModuleLogEntry& e) {
            return e.kind == ModuleProtocol::Nmea && e.text().rfind(prefix, 0) == 0;
        },
        timeoutMs);
}

std::vector<std::vector<std::uint8_t>> ModuleSimulator::sentFrames() const {
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_sentFrames;
}

ModuleProtocol ModuleSimulator::protocol() const {
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_protocol;
}

std::uint32_t ModuleSimulator::baudRate() const {
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_baudRate;
}

SimSettings ModuleSimulator::settings() const {
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_settings;
}

bool ModuleSimulator::sbasOn() const {
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_settings.dgpsSource == 1 && m_settings.dgpsMode != 2;
}

bool ModuleSimulator::lineSpeedIsOwn() const {
    const std::uint32_t lineSpeed = m_pty->slaveBaudRate();
    std::lock_guard<std::mutex> guard(m_mutex);
    return lineSpeed == m_baudRate;
}

void ModuleSimulator::loop() {
    std::uint32_t nextEpochMs = tickCountMs();
    bool speedMatched = lineSpeedIsOwn();
    while (!m_stopping) {
        if (m_unplugRequested) {
            m_pty->closeMaster();
            std::lock_guard<std::mutex> guard(m_mutex);
            m_unplugRequested = false;
            m_logged.notify_all();
            break;
        }
        pollfd pfd{m_pty->masterFd(), POLLIN, 0};
        const int ready = ::poll(&pfd, 1, kLoopStepMs);
        // Bytes sent just before the driver changed speed still count as sent at the old one.
        const bool speedNow = lineSpeedIsOwn();
        if (ready > 0 && (pfd.revents & POLLIN)) {
            std::uint8_t buffer[1024];
            const ssize_t n = ::read(m_pty->masterFd(), buffer, sizeof buffer);
            if (n > 0) receive(buffer, std::size_t(n), speedMatched || speedNow);
        } else if (ready > 0) {
            sleepMs(kLoopStepMs);  // nobody on the slave side: nothing to read
        }
        speedMatched = speedNow;
        if (int(tickCountMs() - nextEpochMs) >= 0) {
            sendEpoch();
            nextEpochMs += std::uint32_t(m_config.epochMs);
            if (int(tickCountMs() - nextEpochMs) > m_config.epochMs) nextEpochMs = tickCountMs();
        }
    }
}

void ModuleSimulator::receive(const std::uint8_t* bytes, std::size_t length,
                              bool lineSpeedMatches) {
    if (!lineSpeedMatches) {
        // Garbled at the wrong speed: whatever was half received is lost too.
        m_input.reset();
        return;
    }
    for (const ModuleInputUnit& unit : m_input.push(bytes, length)) {
        if (unit.binary)
            handleFrame(unit.bytes);
        else
            handleLine(unit.bytes);
    }
}

void ModuleSimulator::log(ModuleProtocol kind, const std::vector<std::uint8_t>& bytes) {
    std::lock_guard<std::mutex> guard(m_mutex);
    m_received.push_back({tickCountMs() - m_startMs, kind, m_baudRate, bytes});
    m_logged.notify_all();
}

}  // namespace quorrel
