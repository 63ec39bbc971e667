#pragma once

#include <atomic>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>

namespace quorrel::test {

// A TCP server on 127.0.0.1 and a port the system picks, run by one thread: the base of the
// test caster and the test correction server. Subclasses answer what clients send and push
// data on a timer.
class LoopbackServer {
public:
    LoopbackServer() = default;
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;
    virtual ~LoopbackServer();

    bool start();
    // Ends the thread; subclasses call it first in their destructors.
    void stop();
    int port() const { return m_port; }
    int connectionCount() const { return m_connections.load(); }

protected:
    struct Client {
        std::string in;   // received, not yet consumed
        std::string out;  // to be sent
        bool closeWhenSent = false;
        bool streaming = false;  // gets onTick() data
        std::string tag;         // what the subclass keeps about it
    };

    // A client sent bytes (appended to client.in).
    virtual void onReceive(Client& client) = 0;
    // Every tickMs(): data for streaming clients.
    virtual void onTick(Client& client) = 0;
    virtual int tickMs() const { return 100; }
    // Whether a new client gets onTick() data before it asked for anything.
    virtual bool streamsOnConnect() const { return false; }
    std::mutex& mutex() { return m_mutex; }

private:
    void run();
    void acceptClients();
    bool serviceClient(int fd, Client& client, short revents);

    int m_listener = -1;
    int m_port = 0;
    int m_wake[2] = {-1, -1};
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_connections{0};
    std::map<int, Client> m_clients;
    std::mutex m_mutex;  // guards subclass state shared with the test thread
};

}  // namespace quorrel::test
