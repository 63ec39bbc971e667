#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "ui/status/CSignalBarCtrl.h"

using namespace quorrel;

namespace {

constexpr QSize kSize(240, 300);

SatelliteEntry sat(int prn, int snr, int used = 1) {
    return SatelliteEntry{prn, 30, 90, snr, used};
}

struct Chart {
    CSignalBarCtrl ctrl;
    Chart() {
        ctrl.resize(kSize);
        ctrl.setRowMask(kShowRow0 | kShowRow1);
    }
    QImage show(std::initializer_list<SatelliteEntry> satellites) {
        SatelliteTable table{};
        int n = 0;
        for (const SatelliteEntry& s : satellites)
            table[n++] = s;
        ctrl.setSatellites(table, n);
        ctrl.redrawNow();
        return ctrl.grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
    QColor colour(QPalette::ColorRole role) const { return ctrl.palette().color(role); }
    const QRect& grid(int row) const { return ctrl.lastLayout().rows.at(row).grid; }
};

// Horizontal runs of one colour along a pixel row, as [left, right] pairs.
std::vector<std::pair<int, int>> runs(const QImage& image, int y, QColor colour) {
    std::vector<std::pair<int, int>> out;
    for (int x = 0; x < image.width(); ++x) {
        if (image.pixel(x, y) != colour.rgb()) continue;
        if (!out.empty() && out.back().second == x - 1)
            out.back().second = x;
        else
            out.emplace_back(x, x);
    }
    return out;
}

// Pixels of one colour going up a column from `y`.
int heightAt(const QImage& image, int x, int y, QColor colour) {
    int height = 0;
    while (y - height >= 0 && image.pixel(x, y - height) == colour.rgb())
        ++height;
    return height;
}

// Text is smoothed, so its colour shows only nearly in most pixels.
bool containsColour(const QImage& image, const QRect& area, QColor colour) {
    constexpr int kTolerance = 48;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (std::abs(pixel.red() - colour.red()) < kTolerance &&
                std::abs(pixel.green() - colour.green()) < kTolerance &&
                std::abs(pixel.blue() - colour.blue()) < kTolerance)
                return true;
        }
    return false;
}

}  // namespace

TEST(SignalBarPixels, ThirtyFortyFiftyStandOnePixelHalfAndFull) {
    Chart chart;
    const QImage image = chart.show({sat(9, 50), sat(3, 30), sat(5, 40)});
    const QColor bar = chart.colour(QPalette::Highlight);
    const int base = chart.grid(0).bottom();  // the bars stand on the grid's bottom line
    const int area = base - (chart.grid(0).top() + 1);
    const auto bars = runs(image, base - 1, bar);
    ASSERT_EQ(bars.size(), 3u);
    EXPECT_EQ(heightAt(image, bars[0].first, base - 1, bar), 1);
    EXPECT_EQ(heightAt(image, bars[1].first, base - 1, bar), area / 2);
    EXPECT_EQ(heightAt(image, bars[2].first, base - 1, bar), area);
    // The SNR on top of the two tall bars, every PRN under its bar.
    const QColor snrText = chart.colour(QPalette::HighlightedText);
    EXPECT_TRUE(containsColour(
        image, QRect(bars[1].first, base - area / 2, bars[1].second - bars[1].first, 12), snrText));
    EXPECT_TRUE(containsColour(
        image, QRect(bars[2].first, base - area, bars[2].second - bars[2].first, 12), snrText));
    for (const auto& [left, right] : bars)
        EXPECT_TRUE(containsColour(image, QRect(left, base + 2, right - left, 12),
                                   chart.colour(QPalette::WindowText)));
}

TEST(SignalBarPixels, SnrSevenIsWrittenWithALeadingZero) {
    Chart chart;
    const QImage image = chart.show({sat(11, 7)});
    const ChartBar& bar = chart.ctrl.lastLayout().rows.at(0).bars.at(0);
    const QFont font = CSignalBarCtrl::barFont(chart.ctrl.lastLayout().rows[0].fontTenthsPt);
    const auto render = [&](const QString& text) {
        QImage expected(bar.bar.size(), QImage::Format_RGB32);
        expected.fill(chart.colour(QPalette::Highlight));
        QPainter painter(&expected);
        painter.setFont(font);
        painter.setPen(chart.colour(QPalette::HighlightedText));
        painter.drawText(QRect(QPoint(0, 0), bar.bar.size()), Qt::AlignHCenter | Qt::AlignTop,
                         text);
        return expected;
    };
    const QImage shown = image.copy(bar.bar);
    EXPECT_EQ(shown, render(QStringLiteral("07")));
    EXPECT_NE(shown, render(QStringLiteral("7")));
}

TEST(SignalBarPixels, BothRowsLineUpOnTheLongerRowsPitch) {
    Chart chart;
    chart.show({sat(1, 20), sat(65, 60)});  // the scale stays as wide: no one-pixel bars below
    const QImage image =
        chart.show({sat(1, 40), sat(2, 41), sat(3, 42), sat(4, 43), sat(5, 44), sat(6, 45),
                    sat(65, 40), sat(66, 41), sat(67, 42), sat(68, 43), sat(69, 44), sat(70, 45),
                    sat(71, 46), sat(72, 47), sat(73, 48)});
    const QColor bar = chart.colour(QPalette::Highlight);
    const auto gps = runs(image, chart.grid(0).bottom() - 1, bar);
    const auto glonass = runs(image, chart.grid(1).bottom() - 1, bar);
    ASSERT_EQ(gps.size(), 6u);
    ASSERT_EQ(glonass.size(), 9u);
    for (size_t k = 0; k < gps.size(); ++k)
        EXPECT_EQ(gps[k], glonass[k]) << k;
    EXPECT_EQ(glonass[1].first - glonass[0].first, (kSize.width() - 20) / 9);
}

TEST(SignalBarPixels, SbasBarIsLightRedAfterTheGpsBars) {
    Chart chart;
    const QImage image = chart.show({sat(124, 38), sat(5, 40), sat(8, 35, 0)});
    const int y = chart.grid(0).bottom() - 1;
    const auto sbas = runs(image, y, QColor(255, 128, 128));
    const auto used = runs(image, y, chart.colour(QPalette::Highlight));
    const auto unused =
        runs(image, y, chart.ctrl.palette().color(QPalette::Disabled, QPalette::WindowText));
    ASSERT_EQ(sbas.size(), 1u);
    ASSERT_EQ(used.size(), 1u);
    ASSERT_EQ(unused.size(), 1u);
    EXPECT_LT(used[0].second, unused[0].first);
    EXPECT_LT(unused[0].second, sbas[0].first);
}

TEST(SignalBarPixels, NoGlonassSignalLeavesTheLowerHalfWhite) {
    Chart chart;
    const QImage image = chart.show({sat(5, 40), sat(70, 0)});
    const QRect lowerHalf(0, kSize.height() / 2 + 10, kSize.width(), kSize.height() / 2 - 10);
    QImage white(lowerHalf.size(), QImage::Format_RGB32);
    white.fill(Qt::white);
    EXPECT_EQ(image.copy(lowerHalf), white);
}
