#include "support/LoopbackServer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <cerrno>
#include <chrono>
#include <vector>

namespace quorrel::test {

LoopbackServer::~LoopbackServer() {
    stop();
}

bool LoopbackServer::start() {
    m_listener = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (m_listener < 0) return false;
    const int yes = 1;
    setsockopt(m_listener, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;  // the system picks a free one: parallel tests never collide
    socklen_t length = sizeof address;
    if (::bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(m_listener, 16) != 0 ||
        getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length) != 0 ||
        ::pipe2(m_wake, O_NONBLOCK | O_CLOEXEC) != 0)
        return false;
    m_port = ntohs(address.sin_port);
    m_thread = std::thread([this] { run(); });
    return true;
}

void LoopbackServer::stop() {
    m_stop = true;
    if (m_wake[1] >= 0) (void)!::write(m_wake[1], "x", 1);
    if (m_thread.joinable()) m_thread.join();
    for (auto& [fd, client] : m_clients)
        ::close(fd);
    m_clients.clear();
    for (int fd : {m_listener, m_wake[0], m_wake[1]})
        if (fd >= 0) ::close(fd);
    m_listener = m_wake[0] = m_wake[1] = -1;
}

void LoopbackServer::acceptClients() {
    for (;;) {
        const int fd = ::accept4(m_listener, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) return;
        m_clients[fd] = Client{};
        m_clients[fd].streaming = streamsOnConnect();
        ++m_connections;
    }
}

// False when the client is done with.
bool LoopbackServer::serviceClient(int fd, Client& client, short revents) {
    if (revents & (POLLIN | POLLHUP | POLLERR)) {
        char buffer[8192];
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n <= 0) return false;
        client.in.append(buffer, std::size_t(n));
        std::lock_guard<std::mutex> lock(m_mutex);
        onReceive(client);
    }
    while (!client.out.empty()) {
        const ssize_t n = ::send(fd, client.out.data(), client.out.size(), MSG_NOSIGNAL);
        if (n < 0) return errno == EAGAIN || errno == EINTR;
        client.out.erase(0, std::size_t(n));
    }
    return !client.closeWhenSent;
}

void LoopbackServer::run() {
    using Clock = std::chrono::steady_clock;
    auto nextTick = Clock::now() + std::chrono::milliseconds(tickMs());
    std::vector<pollfd> fds;
    while (!m_stop) {
        fds.clear();
        fds.push_back({m_listener, POLLIN, 0});
        fds.push_back({m_wake[0], POLLIN, 0});
        for (auto& [fd, client] : m_clients)
            fds.push_back({fd, short(POLLIN | (client.out.empty() ? 0 : POLLOUT)), 0});
        const auto wait =
            std::chrono::duration_cast<std::chrono::milliseconds>(nextTick - Clock::now());
        ::poll(fds.data(), fds.size(), std::max<int>(0, int(wait.count())));
        if (fds[0].revents & POLLIN) acceptClients();
        const bool tick = Clock::now() >= nextTick;
        if (tick) nextTick = Clock::now() + std::chrono::milliseconds(tickMs());
        for (std::size_t i = 2; i < fds.size(); ++i) {
            Client& client = m_clients[fds[i].fd];
            if (tick && client.streaming) {
                std::lock_guard<std::mutex> lock(m_mutex);
                onTick(client);
            }
            if (!serviceClient(fds[i].fd, client,
                               fds[i].revents | (client.out.empty() ? 0 : POLLOUT))) {
                ::close(fds[i].fd);
                m_clients.erase(fds[i].fd);
            }
        }
    }
}

}  // namespace quorrel::test
