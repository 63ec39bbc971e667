#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "BoardReceiverFixture.h"
#include "receiver/GreatCircle.h"
#include "receiver/SourceTableBrowse.h"
#include "receiver/StationList.h"
#include "support/LoopbackCaster.h"

using namespace quorrel;
using namespace quorrel::test;

TEST(GreatCircle, DistancesOnTheSphere) {
    struct Case {
        const char* legend;
        double lat1, lon1, lat2, lon2;
        double expectedM;
    } cases[] = {
        {"same point (cosine rounds past 1)", 48.137154, 11.576124, 48.137154, 11.576124, 0.0},
        {"one degree along the equator", 0, 0, 0, 1, 111194.93},
        {"pole to pole", 90, 0, -90, 0, 20015086.80},
        {"antipodes", 10, 20, -10, -160, 20015086.70},
        {"Munich to Berlin", 48.137154, 11.576124, 52.520008, 13.404954, 504300.83},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(greatCircleDistanceM(c.lat1, c.lon1, c.lat2, c.lon2), c.expectedM, 1.0)
            << c.legend;
}

namespace {

class SourceTableBrowseTest : public BoardReceiverTest {
protected:
    void SetUp() override {
        caster.setSourceTableLines(stationLines(3, 48.0, 11.0));
        ASSERT_TRUE(caster.start());
        startAndOpen();
        ASSERT_TRUE(receiver.SetNtripParameters(u"prev.example", 2101, u"me", u"secret", 0));
        board->clearLog();
        request.caster = {u"127.0.0.1", caster.port(), u"", u""};
    }
    // The commands the board received after the modem preparation, heads only.
    std::vector<std::string> ntripLines() const {
        std::vector<std::string> lines;
        for (const std::string& line : board->receivedLines())
            if (line.find(",NTR") != std::string::npos) lines.push_back(line);
        return lines;
    }
    std::string restoreLine() const {
        return "$PQVXS,NTR,PAR,ADD,prev.example,PRT,2101,LGN,me,PWD,secret,TYP,0";
    }

    LoopbackCaster caster;
    BrowseRequest request;
    StationList stations;
};

}  // namespace

TEST_F(SourceTableBrowseTest, LoadsFromTheCasterThenPutsThePreviousCasterBack) {
    SourceTableBrowse browse(receiver);
    ASSERT_EQ(browse.load(request, stations), BrowseOutcome::Loaded);
    EXPECT_EQ(stations.count(), 3u);
    EXPECT_TRUE(browse.needsRestore());
    EXPECT_FALSE(board->hasReceived(restoreLine())) << "restored before the caller was done";
    browse.restore();
    browse.restore();  // once only
    const std::string port = std::to_string(caster.port());
    EXPECT_EQ(ntripLines(),
              (std::vector<std::string>{
                  "$PQVXQ,NTR", "$PQVXS,NTR,PAR,ADD,127.0.0.1,PRT," + port + ",LGN,,PWD,,TYP,0",
                  "$PQVXS,NTR,LOD", "$PQVXQ,NTR,TBL", restoreLine()}));
    const std::vector<std::string> lines = board->receivedLines();
    EXPECT_EQ(lines.front(), "$PQVXS,MDM,PAR,PTC,1,IPT,0,ADL,N") << "modem prepared first";
    EXPECT_EQ(lines.back(), restoreLine());
}

TEST_F(SourceTableBrowseTest, FailedLoadStillRestores) {
    caster.stop();
    EXPECT_EQ(browseSourceTable(receiver, request, stations), BrowseOutcome::Failed);
    EXPECT_EQ(board->lastReceived(), restoreLine());
}

TEST_F(SourceTableBrowseTest, NoHostOrPortLeavesTheCasterAlone) {
    for (const CasterAccess& caster :
         {CasterAccess{u"", 2101, u"", u""}, CasterAccess{u"127.0.0.1", 0, u"", u""}}) {
        request.caster = caster;
        SourceTableBrowse browse(receiver);
        EXPECT_EQ(browse.load(request, stations), BrowseOutcome::NotContacted);
        EXPECT_FALSE(browse.needsRestore());
    }
    EXPECT_TRUE(ntripLines().empty());
    EXPECT_EQ(board->receivedCount("$PQVXS,MDM,PAR,PTC,1,IPT,0"), 2u);
}

TEST_F(SourceTableBrowseTest, GprsAccessGoesOnlyToTheExternalReceiverWithAnAccessPoint) {
    request.caster.host.clear();
    const struct {
        bool external;
        std::u16string accessPoint;
        bool sent;
    } cases[] = {{false, u"internet", false}, {true, u"", false}, {true, u"internet", true}};
    for (const auto& c : cases) {
        board->clearLog();
        request.externalReceiver = c.external;
        request.gprs = {u"4711", c.accessPoint, u"user", u"pw"};
        browseSourceTable(receiver, request, stations);
        EXPECT_EQ(board->hasReceived("$PQVXS,MDM,PAR,PIN,4711,PTC,1,APN,internet,LGN,user,PWD,pw"),
                  c.sent)
            << c.external;
    }
}
