#pragma once

#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/PseudoTerminal.h"

namespace quorrel::test {

// A tiny scripted peer on the master side of a pty: it logs every line the program writes
// and answers each with whatever its responder returns (nothing for an empty answer).
class ScriptedPeer {
public:
    using Responder = std::function<std::string(const std::string& line)>;

    explicit ScriptedPeer(PseudoTerminal& pty) : m_pty(pty) {
        m_thread = std::thread([this] { run(); });
    }
    ScriptedPeer(const ScriptedPeer&) = delete;
    ScriptedPeer& operator=(const ScriptedPeer&) = delete;
    ~ScriptedPeer() { stop(); }

    void setResponder(Responder responder) {
        std::lock_guard<std::mutex> guard(m_mutex);
        m_responder = std::move(responder);
    }
    // Answers only while the program's side is set to `rate` (0: at any rate).
    void answerOnlyAt(unsigned rate) { m_rate = rate; }

    void write(const std::string& bytes) {
        std::lock_guard<std::mutex> guard(m_writeMutex);
        if (::write(m_pty.masterFd(), bytes.data(), bytes.size()) < 0) return;
    }

    // Every line received so far, without its CR LF.
    std::vector<std::string> received() const {
        std::lock_guard<std::mutex> guard(m_mutex);
        return m_lines;
    }
    void clearReceived() {
        std::lock_guard<std::mutex> guard(m_mutex);
        m_lines.clear();
    }
    // Waits until `count` lines have been received in all.
    bool waitForLines(std::size_t count, int timeoutMs) {
        std::unique_lock<std::mutex> lock(m_mutex);
        return m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                  [&] { return m_lines.size() >= count; });
    }

    // Ends the peer's thread; the pty stays as it is.
    void stop() {
        m_stop = true;
        if (m_thread.joinable()) m_thread.join();
    }

private:
    void run() {
        std::string pending;
        char chunk[4096];
        while (!m_stop) {
            pollfd pfd{m_pty.masterFd(), POLLIN, 0};
            if (::poll(&pfd, 1, 10) <= 0) continue;
            const ssize_t n =
                (pfd.revents & POLLIN) ? ::read(m_pty.masterFd(), chunk, sizeof chunk) : -1;
            if (n <= 0) {  // nobody on the other side: do not spin
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
                continue;
            }
            pending.append(chunk, std::size_t(n));
            for (std::size_t end; (end = pending.find("\r\n")) != std::string::npos;) {
                const std::string line = pending.substr(0, end);
                pending.erase(0, end + 2);
                answer(line);
            }
        }
    }

    void answer(const std::string& line) {
        Responder responder;
        {
            std::lock_guard<std::mutex> guard(m_mutex);
            m_lines.push_back(line);
            responder = m_responder;
        }
        m_changed.notify_all();
        const unsigned rate = m_rate;
        if (!responder || (rate != 0 && m_pty.slaveBaudRate() != rate)) return;
        const std::string reply = responder(line);
        if (!reply.empty()) write(reply);
    }

    PseudoTerminal& m_pty;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::mutex m_writeMutex;
    Responder m_responder;
    std::vector<std::string> m_lines;
    std::atomic<unsigned> m_rate{0};
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

}  // namespace quorrel::test
