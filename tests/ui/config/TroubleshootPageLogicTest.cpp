#include <gtest/gtest.h>

#include <functional>

#include "ConfigTestSupport.h"
#include "ui/config/TroubleshootPageLogic.h"

using namespace quorrel;
using test::BoardLink;
using Sentences = std::vector<std::string>;

namespace {

// The board starts its debug recorder within 15 ms; the page waits 300 ms before it asks.
constexpr int kConfirmWaitMs = 300;

BoardConfig quickBoard(bool storageCardPresent) {
    BoardConfig config;
    config.timeScale = 0.01;
    config.storageCardPresent = storageCardPresent;
    return config;
}

// Debug output switched on with `storage` chosen, and given time to start.
void startDebugOutput(BoardLink& link, int storage) {
    link.receiver->SetMemory(storage);
    link.receiver->SetAtlRecording(true);
    std::this_thread::sleep_for(std::chrono::milliseconds(kConfirmWaitMs));
}

struct LoadCase {
    const char* legend;
    bool cardPresent;
    std::function<void(BoardLink&)> arrange;
    TroubleshootValues shown;
    Sentences sent;
};

struct ApplyCase {
    const char* legend;
    bool cardPresent;
    std::function<void(BoardLink&)> arrange;
    TroubleshootValues values;
    std::optional<StringId> message;
    Sentences sent;
};

void expectValues(const TroubleshootValues& actual, const TroubleshootValues& expected) {
    EXPECT_EQ(actual.debugOutput, expected.debugOutput);
    EXPECT_EQ(actual.storageEnabled, expected.storageEnabled);
    EXPECT_EQ(actual.storage, expected.storage);
}

}  // namespace

TEST(TroubleshootPageLogic, OpeningShowsTheRecordingAndStopsAnIdleRecorder) {
    const LoadCase cases[] = {
        {"off: box clear", true, [](BoardLink&) {}, {false, true, 0}, {"$PQVXQ,ATL", "$PQVXQ,MEM"}},
        {"recording onto the card: box ticked, storage fixed",
         true,
         [](BoardLink& l) { startDebugOutput(l, 1); },
         {true, false, 1},
         {"$PQVXQ,ATL", "$PQVXQ,ATL", "$PQVXQ,MEM"}},
        {"on but not recording (no card): switched off",
         false,
         [](BoardLink& l) { startDebugOutput(l, 1); },
         {false, true, 1},
         {"$PQVXQ,ATL", "$PQVXQ,ATL", "$PQVXS,ATL,OFF", "$PQVXQ,MEM"}},
    };
    const TroubleshootPageLogic logic(kConfirmWaitMs);
    for (const LoadCase& c : cases) {
        SCOPED_TRACE(c.legend);
        BoardLink link(quickBoard(c.cardPresent));
        ASSERT_TRUE(link.open());
        c.arrange(link);
        link.board.clearLog();
        expectValues(logic.load(*link.receiver), c.shown);
        EXPECT_EQ(link.received(), c.sent);
    }
}

TEST(TroubleshootPageLogic, OkStoresTheStorageAndConfirmsTheRecording) {
    const auto none = [](BoardLink&) {};
    const ApplyCase cases[] = {
        {"ticked with Storage Card: MEM 1 before ATL ON, confirmed",
         true,
         none,
         {true, true, 1},
         {},
         {"$PQVXS,MEM,1", "$PQVXS,ATL,ON", "$PQVXQ,ATL"}},
        {"not confirmed: off again, with its message",
         false,
         none,
         {true, true, 1},
         kStrErrorRecordingDebug,
         {"$PQVXS,MEM,1", "$PQVXS,ATL,ON", "$PQVXQ,ATL", "$PQVXS,ATL,OFF"}},
        {"confirming query unanswered: not confirmed either, off again with its message",
         false,
         [](BoardLink& l) { l.board.ignore("PQVXQ,ATL"); },
         {true, true, 1},
         kStrErrorRecordingDebug,
         {"$PQVXS,MEM,1", "$PQVXS,ATL,ON", "$PQVXQ,ATL", "$PQVXS,ATL,OFF"}},
        {"box clear: ATL OFF, then the storage",
         true,
         none,
         {false, true, 1},
         {},
         {"$PQVXS,ATL,OFF", "$PQVXS,MEM,1"}},
    };
    const TroubleshootPageLogic logic(kConfirmWaitMs);
    for (const ApplyCase& c : cases) {
        SCOPED_TRACE(c.legend);
        BoardLink link(quickBoard(c.cardPresent));
        ASSERT_TRUE(link.open());
        c.arrange(link);
        EXPECT_EQ(logic.apply(*link.receiver, c.values), c.message);
        EXPECT_EQ(link.received(), c.sent);
    }
}

// The module records no debug data: the box stays clear; OK with it ticked keeps the storage
// choice and cannot confirm, so it says so.
TEST(TroubleshootPageLogic, ExternalReceiverKeepsTheStorageAndCannotConfirm) {
    test::ModuleLink link;
    ASSERT_TRUE(link.open());
    const TroubleshootPageLogic logic(kConfirmWaitMs);
    expectValues(logic.load(*link.receiver), {false, true, 0});
    link.module.clearReceived();
    EXPECT_EQ(logic.apply(*link.receiver, {true, true, 1}), kStrErrorRecordingDebug);
    expectValues(logic.load(*link.receiver), {false, true, 1});
    EXPECT_TRUE(test::receivedIds(link.module).empty());
}
