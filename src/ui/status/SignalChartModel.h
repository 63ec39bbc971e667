#pragma once

#include <QRect>
#include <QSize>
#include <QString>
#include <array>
#include <cstdint>
#include <vector>

#include "receiver/link/StatusRecords.h"

namespace quorrel {

// One bar of the signal chart.
struct BarEntry {
    int prn = 0;
    int snrDbHz = 0;
    int used = 0;
};

constexpr int kBarRows = 2;  // 0 GPS and SBAS, 1 GLONASS
constexpr int kBarsPerRow = 28;
using BarRow = std::array<BarEntry, kBarsPerRow>;

constexpr std::uint32_t kShowRow0 = 0x10;
constexpr std::uint32_t kShowRow1 = 0x20;

// Satellites per constellation in the table, and those with signal.
struct ConstellationCounts {
    int gpsTotal = 0, sbasTotal = 0, glonassTotal = 0;
    int gpsTracked = 0, sbasTracked = 0, glonassTracked = 0;
};

// Colours the chart paints with; all but the SBAS bar colour are the system's.
enum class ChartColour { WindowText, HighlightText, Highlight, GreyText, Sbas };

struct ChartText {
    QRect rect;
    int alignment = 0;  // Qt::Alignment flags
    QString text;
};

// A header band: painted white, then its texts in the window-text colour.
struct ChartBand {
    QRect rect;
    std::vector<ChartText> texts;
};

struct ChartBar {
    QRect bar;  // empty for an entry without a bar
    ChartColour fill = ChartColour::Highlight;
    ChartText snr;    // drawn only when its text is not empty
    QRect labelArea;  // painted white
    ChartText prn;    // drawn only when its text is not empty
};

struct ChartRowLayout {
    QRect grid;              // the pixels the grid's outline covers
    std::vector<int> lineY;  // the five horizontal lines, from the bottom up
    int lineLeft = 0, lineRight = 0;
    int fontTenthsPt = 60;
    std::vector<ChartBar> bars;
};

struct SignalChartLayout {
    std::vector<ChartBand> bands;  // title, then each row's header
    std::vector<ChartRowLayout> rows;
};

// The signal chart's contents and its drawing, apart from painting. The highest and lowest
// SNR seen live as long as the model, so the scale only widens.
class SignalChartModel {
public:
    // Rows and counts from the first `count` satellites of the table.
    void fill(const SatelliteTable& table, int count);
    void setRowMask(std::uint32_t mask) { m_rowMask = mask; }
    std::uint32_t rowMask() const { return m_rowMask; }

    // The drawing for a client area; `barFontHeight` is the character height of the bar font
    // (barFontTenthsPt of the client's width less the margins). Widens the scale as it goes.
    SignalChartLayout layout(QSize client, int barFontHeight);
    static int barFontTenthsPt(int areaWidth);
    static int chartWidth(QSize client) { return client.width() - 20; }

    // Bar height in pixels for an SNR on a scale, for a bar area `areaHeight` high.
    static int barHeight(int snrDbHz, int scaleMin, int scaleMax, int areaHeight);

    const ConstellationCounts& counts() const { return m_counts; }
    const BarRow& row(int index) const { return m_rows[index]; }
    int rowCount(int index) const { return m_rowCounts[index]; }
    int scaleMax() const { return m_scaleMax; }
    int scaleMin() const { return m_scaleMin; }

private:
    void widenScale(const BarRow& row);
    ChartRowLayout layoutRow(const BarRow& row, QRect area, int h, int pitch);

    ConstellationCounts m_counts;
    std::array<BarRow, kBarRows> m_rows{};
    std::array<int, kBarRows> m_rowCounts{};
    std::uint32_t m_rowMask = kShowRow0;
    int m_highestSeen = -999;
    int m_lowestSeen = 999;
    int m_scaleMax = 0;
    int m_scaleMin = 0;
    bool m_automaticScale = true;
};

}  // namespace quorrel
