#include "support/Str2StrCaster.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <vector>

#include "support/LoopbackCaster.h"

extern char** environ;

namespace quorrel::test {
namespace {

int connectLoopback(int port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    if (fd >= 0 && ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0)
        return fd;
    if (fd >= 0) ::close(fd);
    return -1;
}

// Asks for the source table, which leaves the mount point free.
bool answersSourceTable(int port) {
    const int fd = connectLoopback(port);
    if (fd < 0) return false;
    const std::string request = "GET / HTTP/1.0\r\nUser-Agent: NTRIP probe\r\n\r\n";
    (void)!::send(fd, request.data(), request.size(), MSG_NOSIGNAL);
    pollfd p{fd, POLLIN, 0};
    char buffer[32] = {};
    const bool ok = ::poll(&p, 1, 1000) > 0 && ::recv(fd, buffer, sizeof buffer - 1, 0) > 0 &&
                    std::string(buffer).starts_with("SOURCETABLE");
    ::close(fd);
    return ok;
}

}  // namespace

int freeLoopbackPort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    if (fd >= 0) ::close(fd);
    return port;
}

Str2StrCaster::~Str2StrCaster() {
    stop();
}

bool Str2StrCaster::available() {
    return std::system("command -v str2str >/dev/null 2>&1") == 0;
}

bool Str2StrCaster::start(const std::string& mount, const std::string& strFields) {
    // The port is free when picked but may be taken before str2str binds it: try again.
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int port = freeLoopbackPort();
        if (port > 0 && spawn(mount, strFields, port) && waitUntilServing()) return true;
        stop();
    }
    return false;
}

bool Str2StrCaster::spawn(const std::string& mount, const std::string& strFields, int port) {
    int pair[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pair) != 0) return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pair[1], STDIN_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const std::string out = "ntripc://:" + std::to_string(port) + "/" + mount + ":" + strFields;
    std::vector<char*> argv = {const_cast<char*>("str2str"), const_cast<char*>("-out"),
                               const_cast<char*>(out.c_str()), nullptr};
    const int rc = posix_spawnp(&m_pid, "str2str", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pair[1]);
    if (rc != 0) {
        ::close(pair[0]);
        m_pid = -1;
        return false;
    }
    m_input = pair[0];
    m_port = port;
    m_stop = false;
    m_feeder = std::thread([this] {
        const std::string frame = rtcmFrame();
        while (!m_stop) {
            if (::send(m_input, frame.data(), frame.size(), MSG_NOSIGNAL) < 0 && errno != EAGAIN)
                return;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    });
    return true;
}

bool Str2StrCaster::waitUntilServing() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < deadline) {
        if (answersSourceTable(m_port)) return true;
        if (waitpid(m_pid, nullptr, WNOHANG) == m_pid) {
            m_pid = -1;  // reaped: there is nothing left to stop
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

// Ends the process this object started, and nothing else.
void Str2StrCaster::stop() {
    m_stop = true;
    if (m_feeder.joinable()) m_feeder.join();
    if (m_pid > 0) {
        ::kill(m_pid, SIGTERM);
        bool reaped = false;
        for (int i = 0; i < 40 && !reaped; ++i) {
            reaped = waitpid(m_pid, nullptr, WNOHANG) == m_pid;
            if (!reaped) std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        if (!reaped) {
            ::kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
        }
    }
    if (m_input >= 0) ::close(m_input);
    m_pid = -1;
    m_input = -1;
}

}  // namespace quorrel::test
