#include "sim/board/DirectIpClient.h"

#include <utility>

namespace quorrel {

void DirectIpClient::connect(const std::string& host, int port, std::int64_t nowMs, Result done) {
    disconnect();
    m_done = std::move(done);
    m_deadline = nowMs + m_timeoutMs;
    if (!m_link.open(host, port)) {
        if (Result result = std::exchange(m_done, nullptr)) result(false);
    }
}

void DirectIpClient::disconnect() {
    m_link.close();
    m_link.received().clear();
    m_connected = false;
    m_done = nullptr;
    m_lastDataMs = -1;
}

bool DirectIpClient::isStreaming(std::int64_t nowMs) const {
    return m_connected && m_lastDataMs >= 0 && nowMs - m_lastDataMs < m_timeoutMs;
}

void DirectIpClient::sendUpstream(const std::string& bytes) {
    if (m_connected) m_link.send(bytes);
}

void DirectIpClient::process(std::int64_t nowMs) {
    if (m_done) {
        if (m_link.status() == TcpClient::Status::Open) {
            m_connected = true;
            std::exchange(m_done, nullptr)(true);
        } else if (m_link.fd() < 0 || nowMs >= m_deadline) {
            Result done = std::exchange(m_done, nullptr);
            disconnect();
            return done(false);
        }
    }
    if (!m_connected) return;
    std::string& received = m_link.received();
    if (!received.empty()) {
        const std::size_t bytes = received.size();
        received.clear();
        m_lastDataMs = nowMs;
        if (onData) onData(bytes);
    }
    if (m_link.fd() < 0) {
        disconnect();
        if (onLost) onLost();
    }
}

void DirectIpClient::collectSockets(std::vector<TcpClient*>& sockets) {
    if (m_link.fd() >= 0) sockets.push_back(&m_link);
}

std::optional<std::int64_t> DirectIpClient::nextDeadline() const {
    if (m_done) return m_deadline;
    if (m_connected && m_lastDataMs >= 0) return m_lastDataMs + m_timeoutMs;
    return std::nullopt;
}

}  // namespace quorrel
