#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <string>

#include "SimulatedBoard.h"
#include "receiver/CInternalReceiver.h"

namespace quorrel::test {

using Clock = std::chrono::steady_clock;

inline long elapsedMs(Clock::time_point since) {
    return long(
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - since).count());
}

inline std::u16string widen(const std::string& text) {
    return {text.begin(), text.end()};
}

// The board receiver opened on the simulated board, with the board's delays and the
// receiver's waits shortened.
class BoardReceiverTest : public ::testing::Test {
protected:
    BoardReceiverTest() {
        config.timeScale = 0.01;
        config.startWithFix = true;
        timeouts.replyMs = 2000;
        timeouts.aliveMs = 1000;
        timeouts.baudSettleMs = 10;
        timeouts.readSilenceMs = 100;
        receiver.addLinkLostListener([this] { ++linkLost; });
    }
    void TearDown() override {
        receiver.Close();
        if (board) board->stop();
    }

    void startBoard() {
        board = std::make_unique<SimulatedBoard>(config);
        ASSERT_TRUE(board->start());
    }
    bool open() {
        receiver.setTimeouts(timeouts);
        return receiver.Open(widen(board->devicePath()));
    }
    void startAndOpen() {
        startBoard();
        ASSERT_TRUE(open());
        board->clearLog();
    }

    BoardConfig config;
    LinkTimeouts timeouts;
    std::unique_ptr<SimulatedBoard> board;
    CInternalReceiver receiver;
    std::atomic<int> linkLost{0};
};

}  // namespace quorrel::test
