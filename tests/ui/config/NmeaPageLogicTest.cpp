#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "ConfigTestSupport.h"
#include "support/QtPrinting.h"
#include "ui/config/NmeaMessagesPageLogic.h"
#include "ui/config/NmeaOutputPageLogic.h"

using namespace quorrel;
using test::BoardLink;
using Sentences = std::vector<std::string>;

namespace {

constexpr int kCom1 = 0, kCom3 = 2, kCom5 = 4;

struct OutputCase {
    const char* legend;
    int portIndex;
    int baudIndex;
    std::optional<bool> messagesOn;  // none: the messages page was never shown
    const char* outputOnC;           // a message the board outputs on port C, or null
    Sentences sent;
};

}  // namespace

TEST(NmeaOutputPageLogic, OkSetsThePortOrNamesTheBluetoothPort) {
    const OutputCase cases[] = {
        {"COM5: port B at the chosen rate",
         kCom5,
         7,
         {},
         nullptr,
         {"$PQVXS,PRT,B,7,ON", "$PQVXQ,PRT,B"}},
        {"COM3: port F", kCom3, 9, false, nullptr, {"$PQVXS,PRT,F,9,ON", "$PQVXQ,PRT,F"}},
        {"COM1 with a message ticked",
         kCom1,
         6,
         true,
         nullptr,
         {"$PQVXS,BTH,PRT,COM1", "$PQVXS,PRT,C,,ON", "$PQVXQ,PRT,C"}},
        {"COM1 with nothing ticked",
         kCom1,
         6,
         false,
         "GGA",
         {"$PQVXS,BTH,PRT,NONE", "$PQVXS,PRT,C,,OFF", "$PQVXQ,PRT,C"}},
        {"COM1, messages unseen, the board outputs GGA there",
         kCom1,
         6,
         {},
         "GGA",
         {"$PQVXQ,NMO,C", "$PQVXS,BTH,PRT,COM1", "$PQVXS,PRT,C,,ON", "$PQVXQ,PRT,C"}},
        {"COM1, messages unseen, only GST there",
         kCom1,
         6,
         {},
         "GST",
         {"$PQVXQ,NMO,C", "$PQVXS,BTH,PRT,NONE", "$PQVXS,PRT,C,,OFF", "$PQVXQ,PRT,C"}},
    };
    const NmeaOutputPageLogic logic;
    for (const OutputCase& c : cases) {
        SCOPED_TRACE(c.legend);
        BoardLink link;
        ASSERT_TRUE(link.open());
        if (c.outputOnC) link.board.setOutput('C', c.outputOnC, 1.0);
        logic.apply(*link.receiver, {c.portIndex, c.baudIndex}, c.messagesOn);
        EXPECT_EQ(link.received(), c.sent);
    }
}

TEST(NmeaOutputPageLogic, OpeningReadsTheBaudRateOfThePortBehindTheRow) {
    BoardLink link;
    ASSERT_TRUE(link.open());
    link.receiver->SetPortBaud(kPortB, 3, 2);
    link.board.clearLog();
    const NmeaOutputPageLogic logic;
    EXPECT_EQ(logic.load(*link.receiver, {kCom5, 6}).baudIndex, 3);
    EXPECT_EQ(link.received(), Sentences({"$PQVXQ,PRT,B"}));

    link.board.ignore("PQVXQ,PRT");
    EXPECT_EQ(logic.load(*link.receiver, {kCom5, 6}).baudIndex, 6) << "unanswered: kept";
}

// The reply carries periods with two decimals: 1.00 is "1 sec"; 0.30 lies between two
// intervals and leaves the row's choice as it was. GST, which the page does not list, is
// never switched off.
TEST(NmeaMessagesPageLogic, ReadsPeriodsAndSwitchesOnlyItsOwnMessages) {
    BoardLink link;
    ASSERT_TRUE(link.open());
    link.board.setOutput('B', "GGA", 1.0);
    link.board.setOutput('B', "GLL", 0.3);
    link.board.setOutput('B', "GST", 1.0);
    link.board.setOutput('B', "ZDA", 60);
    link.board.clearLog();
    const NmeaMessagesPageLogic logic;
    NmeaMessagesValues shown;
    shown.rows[0] = {false, 9};  // GGA: "6 sec" before
    shown.rows[1] = {false, 7};  // GLL: "4 sec" before
    shown.rows[2] = {true, 2};   // GSA: ticked before, not output

    NmeaMessagesValues values = logic.load(*link.receiver, kPortB, shown);
    EXPECT_EQ(link.received(), Sentences({"$PQVXQ,NMO,B"}));
    const NmeaMessageRow expected[] = {{true, 4},  {true, 7},  {false, 2}, {false, 0},
                                       {false, 0}, {false, 0}, {false, 0}, {true, 18}};
    for (int row = 0; row < NmeaMessagesPageLogic::kRowCount; ++row) {
        EXPECT_EQ(values.rows[row].on, expected[row].on) << row;
        EXPECT_EQ(values.rows[row].interval, expected[row].interval) << row;
    }

    link.board.clearLog();
    values.rows[3] = {true, 0};   // GSV at 0.05 s
    values.rows[4] = {true, -1};  // RMC without an interval
    logic.apply(*link.receiver, kPortB, values);
    EXPECT_EQ(link.received(), Sentences({"$PQVXS,NME,GGA,B,ON,1.00", "$PQVXS,NME,GLL,B,ON,4.00",
                                          "$PQVXS,NME,GSA,B,OFF", "$PQVXS,NME,GSV,B,ON,0.05",
                                          "$PQVXS,NME,RMC,B,ON,0.00", "$PQVXS,NME,RRE,B,OFF",
                                          "$PQVXS,NME,VTG,B,OFF", "$PQVXS,NME,ZDA,B,ON,60.00"}));
}

TEST(NmeaMessagesPageLogic, UnansweredQueryClearsTheBoxesAndKeepsTheIntervals) {
    BoardLink link;
    ASSERT_TRUE(link.open());
    link.board.ignore("PQVXQ,NMO");
    NmeaMessagesValues shown;
    shown.rows[5] = {true, 11};
    const NmeaMessagesValues values = NmeaMessagesPageLogic().load(*link.receiver, kPortC, shown);
    EXPECT_FALSE(values.rows[5].on);
    EXPECT_EQ(values.rows[5].interval, 11);
}
