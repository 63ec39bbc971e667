#pragma once

#include <poll.h>
#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "sim/board/Board.h"
#include "sim/board/BoardConfig.h"
#include "sim/board/FaultInjector.h"
#include "sim/board/PtyLink.h"
#include "sim/board/ReceivedLog.h"

namespace quorrel {

// The receiver board on the master side of a pseudo-terminal: the program opens
// devicePath() as its serial port. One thread runs the board's I/O loop (the pty, the IP
// links, the epoch clock); every public call is safe from any other thread.
class BoardSimulator : private BoardOutput {
public:
    explicit BoardSimulator(BoardConfig config = {});
    BoardSimulator(const BoardSimulator&) = delete;
    BoardSimulator& operator=(const BoardSimulator&) = delete;
    ~BoardSimulator() override;

    // Starts the board; false when no pseudo-terminal could be had.
    bool start();
    void stop();
    bool isRunning() const { return m_running.load(); }
    const std::string& devicePath() const { return m_pty.devicePath(); }
    // A symbolic link at `path` to the device (an existing link there is replaced).
    bool createLink(const std::string& path) const;
    const BoardConfig& config() const { return m_config; }
    BoardStatus status() const;

    // State drivers for tests.
    void setCorrectionLink(bool up);
    void forceSolution(std::optional<SolutionKind> kind);
    void setDialAnswers(bool answers);
    // Switches `message` ("GGA", "POS", …) on port `port` at `periodS` seconds (0: off).
    bool setOutput(char port, const std::string& message, double periodS);

    // Fault injection; patterns as FaultInjector describes them.
    void nak(const std::string& command, int times = -1);
    void ignore(const std::string& command, int times = -1);
    void corruptChecksum(const std::string& reply, int times = -1);
    // A silent board sends nothing and acts on nothing (what it receives is still logged).
    void silence(bool on);
    // Closes the device for good: the program's next read fails.
    void unplug();
    void delayReplies(int ms);
    void clearFaults();

    // What the board received at its listening rate since the last clearLog(); waiting
    // returns the first line that begins with `prefix` ("$" optional), at once if it is there.
    std::vector<ReceivedSentence> receivedLog() const { return m_log.entries(); }
    std::optional<ReceivedSentence> waitForReceived(const std::string& prefix,
                                                    int timeoutMs) const {
        return m_log.waitFor(prefix, timeoutMs);
    }
    std::size_t receivedCount(const std::string& prefix) const { return m_log.count(prefix); }
    void clearLog() { m_log.clear(); }

private:
    void send(std::string bytes, OutputKind kind) override;
    void run();
    int planPoll(std::vector<pollfd>& fds, std::vector<TcpClient*>& sockets);
    bool serve(const std::vector<pollfd>& fds, const std::vector<TcpClient*>& sockets);
    void onLine(std::string line);
    void wake() const;
    std::int64_t steadyMs() const;
    static std::int64_t utcMs();

    BoardConfig m_config;
    mutable std::mutex m_mutex;  // the board, the faults and the pty
    PtyLink m_pty;
    Board m_board;
    FaultInjector m_faults;
    ReceivedLog m_log;
    int m_wakeFd = -1;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_running{false};
    std::int64_t m_loopNowMs = 0;
    const std::chrono::steady_clock::time_point m_origin = std::chrono::steady_clock::now();
};

}  // namespace quorrel
