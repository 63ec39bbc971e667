#include <gtest/gtest.h>

#include <functional>

#include "ConfigTestSupport.h"
#include "support/QtPrinting.h"
#include "ui/config/GnssPageLogic.h"

using namespace quorrel;
using test::BoardLink;
using Sentences = std::vector<std::string>;

namespace {

const Sentences kOpeningQueries = {"$PQVXQ,GNS,CFG", "$PQVXQ,SBA", "$PQVXQ,PEM", "$PQVXQ,ANP,OWN"};

Sentences operator+(Sentences first, const Sentences& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

struct BoardCase {
    const char* legend;
    bool externalAntenna;
    std::function<void(BoardLink&)> arrange;  // the board's state before the page opens
    std::function<void(GnssValues&)> edit;    // what the user changes before OK
    int trackingMode, antennaRow;
    bool antennaShown;
    std::optional<StringId> message;
    Sentences sent;  // opening queries, then OK
};

}  // namespace

TEST(GnssPageLogic, BoardShowsWhatItReportsAndSendsThePageBack) {
    const auto noChange = [](GnssValues&) {};
    const auto none = [](BoardLink&) {};
    const BoardCase cases[] = {
        {"antenna RZA221771 selects row 2",
         true,
         none,
         noChange,
         1,
         2,
         true,
         {},
         kOpeningQueries + Sentences{"$PQVXS,ANP,OWN,RZA221771", "$PQVXS,GNS,CFG,1",
                                     "$PQVXS,SBA,ON", "$PQVXS,PEM,10"}},
        {"a name not in the table selects Unknown, sent as UNKNOWN",
         true,
         [](BoardLink& l) { l.receiver->SetAntennaName(u"ACME42"); },
         noChange,
         1,
         4,
         true,
         {},
         kOpeningQueries + Sentences{"$PQVXS,ANP,OWN,UNKNOWN", "$PQVXS,GNS,CFG,1", "$PQVXS,SBA,ON",
                                     "$PQVXS,PEM,10"}},
        {"unanswered antenna query: its message and Unknown", true,
         [](BoardLink& l) { l.board.ignore("PQVXQ,ANP"); }, noChange, 1, 4, true,
         kStrCannotGetAntennaName,
         kOpeningQueries + Sentences{"$PQVXS,ANP,OWN,UNKNOWN", "$PQVXS,GNS,CFG,1", "$PQVXS,SBA,ON",
                                     "$PQVXS,PEM,10"}},
        {"no external antenna: no list, no antenna name",
         false,
         none,
         noChange,
         1,
         -1,
         false,
         {},
         Sentences{"$PQVXQ,GNS,CFG", "$PQVXQ,SBA", "$PQVXQ,PEM", "$PQVXS,GNS,CFG,1",
                   "$PQVXS,SBA,ON", "$PQVXS,PEM,10"}},
        {"a mode the list lacks: no row, no tracking mode sent",
         true,
         [](BoardLink& l) { l.receiver->SetTrackingMode(4); },
         noChange,
         -1,
         2,
         true,
         {},
         kOpeningQueries + Sentences{"$PQVXS,ANP,OWN,RZA221771", "$PQVXS,SBA,ON", "$PQVXS,PEM,10"}},
        {"user's choices: abc as elevation sends 0",
         true,
         none,
         [](GnssValues& v) {
             v.trackingMode = 3;
             v.sbas = false;
             v.elevation = "abc";
             v.antennaRow = 0;
         },
         1,
         2,
         true,
         {},
         kOpeningQueries + Sentences{"$PQVXS,ANP,OWN,RZA100", "$PQVXS,GNS,CFG,3", "$PQVXS,SBA,OFF",
                                     "$PQVXS,PEM,0"}},
    };
    const GnssPageLogic logic(DeviceClass::OtherCode);
    for (const BoardCase& c : cases) {
        SCOPED_TRACE(c.legend);
        BoardConfig config;
        config.externalAntenna = c.externalAntenna;
        BoardLink link(config);
        ASSERT_TRUE(test::openWithAntennaReports(link));
        c.arrange(link);
        link.board.clearLog();

        GnssValues values = logic.load(*link.receiver);
        EXPECT_EQ(values.trackingMode, c.trackingMode);
        EXPECT_TRUE(values.sbas);
        EXPECT_TRUE(values.elevationShown);
        EXPECT_EQ(values.elevation, "10");
        EXPECT_EQ(values.antennaShown, c.antennaShown);
        EXPECT_EQ(values.antennaRow, c.antennaRow);
        EXPECT_EQ(values.message, c.message);
        c.edit(values);
        logic.apply(*link.receiver, values);
        EXPECT_EQ(link.received(), c.sent);
    }
}

// The module offers one tracking mode and no elevation or antenna rows; OK sends only SBAS
// (the module's DGPS source and DGPS control commands), never a tracking mode.
TEST(GnssPageLogic, ExternalReceiverShowsOneModeAndSendsOnlySbas) {
    test::ModuleLink link;
    ASSERT_TRUE(link.open());
    const GnssPageLogic logic(DeviceClass::Code0143);
    EXPECT_EQ(logic.trackingModes(), QStringList({"GPS L1"}));
    link.module.clearReceived();

    GnssValues values = logic.load(*link.receiver);
    EXPECT_EQ(values.trackingMode, 0);
    EXPECT_FALSE(values.elevationShown);
    EXPECT_FALSE(values.antennaShown);
    EXPECT_EQ(test::receivedIds(link.module),
              std::vector<int>({ModuleId::kPollNavigationParameters}));

    link.module.clearReceived();
    values.sbas = !values.sbas;
    values.elevation = "15";
    logic.apply(*link.receiver, values);
    EXPECT_EQ(test::receivedIds(link.module),
              std::vector<int>({ModuleId::kDgpsSource, ModuleId::kDgpsControl}));
    EXPECT_EQ(link.module.sbasOn(), values.sbas);
}
