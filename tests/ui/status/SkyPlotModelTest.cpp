#include <gtest/gtest.h>

#include "ui/status/SkyPlotModel.h"

using namespace quorrel;

namespace {

SatelliteEntry sat(int prn, int azimuth, int elevation, int snr = 40, int used = 1) {
    return SatelliteEntry{prn, elevation, azimuth, snr, used};
}

PlotEntries entriesOf(std::initializer_list<SatelliteEntry> satellites) {
    SatelliteTable table{};
    int n = 0;
    for (const SatelliteEntry& s : satellites)
        table[n++] = s;
    return buildPlotEntries(table, n);
}

std::vector<int> prns(const std::vector<PlotEntry>& drawings) {
    std::vector<int> out;
    for (const PlotEntry& e : drawings)
        out.push_back(e.prn);
    return out;
}

SkyPlotModel bothGroups() {
    SkyPlotModel model;
    model.setStyle(satellitesPageStyle());
    model.setGroupMask(kShowGps | kShowGlonassSbas);
    return model;
}

}  // namespace

TEST(PlotEntriesTest, SortsSatellitesIntoTheirGroupsInTableOrder) {
    const PlotEntries e = entriesOf({sat(12, 10, 20), sat(70, 30, 40), sat(40, 1, 1),
                                     sat(122, 50, 60), sat(140, 5, 5), sat(3, 70, 80, 0, 0)});
    EXPECT_EQ(e[0][0].prn, 12);
    EXPECT_EQ(e[0][0].azimuthDeg, 10);
    EXPECT_EQ(e[0][0].elevationDeg, 20);
    EXPECT_EQ(e[0][1].prn, 3);
    EXPECT_FALSE(e[0][1].used);
    EXPECT_EQ(e[0][2].prn, 0);
    EXPECT_EQ(e[1][0].prn, 70);
    EXPECT_EQ(e[1][1].prn, 122);
    EXPECT_EQ(e[1][1].snrDbHz, 40);
    EXPECT_EQ(e[1][2].prn, 0);
}

TEST(PlotEntriesTest, ReadsOnlyTheCountedSatellitesAndAtMostTwentyPerGroup) {
    SatelliteTable table{};
    for (int i = 0; i < 21; ++i)
        table[i] = sat(i + 1, i, 10);
    table[21] = sat(65, 0, 10);
    PlotEntries e = buildPlotEntries(table, 22);
    EXPECT_EQ(e[0][19].prn, 20);
    EXPECT_EQ(e[1][0].prn, 65);  // the 21st GPS satellite is dropped, not the next one
    e = buildPlotEntries(table, 2);
    EXPECT_EQ(e[0][1].prn, 2);
    EXPECT_EQ(e[0][2].prn, 0);
    EXPECT_EQ(buildPlotEntries(table, -1)[0][0].prn, 0);
    EXPECT_EQ(buildPlotEntries(table, 99)[1][0].prn, 65);
}

TEST(SkyPlotGeometryTest, CentreAndRadiusLeaveRoomForTheMargins) {
    const SkyPlotGeometry g = SkyPlotGeometry::forClientSize(QSize(250, 300));
    EXPECT_EQ(g.background, QRect(5, 0, 240, 280));
    EXPECT_DOUBLE_EQ(g.cx, 125.0);
    EXPECT_DOUBLE_EQ(g.cy, 140.0);
    EXPECT_DOUBLE_EQ(g.radius, 118.0);
}

TEST(SkyPlotGeometryTest, NorthUpAzimuthClockwiseZenithInTheCentre) {
    const SkyPlotGeometry g = SkyPlotGeometry::forClientSize(QSize(250, 300));
    EXPECT_EQ(g.pointAt(123, 90), QPoint(125, 140));
    EXPECT_EQ(g.pointAt(0, 0), QPoint(125, 22));
    EXPECT_EQ(g.pointAt(90, 0), QPoint(243, 140));
    EXPECT_EQ(g.pointAt(180, 0), QPoint(125, 258));
    EXPECT_EQ(g.pointAt(270, 45), QPoint(66, 140));
    EXPECT_EQ(g.ringRadius(0), 118);
    EXPECT_EQ(g.ringRadius(45), 59);
    EXPECT_EQ(g.spokeEnd(90), QPoint(243, 140));
}

TEST(SkyPlotModelTest, MarkerAndTextColourTellGroupUseAndSignal) {
    SkyPlotModel model = bothGroups();
    model.setEntries(
        entriesOf({sat(5, 10, 10, 45, 1), sat(6, 10, 10, 0, 1), sat(7, 10, 10, 45, 0),
                   sat(70, 10, 10, 45, 1), sat(122, 10, 10, 0, 1), sat(71, 10, 10, 30, 0)}));
    const PlotEntries& e = model.entries();
    EXPECT_EQ(e[0][0].markerId, 142);
    EXPECT_EQ(e[0][0].textColour, QColor(255, 255, 0));
    EXPECT_EQ(e[0][1].markerId, 143);
    EXPECT_EQ(e[0][1].textColour, QColor(255, 255, 0));
    EXPECT_EQ(e[0][2].markerId, 141);
    EXPECT_EQ(e[0][2].textColour, QColor(192, 192, 192));
    EXPECT_EQ(e[1][0].markerId, 139);
    EXPECT_EQ(e[1][0].textColour, QColor(0, 240, 60));
    EXPECT_EQ(e[1][1].markerId, 140);
    EXPECT_EQ(e[1][2].markerId, 138);
    EXPECT_EQ(e[1][2].textColour, QColor(192, 192, 192));
}

TEST(SkyPlotModelTest, UpdateDrawsOnlyWhatChangedErasingTheOldCopyFirst) {
    SkyPlotModel model = bothGroups();
    model.setEntries(entriesOf({sat(5, 100, 30), sat(6, 200, 40), sat(70, 10, 50)}));
    EXPECT_EQ(prns(model.takeUpdate()), (std::vector<int>{5, 6, 70}));
    EXPECT_TRUE(model.takeUpdate().empty());

    model.setEntries(entriesOf({sat(5, 101, 30), sat(6, 200, 40), sat(70, 10, 50)}));
    const std::vector<PlotEntry> moved = model.takeUpdate();
    ASSERT_EQ(prns(moved), (std::vector<int>{5, 5}));
    EXPECT_EQ(moved[0].azimuthDeg, 100);
    EXPECT_EQ(moved[1].azimuthDeg, 101);

    // Losing its signal changes the marker; a new SNR value alone changes nothing drawn.
    model.setEntries(entriesOf({sat(5, 101, 30, 0), sat(6, 200, 40, 33), sat(70, 10, 50)}));
    EXPECT_EQ(prns(model.takeUpdate()), (std::vector<int>{5, 5}));

    // A satellite leaving shifts the next one into its slot: both slots redraw.
    model.setEntries(entriesOf({sat(6, 200, 40, 33), sat(70, 10, 50)}));
    EXPECT_EQ(prns(model.takeUpdate()), (std::vector<int>{5, 6, 6}));
    model.setEntries(PlotEntries{});
    EXPECT_EQ(prns(model.takeUpdate()), (std::vector<int>{6, 70}));
}

TEST(SkyPlotModelTest, SatellitesWithoutAPlaceAreNeitherDrawnNorErased) {
    SkyPlotModel model = bothGroups();
    model.setEntries(entriesOf({sat(5, 0, 0), sat(6, 10, 91), sat(7, 10, 90)}));
    EXPECT_EQ(prns(model.takeUpdate()), (std::vector<int>{7}));
    model.setEntries(entriesOf({sat(5, 0, 0), sat(6, 11, 95), sat(7, 10, 90)}));
    EXPECT_TRUE(model.takeUpdate().empty());
    model.setEntries(entriesOf({sat(5, 0, 1), sat(6, 11, 95), sat(7, 10, 90)}));
    EXPECT_EQ(prns(model.takeUpdate()), (std::vector<int>{5}));
}

TEST(SkyPlotModelTest, HiddenGroupIsNeverDrawn) {
    SkyPlotModel model;  // the control's default: GPS only
    model.setEntries(entriesOf({sat(70, 10, 50), sat(5, 100, 30)}));
    EXPECT_EQ(prns(model.takeUpdate()), (std::vector<int>{5}));
    EXPECT_EQ(prns(model.takeFullRepaint()), (std::vector<int>{5}));
}

TEST(SkyPlotModelTest, FullRepaintDrawsEverythingAndBecomesTheDrawnCopy) {
    SkyPlotModel model = bothGroups();
    model.setEntries(entriesOf({sat(5, 100, 30), sat(70, 10, 50)}));
    EXPECT_EQ(prns(model.takeFullRepaint()), (std::vector<int>{5, 70}));
    EXPECT_TRUE(model.takeUpdate().empty());
    EXPECT_TRUE(model.drawn()[0][0].looksLike(model.entries()[0][0]));
}
