#include <gtest/gtest.h>

#include "ui/status/SignalChartModel.h"

using namespace quorrel;

namespace {

void fillWith(SignalChartModel& model, std::initializer_list<SatelliteEntry> satellites) {
    SatelliteTable table{};
    int n = 0;
    for (const SatelliteEntry& s : satellites)
        table[n++] = s;
    model.fill(table, n);
}

SatelliteEntry sat(int prn, int snr, int used = 1) {
    return SatelliteEntry{prn, 30, 90, snr, used};
}

SignalChartModel modelOf(std::initializer_list<SatelliteEntry> satellites) {
    SignalChartModel model;
    model.setRowMask(kShowRow0 | kShowRow1);
    fillWith(model, satellites);
    return model;
}

constexpr QSize kClient(240, 300);
constexpr int kFontHeight = 14;

// Bars that carry a PRN label, as (prn text, bar).
std::vector<std::pair<QString, QRect>> bars(const ChartRowLayout& row) {
    std::vector<std::pair<QString, QRect>> out;
    for (const ChartBar& b : row.bars)
        if (!b.prn.text.isEmpty()) out.emplace_back(b.prn.text, b.bar);
    return out;
}

}  // namespace

TEST(SignalChartFill, PutsGpsAndSbasInRowZeroAndGlonassInRowOne) {
    const SignalChartModel m = modelOf({sat(12, 40), sat(124, 38), sat(70, 35), sat(3, 0),
                                        sat(140, 40), sat(40, 40), sat(71, 0, 0)});
    EXPECT_EQ(m.rowCount(0), 3);
    EXPECT_EQ(m.row(0)[1].prn, 124);
    EXPECT_EQ(m.row(0)[2].snrDbHz, 0);
    EXPECT_EQ(m.rowCount(1), 2);
    EXPECT_EQ(m.row(1)[1].used, 0);
    const ConstellationCounts& c = m.counts();
    EXPECT_EQ(c.gpsTotal, 2);
    EXPECT_EQ(c.gpsTracked, 1);
    EXPECT_EQ(c.sbasTotal, 1);
    EXPECT_EQ(c.sbasTracked, 1);
    EXPECT_EQ(c.glonassTotal, 2);
    EXPECT_EQ(c.glonassTracked, 1);
}

TEST(SignalChartFill, KeepsAtMostTwentyEightPerRowButCountsAll) {
    SatelliteTable table{};
    for (int i = 0; i < 30; ++i)
        table[i] = sat(65 + i, 30 + i % 5);
    SignalChartModel m;
    m.fill(table, 30);
    EXPECT_EQ(m.rowCount(1), 28);
    EXPECT_EQ(m.row(1)[27].prn, 92);
    EXPECT_EQ(m.counts().glonassTracked, 30);
    m.fill(table, 0);
    EXPECT_EQ(m.rowCount(1), 0);
    EXPECT_EQ(m.row(1)[0].prn, 0);
}

TEST(SignalChartScale, HeightFollowsTheScaleAndNeverVanishes) {
    EXPECT_EQ(SignalChartModel::barHeight(30, 30, 50, 100), 1);
    EXPECT_EQ(SignalChartModel::barHeight(40, 30, 50, 100), 50);
    EXPECT_EQ(SignalChartModel::barHeight(50, 30, 50, 100), 100);
    EXPECT_EQ(SignalChartModel::barHeight(45, 30, 50, 101), 75);
    EXPECT_EQ(SignalChartModel::barHeight(60, 30, 50, 100), 100);  // clamped to the scale
    EXPECT_EQ(SignalChartModel::barHeight(20, 30, 50, 100), 1);
    EXPECT_EQ(SignalChartModel::barHeight(40, 30, 50, -5), 1);
}

TEST(SignalChartScale, OneValueScaleGivesFullHeight) {
    EXPECT_EQ(SignalChartModel::barHeight(42, 42, 42, 80), 80);
    SignalChartModel m = modelOf({sat(5, 42), sat(9, 42)});
    const SignalChartLayout layout = m.layout(kClient, kFontHeight);
    const ChartRowLayout& row = layout.rows.at(0);
    EXPECT_EQ(row.bars[0].bar.top(), row.grid.top() + 1);
    EXPECT_EQ(row.bars[1].bar.height(), row.bars[0].bar.height());
}

TEST(SignalChartScale, WidensOverBothRowsAndNeverNarrows) {
    SignalChartModel m;
    m.setRowMask(kShowRow0 | kShowRow1);
    fillWith(m, {sat(5, 40), sat(70, 45)});
    m.layout(kClient, kFontHeight);
    EXPECT_EQ(m.scaleMin(), 40);
    EXPECT_EQ(m.scaleMax(), 45);
    fillWith(m, {sat(5, 42)});
    m.layout(kClient, kFontHeight);
    EXPECT_EQ(m.scaleMin(), 40);
    EXPECT_EQ(m.scaleMax(), 45);
    fillWith(m, {sat(5, 31), sat(6, 0)});
    m.layout(kClient, kFontHeight);
    EXPECT_EQ(m.scaleMin(), 31);
    EXPECT_EQ(m.scaleMax(), 45);
}

TEST(SignalChartLayoutTest, BarsSortedByPrnWithSnrAndPrnTexts) {
    SignalChartModel m = modelOf({sat(17, 50), sat(4, 30), sat(9, 40), sat(2, 0), sat(7, 7)});
    const SignalChartLayout layout = m.layout(kClient, kFontHeight);
    const ChartRowLayout& row = layout.rows.at(0);
    const auto labelled = bars(row);
    ASSERT_EQ(labelled.size(), 4u);
    EXPECT_EQ(labelled[0].first, "4");
    EXPECT_EQ(labelled[1].first, "7");
    EXPECT_EQ(labelled[3].first, "17");
    EXPECT_EQ(row.bars[1].snr.text, "07");
    EXPECT_EQ(row.bars[3].snr.text, "50");
    // PRN 2 has no signal: no bar, no texts, only a blank label area after the others.
    EXPECT_TRUE(row.bars[4].bar.isEmpty());
    EXPECT_TRUE(row.bars[4].snr.text.isEmpty());
    EXPECT_GT(row.bars[4].labelArea.left(), row.bars[3].labelArea.left());
    EXPECT_EQ(row.bars.size(), 28u);
}

TEST(SignalChartLayoutTest, BarColourTellsSbasUseAndNonUse) {
    SignalChartModel m = modelOf({sat(124, 38), sat(5, 40, 1), sat(6, 40, 0)});
    const SignalChartLayout layout = m.layout(kClient, kFontHeight);
    const ChartRowLayout& row = layout.rows.at(0);
    EXPECT_EQ(row.bars[0].fill, ChartColour::Highlight);
    EXPECT_EQ(row.bars[1].fill, ChartColour::GreyText);
    EXPECT_EQ(row.bars[2].fill, ChartColour::Sbas);
    EXPECT_EQ(row.bars[2].prn.text, "124");
}

TEST(SignalChartLayoutTest, HeadersCountTrackedSatellites) {
    SignalChartModel m = modelOf({sat(124, 38), sat(5, 40), sat(6, 0)});
    SignalChartLayout layout = m.layout(kClient, kFontHeight);
    ASSERT_EQ(layout.bands.size(), 2u);  // no GLONASS with signal: no second row at all
    EXPECT_EQ(layout.bands[0].texts.at(0).text, "Satellites tracked:");
    EXPECT_EQ(layout.bands[0].rect, QRect(10, 10, 220, 15));
    ASSERT_EQ(layout.bands[1].texts.size(), 2u);
    EXPECT_EQ(layout.bands[1].texts[0].text, "GPS: 1");
    EXPECT_EQ(layout.bands[1].texts[0].rect.left(), 15);
    EXPECT_EQ(layout.bands[1].texts[1].text, "SBAS: 1");
    EXPECT_TRUE(layout.bands[1].texts[1].alignment & Qt::AlignRight);
    EXPECT_EQ(layout.rows.size(), 1u);

    m = modelOf({sat(124, 0), sat(5, 40), sat(70, 33)});
    layout = m.layout(kClient, kFontHeight);
    ASSERT_EQ(layout.bands.size(), 3u);
    EXPECT_EQ(layout.bands[1].texts.size(), 1u);
    EXPECT_EQ(layout.bands[2].texts.at(0).text, "GLONASS: 1");
    EXPECT_EQ(layout.bands[2].rect.top(), 10 + (270 - 10) / 2 + 25);
    EXPECT_EQ(layout.rows.size(), 2u);
}

TEST(SignalChartLayoutTest, NoSatellitesLeaveTitleGpsZeroAndAnEmptyGrid) {
    SignalChartModel m;
    m.setRowMask(kShowRow0 | kShowRow1);
    const SignalChartLayout layout = m.layout(kClient, kFontHeight);
    ASSERT_EQ(layout.bands.size(), 2u);
    EXPECT_EQ(layout.bands[1].texts.at(0).text, "GPS: 0");
    ASSERT_EQ(layout.rows.size(), 1u);
    EXPECT_TRUE(bars(layout.rows[0]).empty());
}

TEST(SignalChartLayoutTest, BothRowsShareThePitchOfTheLongerRow) {
    SignalChartModel m = modelOf({sat(1, 40), sat(2, 40), sat(3, 40), sat(4, 40), sat(5, 40),
                                  sat(6, 40), sat(65, 40), sat(66, 40), sat(67, 40), sat(68, 40),
                                  sat(69, 40), sat(70, 40), sat(71, 40), sat(72, 40), sat(73, 40)});
    const SignalChartLayout layout = m.layout(kClient, kFontHeight);
    ASSERT_EQ(layout.rows.size(), 2u);
    const int pitch = 220 / 9;
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(layout.rows[0].bars[k].bar.left(), 10 + k * pitch + 1);
        EXPECT_EQ(layout.rows[1].bars[k].bar.left(), layout.rows[0].bars[k].bar.left());
        EXPECT_EQ(layout.rows[0].bars[k].bar.width(), pitch - 2);
    }
    EXPECT_EQ(layout.rows[1].bars[8].bar.left(), 10 + 8 * pitch + 1);
}
