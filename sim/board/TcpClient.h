#pragma once

#include <string>

namespace quorrel {

// A non-blocking IPv4 TCP connection driven by the board's poll loop, as the modem's IP
// stack would run it: connect, send queued bytes, collect what arrives.
class TcpClient {
public:
    enum class Status { Closed, Connecting, Open, Failed };

    TcpClient() = default;
    TcpClient(const TcpClient&) = delete;
    TcpClient& operator=(const TcpClient&) = delete;
    ~TcpClient() { close(); }

    // Starts connecting; false (status Failed) when the host is unknown or no socket is left.
    bool open(const std::string& host, int port);
    void close();
    void send(const std::string& bytes);

    Status status() const { return m_status; }
    // The socket to poll, or -1.
    int fd() const { return m_fd; }
    short pollEvents() const;
    // Acts on what poll reported for fd(); bytes that came in are appended to received().
    void onPoll(short revents);
    std::string& received() { return m_received; }
    // True once the peer ended the connection (the socket is then closed).
    bool peerClosed() const { return m_peerClosed; }

private:
    void fail();
    void flushPending();

    int m_fd = -1;
    Status m_status = Status::Closed;
    std::string m_pending;
    std::string m_received;
    bool m_peerClosed = false;
};

}  // namespace quorrel
