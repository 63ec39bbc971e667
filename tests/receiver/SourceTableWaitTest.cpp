// A large source table at the pace of a real serial line: the wait for it lasts as long as
// the table keeps coming.
#include <gtest/gtest.h>

#include <vector>

#include "BoardReceiverFixture.h"
#include "receiver/StationList.h"
#include "support/LoopbackCaster.h"

using namespace quorrel;
using namespace quorrel::test;

namespace {

// About 29 KB: five seconds at 57600 baud, more than twice the shortened wait.
constexpr int kStations = 210;
constexpr int kShortWaitMs = 2000;

class PacedSourceTableTest : public BoardReceiverTest {
protected:
    void SetUp() override {
        config.lineRatePacing = true;
        timeouts.ntripMs = kShortWaitMs;
        caster.setSourceTableLines(stationLines(kStations, 48.0, 11.0));
        ASSERT_TRUE(caster.start());
        startAndOpen();
        ASSERT_TRUE(receiver.SetModemGprsProtocol(0) && receiver.InitializeModem());
        ASSERT_TRUE(receiver.SetNtripParameters(u"127.0.0.1", caster.port(), u"", u"", 0));
    }

    LoopbackCaster caster;
    StationList stations;
};

}  // namespace

TEST_F(PacedSourceTableTest, TableLongerThanTheWaitLoadsWhileItKeepsArriving) {
    std::vector<SourceTableProgress> seen;
    receiver.setSourceTableObserver([&seen](const SourceTableProgress& p) { seen.push_back(p); });
    const Clock::time_point start = Clock::now();
    ASSERT_TRUE(receiver.LoadSourceTable(stations));
    EXPECT_GT(elapsedMs(start), kShortWaitMs) << "the table came faster than the line allows";
    EXPECT_EQ(stations.count(), std::size_t(kStations));

    ASSERT_GE(seen.size(), 5u) << "progress while the table arrived";
    for (std::size_t i = 1; i < seen.size(); ++i) {
        EXPECT_GT(seen[i].bytes, seen[i - 1].bytes);
        EXPECT_GE(seen[i].stations, seen[i - 1].stations);
    }
    EXPECT_GT(seen.back().bytes, 20000u);
    EXPECT_GT(seen.back().stations, std::size_t(kStations) / 2);
}

TEST_F(PacedSourceTableTest, SilenceAfterTheLoadStillEndsTheWait) {
    board->ignore("PQVXQ,NTR,TBL");
    const Clock::time_point start = Clock::now();
    EXPECT_FALSE(receiver.LoadSourceTable(stations));
    EXPECT_LT(elapsedMs(start), 4 * kShortWaitMs);
}
