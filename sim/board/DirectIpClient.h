#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "sim/board/TcpClient.h"

namespace quorrel {

// A plain TCP connection to a correction server: whatever the server sends is taken as
// correction data.
class DirectIpClient {
public:
    using Result = std::function<void(bool ok)>;

    explicit DirectIpClient(int timeoutMs) : m_timeoutMs(timeoutMs) {}

    // `done(true)` once connected, `done(false)` on refusal or time-out.
    void connect(const std::string& host, int port, std::int64_t nowMs, Result done);
    void disconnect();
    bool isConnected() const { return m_connected; }
    bool isActive() const { return m_link.fd() >= 0; }
    // Correction data keeps coming (seen within the time-out).
    bool isStreaming(std::int64_t nowMs) const;
    void sendUpstream(const std::string& bytes);

    std::function<void(std::size_t bytes)> onData;
    std::function<void()> onLost;

    void collectSockets(std::vector<TcpClient*>& sockets);
    void process(std::int64_t nowMs);
    std::optional<std::int64_t> nextDeadline() const;

private:
    int m_timeoutMs;
    TcpClient m_link;
    Result m_done;
    bool m_connected = false;
    std::int64_t m_deadline = 0;
    std::int64_t m_lastDataMs = -1;
};

}  // namespace quorrel
