#include <gtest/gtest.h>

#include <QLabel>
#include <memory>
#include <string>

#include "StatusScreenshots.h"
#include "receiver/CInternalReceiver.h"
#include "sim/board/BoardSimulator.h"
#include "ui/status/CPositionPage.h"
#include "ui/status/CSatellitesPage.h"
#include "ui/status/CSignalBarCtrl.h"
#include "ui/status/CSignalPage.h"
#include "ui/status/CSkyPlotCtrl.h"

using namespace quorrel;

namespace {

// The status sheet on the board receiver, the simulated board on the other end of a
// pseudo-terminal. The board runs its solution stages twenty times faster and outputs twenty
// epochs a second, so a test walks from autonomous to FIXED in well under a second.
class StatusSheetBoardTest : public ::testing::Test {
protected:
    void start(bool startWithFix) {
        BoardConfig config;
        config.timeScale = 0.05;
        config.startWithFix = startWithFix;
        board = std::make_unique<BoardSimulator>(config);
        ASSERT_TRUE(board->start());
        LinkTimeouts timeouts;
        timeouts.replyMs = 2000;
        timeouts.aliveMs = 1000;
        timeouts.epochMs = 500;
        timeouts.baudSettleMs = 10;
        timeouts.readSilenceMs = 100;
        receiver.setTimeouts(timeouts);
        receiver.SetDeviceClass(kBoardDeviceClass);
        receiver.SetOutputRate(20);
        const std::string device = board->devicePath();
        ASSERT_TRUE(receiver.Open(std::u16string(device.begin(), device.end())));
        sheet = std::make_unique<CGnssStatusSheet>(&receiver, nullptr);
        sheet->show();
        sheet->setActivePage(1);
        sheet->setActivePage(2);
        sheet->setActivePage(0);
    }
    void TearDown() override {
        sheet.reset();
        receiver.Close();
        if (board) board->stop();
    }
    // The next epoch, then one tick of every page.
    void tickAfterEpoch() {
        receiver.IsEpochAvailable();
        sheet->positionPage()->tick();
        sheet->satellitesPage()->tick();
        sheet->signalPage()->tick();
    }
    QString value(CPositionPage::Row row) const {
        return sheet->positionPage()->value(row)->text();
    }
    bool shown(CPositionPage::Row row) const {
        return !sheet->positionPage()->value(row)->isHidden();
    }
    const CSkyPlotCtrl& plot() const { return *sheet->satellitesPage()->plot(); }

    std::unique_ptr<BoardSimulator> board;
    CInternalReceiver receiver;
    std::unique_ptr<CGnssStatusSheet> sheet;
};

int countMarkers(const PlotEntries& entries, int markerId) {
    int n = 0;
    for (const PlotGroup& group : entries)
        for (const PlotEntry& e : group)
            n += e.prn != 0 && e.markerId == markerId;
    return n;
}

}  // namespace

TEST_F(StatusSheetBoardTest, SkyFollowsTheBoardAsItLocksOnAfterAReset) {
    ASSERT_NO_FATAL_FAILURE(start(false));
    // Locked on: the count of satellites used has stopped growing. Stopping at the first few
    // instead left a slow machine no epoch with fewer after the reset.
    int usedBefore = 0;
    for (int i = 0, steady = 0; i < 120 && steady < 5; ++i) {
        tickAfterEpoch();
        const int used = countMarkers(plot().model().drawn(), kBmpGpsUsed);
        steady = used == usedBefore && used > 3 ? steady + 1 : 0;
        usedBefore = used;
    }
    ASSERT_GT(usedBefore, 3);
    ASSERT_TRUE(receiver.ResetReceiver());

    // Rebooted, the board searches the sky again: satellites come back one by one.
    int fewest = usedBefore, last = 0;
    for (int i = 0; i < 120 && !(fewest < usedBefore && last >= usedBefore); ++i) {
        tickAfterEpoch();
        last = countMarkers(plot().model().drawn(), kBmpGpsUsed);
        fewest = std::min(fewest, last);
    }
    EXPECT_LT(fewest, usedBefore);
    EXPECT_GE(last, usedBefore);

    // After all those incremental updates the plot is what a full repaint draws.
    const QImage incremental = plot().backBuffer().copy();
    sheet->satellitesPage()->plot()->repaintAll();
    EXPECT_EQ(plot().backBuffer(), incremental);

    const SignalChartLayout& chart = sheet->signalPage()->chart()->lastLayout();
    ASSERT_GE(chart.bands.size(), 2u);
    EXPECT_NE(chart.bands[1].texts.at(0).text, "GPS: 0");
}

TEST_F(StatusSheetBoardTest, CorrectionsBringTheSolutionToFixedWithItsEstimates) {
    ASSERT_NO_FATAL_FAILURE(start(true));
    tickAfterEpoch();
    EXPECT_FALSE(shown(CPositionPage::kStatus));  // autonomous
    EXPECT_FALSE(shown(CPositionPage::kBaseline));
    EXPECT_EQ(value(CPositionPage::kLatitude).left(7), QString::fromUtf8("048°08'"));

    board->setCorrectionLink(true);
    QStringList stages;
    for (int i = 0;
         i < 60 && !(shown(CPositionPage::kStatus) && value(CPositionPage::kStatus) == "FIXED");
         ++i) {
        tickAfterEpoch();
        if (shown(CPositionPage::kStatus) && !stages.contains(value(CPositionPage::kStatus)))
            stages << value(CPositionPage::kStatus);
    }
    // On a slow machine SBAS may lift the autonomous fix before the corrections take over.
    stages.removeAll(QStringLiteral("SDGPS"));
    EXPECT_EQ(stages, QStringList({"DGPS", "FLOAT", "FIXED"}));
    EXPECT_TRUE(shown(CPositionPage::kHrms));
    EXPECT_TRUE(shown(CPositionPage::kVrms));
    EXPECT_TRUE(shown(CPositionPage::kBaseline));
    EXPECT_TRUE(value(CPositionPage::kHrms).endsWith(" m"));
    // The board's correction source stands 800 m east and 600 m north.
    const QString baseline = value(CPositionPage::kBaseline);
    ASSERT_TRUE(baseline.endsWith(" m"));
    EXPECT_NEAR(baseline.chopped(2).toDouble(), 1000.0, 5.0);
    // Corrections reach the board a little over a second after their epoch.
    EXPECT_TRUE(shown(CPositionPage::kAge));
    const QString age = value(CPositionPage::kAge);
    ASSERT_TRUE(age.endsWith(" sec"));
    EXPECT_GE(age.chopped(4).toInt(), 1);

    saveScreenshots(*sheet, QStringLiteral("status-board"));
}
