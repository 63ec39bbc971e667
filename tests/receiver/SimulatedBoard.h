#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "sim/board/BoardConfig.h"

namespace quorrel {
class BoardSimulator;
}

namespace quorrel::test {

// The simulated board as the receiver's end-to-end tests use it: the few switches and logs
// they need, with the simulator's own headers kept out of the tests.
class SimulatedBoard {
public:
    explicit SimulatedBoard(const BoardConfig& config);
    ~SimulatedBoard();

    bool start();
    void stop();
    const std::string& devicePath() const;
    const BoardConfig& config() const { return m_config; }
    std::uint32_t listeningBaud() const;

    void nak(const std::string& command, int times = -1);
    void ignore(const std::string& command, int times = -1);
    void corruptChecksum(const std::string& reply, int times = -1);
    // Holds back every reply made from now on by `ms` (0: no longer).
    void delayReplies(int ms);
    void unplug();

    std::size_t receivedCount(const std::string& prefix) const;
    bool hasReceived(const std::string& prefix) const;
    // The last line received, without CR LF.
    std::string lastReceived() const;
    // Every line received, without CR LF, oldest first.
    std::vector<std::string> receivedLines() const;
    void clearLog();

private:
    BoardConfig m_config;
    std::unique_ptr<BoardSimulator> m_board;
};

}  // namespace quorrel::test
