#include <gtest/gtest.h>

#include <QImage>

#include "ui/kit/Resources.h"
#include "ui/status/CSkyPlotCtrl.h"
#include "ui/status/StatusBitmaps.h"

using namespace quorrel;

namespace {

constexpr QSize kSize(250, 300);

SatelliteEntry sat(int prn, int azimuth, int elevation, int snr = 45, int used = 1) {
    return SatelliteEntry{prn, elevation, azimuth, snr, used};
}

PlotEntries entriesOf(std::initializer_list<SatelliteEntry> satellites) {
    SatelliteTable table{};
    int n = 0;
    for (const SatelliteEntry& s : satellites)
        table[n++] = s;
    return buildPlotEntries(table, n);
}

// A plot styled as the satellites page styles it.
struct Plot {
    CSkyPlotCtrl ctrl;
    Plot() {
        ctrl.resize(kSize);
        ctrl.setGroupMask(kShowGps | kShowGlonassSbas);
        ctrl.setPlotStyle(satellitesPageStyle());
    }
    QImage show(std::initializer_list<SatelliteEntry> satellites) {
        ctrl.setEntries(entriesOf(satellites), true);
        return grab();
    }
    QImage grab() { return ctrl.grab().toImage().convertToFormat(QImage::Format_RGB32); }
};

// What the satellites add to the empty grid: exclusive-or with a fresh empty plot leaves
// exactly their markers and labels on black.
QImage drawnOnly(const QImage& image) {
    Plot empty;
    QImage grid = empty.grab();
    QImage out(image.size(), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            out.setPixel(x, y, 0xFF000000u | (image.pixel(x, y) ^ grid.pixel(x, y)));
    return out;
}

// Bounding box of the pixels of one colour.
QRect pixelsOf(const QImage& image, QColor colour) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == colour.rgb()) box |= QRect(x, y, 1, 1);
    return box;
}

const QColor kYellow(255, 255, 0), kRed(255, 0, 0), kDarkGreen(0, 128, 0),
    kLightGrey(192, 192, 192), kPurple(128, 0, 128), kGreen(0, 240, 60), kRim(128, 128, 128);

}  // namespace

TEST(MarkerArtwork, SevenBySevenRoundMarkersWithGreyRim) {
    registerStatusBitmaps();
    const struct {
        int id;
        QColor fill, centre;
    } markers[] = {{138, kLightGrey, kLightGrey}, {139, kRed, kYellow}, {140, kPurple, kYellow},
                   {141, kLightGrey, kLightGrey}, {142, kYellow, kRed}, {143, kDarkGreen, kRed}};
    for (const auto& m : markers) {
        const QImage image = Resources::instance().bitmap(m.id);
        ASSERT_EQ(image.size(), QSize(7, 7)) << m.id;
        EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::white)) << m.id;
        EXPECT_EQ(image.pixelColor(6, 6), QColor(Qt::white)) << m.id;
        EXPECT_EQ(image.pixelColor(3, 0), kRim) << m.id;
        EXPECT_EQ(image.pixelColor(0, 3), kRim) << m.id;
        EXPECT_EQ(image.pixelColor(1, 1), kRim) << m.id;
        EXPECT_EQ(image.pixelColor(2, 1), m.fill) << m.id;
        EXPECT_EQ(image.pixelColor(3, 3), m.centre) << m.id;
        EXPECT_EQ(image.pixelColor(3, 2), m.centre) << m.id;  // plus-shaped
        EXPECT_EQ(image.pixelColor(2, 2), m.fill) << m.id;
    }
}

TEST(SkyPlotPixels, EmptyPlotIsABlackDiscWithVioletRingsOnWhite) {
    Plot plot;
    const QImage image = plot.grab();
    const SkyPlotGeometry& g = plot.ctrl.plotGeometry();
    EXPECT_EQ(image.pixelColor(6, 2), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(static_cast<int>(g.cx) + 3, static_cast<int>(g.cy) + 20),
              QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(g.spokeEnd(90) - QPoint(30, 0)), QColor(128, 0, 255));
}

TEST(SkyPlotPixels, ZenithInTheCentreAndEastToTheRight) {
    Plot plot;
    const QImage zenith = drawnOnly(plot.show({sat(5, 200, 90)}));
    const QPoint centre(static_cast<int>(plot.ctrl.plotGeometry().cx),
                        static_cast<int>(plot.ctrl.plotGeometry().cy));
    const QRect red = pixelsOf(zenith, kRed);
    EXPECT_EQ(red.size(), QSize(3, 3));
    EXPECT_LE(std::abs(red.center().x() - centre.x()), 1);
    EXPECT_EQ(red.center().y(), centre.y());

    Plot east;
    const QImage image = drawnOnly(east.show({sat(5, 90, 45)}));
    const QRect eastRed = pixelsOf(image, kRed);
    EXPECT_EQ(eastRed.center().y(), centre.y());
    EXPECT_NEAR(eastRed.center().x(), east.ctrl.plotGeometry().pointAt(90, 45).x(), 1);
    EXPECT_GT(eastRed.center().x(), centre.x() + 50);
}

TEST(SkyPlotPixels, MarkerAndNumberColoursTellGroupUseAndSignal) {
    const struct {
        SatelliteEntry satellite;
        QColor fill, centre, text;
    } cases[] = {{sat(5, 60, 40, 45, 1), kYellow, kRed, kYellow},
                 {sat(5, 60, 40, 0, 1), kDarkGreen, kRed, kYellow},
                 {sat(5, 60, 40, 45, 0), kLightGrey, kLightGrey, kLightGrey},
                 {sat(70, 60, 40, 45, 1), kRed, kYellow, kGreen},
                 {sat(122, 60, 40, 0, 1), kPurple, kYellow, kGreen},
                 {sat(122, 60, 40, 45, 0), kLightGrey, kLightGrey, kLightGrey}};
    for (const auto& c : cases) {
        Plot plot;
        const QImage image = drawnOnly(plot.show({c.satellite}));
        const QRect rim = pixelsOf(image, kRim);
        EXPECT_EQ(rim.size(), QSize(7, 7)) << c.satellite.prn;
        EXPECT_EQ(image.pixelColor(rim.topLeft() + QPoint(3, 3)), c.centre) << c.satellite.prn;
        EXPECT_EQ(image.pixelColor(rim.topLeft() + QPoint(2, 1)), c.fill) << c.satellite.prn;
        // The number is below the marker, in the text colour.
        const QRect text =
            pixelsOf(image, c.text)
                .intersected(QRect(0, rim.bottom() + 1, kSize.width(), kSize.height()));
        EXPECT_FALSE(text.isEmpty()) << c.satellite.prn;
        EXPECT_LE(std::abs(text.center().x() - rim.center().x()), 2) << c.satellite.prn;
    }
}

TEST(SkyPlotPixels, SatellitesOutsideTheGroupsAreNotDrawn) {
    Plot plot;
    Plot empty;
    EXPECT_EQ(plot.show({sat(40, 60, 40), sat(140, 100, 40), sat(7, 0, 0)}), empty.grab());
}

TEST(SkyPlotPixels, MovedSatelliteLeavesTheGridIntactBehind) {
    Plot plot;
    plot.show({sat(5, 100, 30), sat(12, 300, 60), sat(70, 45, 0)});
    const QImage moved = plot.show({sat(5, 101, 30), sat(12, 300, 60), sat(70, 45, 0)});
    Plot fresh;
    fresh.ctrl.setEntries(entriesOf({sat(5, 101, 30), sat(12, 300, 60), sat(70, 45, 0)}), false);
    fresh.ctrl.repaintAll();
    EXPECT_EQ(moved, fresh.grab());
}

TEST(SkyPlotPixels, DroppedSatelliteDisappearsAndFullRepaintAgrees) {
    Plot plot;
    plot.show({sat(5, 100, 30), sat(70, 45, 10)});
    const QImage one = plot.show({sat(70, 45, 10)});
    plot.ctrl.repaintAll();
    EXPECT_EQ(plot.grab(), one);
    Plot empty;
    EXPECT_EQ(plot.show({}), empty.grab());
}

TEST(SkyPlotPixels, ResizeRedrawsGridAndSatellitesForTheNewSize) {
    Plot plot;
    plot.show({sat(5, 100, 30)});
    plot.ctrl.resize(200, 220);
    const QImage resized = plot.grab();
    CSkyPlotCtrl fresh;
    fresh.setGroupMask(kShowGps | kShowGlonassSbas);
    fresh.setPlotStyle(satellitesPageStyle());
    fresh.resize(200, 220);
    fresh.setEntries(entriesOf({sat(5, 100, 30)}), true);
    EXPECT_EQ(resized, fresh.grab().toImage().convertToFormat(QImage::Format_RGB32));
}
