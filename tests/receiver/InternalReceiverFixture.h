#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "link/ScriptedPeer.h"
#include "platform/PseudoTerminal.h"
#include "receiver/CInternalReceiver.h"
#include "receiver/link/Checksum.h"

namespace quorrel::test {

// What the scripted board answers: exact replies for some lines, "$PQVXR,ACK" for every
// other set command unless it is to be refused, silence for every other query.
struct BoardScript {
    std::map<std::string, std::string> replies;
    std::set<std::string> refused;

    std::string operator()(const std::string& line) const {
        if (const auto it = replies.find(line); it != replies.end()) return it->second;
        if (line.rfind("$PQVXS,", 0) != 0) return {};
        return refused.count(line) ? "$PQVXR,NAK\r\n" : "$PQVXR,ACK\r\n";
    }
};

inline std::u16string widen(const std::string& text) {
    return {text.begin(), text.end()};
}

using Clock = std::chrono::steady_clock;

inline long elapsedMs(Clock::time_point since) {
    return long(
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - since).count());
}

// The board receiver on a pty, with a scripted board on the other side and short time-outs.
class InternalReceiverTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(pty.isOpen());
        timeouts.replyMs = 1000;
        timeouts.longReplyMs = 1000;
        timeouts.directIpMs = 1000;
        timeouts.ntripMs = 1000;
        timeouts.aliveMs = 300;
        timeouts.epochMs = 300;
        timeouts.baudSettleMs = 5;
        timeouts.readSilenceMs = 100;
        timeouts.recordingPollMs = 300;
        receiver.setTimeouts(timeouts);
        receiver.addLinkLostListener([this] { ++linkLost; });
        script.replies["$PQVXQ,PRT"] = withChecksum("PQVXR,PRT,B,8");
        script.replies["$PQVXQ,NPT"] = withChecksum("PQVXR,NPT,0,1");
        apply();
    }
    void TearDown() override {
        receiver.Close();
        peer.stop();
    }

    // Hands the current script to the board.
    void apply() { peer.setResponder(script); }
    void answer(const std::string& line, const std::string& reply) {
        script.replies[line] = reply;
        apply();
    }
    void refuse(const std::string& line) {
        script.refused.insert(line);
        apply();
    }

    bool open() { return receiver.Open(widen(pty.slavePath())); }
    // Opens and forgets what the opening sent. The opening waits as long as it needs on a
    // loaded machine; the test's own time-outs apply from then on.
    void openQuietly() {
        LinkTimeouts opening = timeouts;
        opening.replyMs = std::max(timeouts.replyMs, 5000);
        opening.aliveMs = std::max(timeouts.aliveMs, 5000);
        receiver.setTimeouts(opening);
        const bool opened = open();
        receiver.setTimeouts(timeouts);
        ASSERT_TRUE(opened);
        peer.clearReceived();
    }
    std::vector<std::string> sent() const { return peer.received(); }

    LinkTimeouts timeouts;
    PseudoTerminal pty;
    ScriptedPeer peer{pty};
    BoardScript script;
    CInternalReceiver receiver;
    std::atomic<int> linkLost{0};
};

}  // namespace quorrel::test
