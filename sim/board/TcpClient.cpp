#include "sim/board/TcpClient.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <cerrno>

namespace quorrel {
namespace {

bool resolve(const std::string& host, int port, sockaddr_in& address) {
    address = {};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    if (inet_pton(AF_INET, host.c_str(), &address.sin_addr) == 1) return true;
    // The modem's stack speaks IPv4 only.
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || !found) return false;
    address.sin_addr = reinterpret_cast<sockaddr_in*>(found->ai_addr)->sin_addr;
    freeaddrinfo(found);
    return true;
}

}  // namespace

bool TcpClient::open(const std::string& host, int port) {
    close();
    m_received.clear();
    m_pending.clear();
    m_peerClosed = false;
    sockaddr_in address;
    if (port <= 0 || port > 65535 || host.empty() || !resolve(host, port, address)) {
        m_status = Status::Failed;
        return false;
    }
    m_fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (m_fd < 0) {
        m_status = Status::Failed;
        return false;
    }
    const int rc = ::connect(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    if (rc == 0) {
        m_status = Status::Open;
    } else if (errno == EINPROGRESS) {
        m_status = Status::Connecting;
    } else {
        fail();
        return false;
    }
    return true;
}

void TcpClient::close() {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
    if (m_status != Status::Failed) m_status = Status::Closed;
}

void TcpClient::fail() {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
    m_status = Status::Failed;
}

void TcpClient::send(const std::string& bytes) {
    if (m_fd < 0) return;
    m_pending += bytes;
    if (m_status == Status::Open) flushPending();
}

short TcpClient::pollEvents() const {
    if (m_fd < 0) return 0;
    if (m_status == Status::Connecting) return POLLOUT;
    return static_cast<short>(POLLIN | (m_pending.empty() ? 0 : POLLOUT));
}

void TcpClient::flushPending() {
    while (!m_pending.empty()) {
        const ssize_t n = ::send(m_fd, m_pending.data(), m_pending.size(), MSG_NOSIGNAL);
        if (n > 0) {
            m_pending.erase(0, std::size_t(n));
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EINTR)) return;
        return fail();
    }
}

void TcpClient::onPoll(short revents) {
    if (m_fd < 0 || revents == 0) return;
    if (m_status == Status::Connecting) {
        int error = 0;
        socklen_t length = sizeof error;
        if (getsockopt(m_fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0 || error != 0)
            return fail();
        m_status = Status::Open;
    }
    if (revents & POLLOUT) flushPending();
    if (m_fd < 0 || !(revents & (POLLIN | POLLHUP | POLLERR))) return;
    char buffer[16384];
    for (;;) {
        const ssize_t n = ::recv(m_fd, buffer, sizeof buffer, 0);
        if (n > 0) {
            m_received.append(buffer, std::size_t(n));
            continue;
        }
        if (n == 0) {
            m_peerClosed = true;
            return close();
        }
        if (errno == EAGAIN || errno == EINTR) return;
        return fail();
    }
}

}  // namespace quorrel
