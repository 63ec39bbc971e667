#include "ui/status/SignalChartModel.h"

#include <algorithm>
#include <cmath>

#include "ui/kit/Resources.h"
#include "ui/kit/StringIds.h"

namespace quorrel {
namespace {

// A rectangle from its edges, right and bottom exclusive.
QRect ltrb(int left, int top, int right, int bottom) {
    return QRect(left, top, right - left, bottom - top);
}

bool isGps(int prn) {
    return prn >= 1 && prn <= 32;
}
bool isSbas(int prn) {
    return prn >= 120 && prn <= 138;
}
bool isGlonass(int prn) {
    return prn >= 65 && prn <= 96;
}

constexpr int kMargin = 10;
constexpr int kBottomMargin = 30;
constexpr int kBandHeight = 15;
constexpr int kRowHeaderTop = 25;
constexpr int kRowBarsTop = 40;
constexpr int kTextInset = 5;
constexpr int kGridBands = 5;

}  // namespace

void SignalChartModel::fill(const SatelliteTable& table, int count) {
    m_rows = {};
    m_rowCounts = {};
    m_counts = {};
    count = std::clamp(count, 0, kSatelliteSlots);
    for (int i = 0; i < count; ++i) {
        const SatelliteEntry& sat = table[static_cast<size_t>(i)];
        const bool tracked = sat.snr != 0;
        int row = 0;
        if (isGps(sat.prn)) {
            ++m_counts.gpsTotal;
            m_counts.gpsTracked += tracked;
        } else if (isSbas(sat.prn)) {
            ++m_counts.sbasTotal;
            m_counts.sbasTracked += tracked;
        } else if (isGlonass(sat.prn)) {
            ++m_counts.glonassTotal;
            m_counts.glonassTracked += tracked;
            row = 1;
        } else {
            continue;
        }
        if (m_rowCounts[row] < kBarsPerRow)
            m_rows[row][m_rowCounts[row]++] = BarEntry{sat.prn, sat.snr, sat.used != 0 ? 1 : 0};
    }
}

int SignalChartModel::barFontTenthsPt(int areaWidth) {
    return std::max(60, areaWidth / 3);
}

int SignalChartModel::barHeight(int snrDbHz, int scaleMin, int scaleMax, int areaHeight) {
    const int s = std::max(std::min(snrDbHz, scaleMax), scaleMin);
    // A scale of one value (say, one satellite seen so far) has no range to divide: its
    // bars stand at full height, as the highest SNR seen always does.
    const int height = scaleMax <= scaleMin
                           ? areaHeight
                           : static_cast<int>(std::trunc(static_cast<double>(areaHeight) *
                                                         (s - scaleMin) / (scaleMax - scaleMin)));
    return std::max(1, height);
}

void SignalChartModel::widenScale(const BarRow& row) {
    for (const BarEntry& e : row) {
        if (e.snrDbHz == 0) continue;
        m_highestSeen = std::max(m_highestSeen, e.snrDbHz);
        m_lowestSeen = std::min(m_lowestSeen, e.snrDbHz);
    }
    if (m_automaticScale) {
        m_scaleMax = m_highestSeen;
        m_scaleMin = m_lowestSeen;
    }
}

SignalChartLayout SignalChartModel::layout(QSize client, int h) {
    const int l = kMargin, t = kMargin, r = client.width() - kMargin;
    const int b = client.height() - kBottomMargin, m = t + (b - t) / 2;
    const int tracked =
        std::max(m_counts.gpsTracked + m_counts.sbasTracked, m_counts.glonassTracked);
    const int pitch = (r - l) / std::max(1, tracked);

    SignalChartLayout out;
    out.bands.push_back(
        {ltrb(l, t, r, t + kBandHeight),
         {{ltrb(l, t, r, t + kBandHeight), Qt::AlignCenter, resText(kStrSatellitesTracked)}}});
    if (m_rowMask & kShowRow0) {
        const QRect band = ltrb(l, t + kRowHeaderTop, r, t + kRowBarsTop);
        ChartBand header{band,
                         {{band.adjusted(kTextInset, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                           resText(kStrGpsTracked).arg(m_counts.gpsTracked)}}};
        if (m_counts.sbasTracked != 0)
            header.texts.push_back({band, Qt::AlignRight | Qt::AlignVCenter,
                                    resText(kStrSbasTracked).arg(m_counts.sbasTracked)});
        out.bands.push_back(header);
        widenScale(m_rows[0]);
        out.rows.push_back(layoutRow(m_rows[0], ltrb(l, t + kRowBarsTop, r, m), h, pitch));
    }
    if ((m_rowMask & kShowRow1) && m_counts.glonassTracked != 0) {
        const QRect band = ltrb(l, m + kRowHeaderTop, r, m + kRowBarsTop);
        out.bands.push_back({band,
                             {{band.adjusted(kTextInset, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                               resText(kStrGlonassTracked).arg(m_counts.glonassTracked)}}});
        widenScale(m_rows[1]);
        out.rows.push_back(layoutRow(m_rows[1], ltrb(l, m + kRowBarsTop, r, b), h, pitch));
    }
    return out;
}

ChartRowLayout SignalChartModel::layoutRow(const BarRow& row, QRect area, int h, int pitch) {
    const int x0 = area.left(), y0 = area.top();
    const int x1 = x0 + area.width(), y1 = y0 + area.height();
    ChartRowLayout out;
    out.fontTenthsPt = barFontTenthsPt(x1 - x0);
    const int gridBottom = y1 + 1 - h;
    out.grid = ltrb(x0, y0, x1, gridBottom);
    out.lineLeft = x0;
    out.lineRight = x1;
    for (int i = 0; i < kGridBands; ++i)
        out.lineY.push_back(gridBottom - i * ((gridBottom - y0) / kGridBands));

    BarRow sorted = row;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const BarEntry& a, const BarEntry& b) { return a.prn < b.prn; });
    // Satellites with signal first; the rest only blank their label areas after them.
    std::stable_partition(sorted.begin(), sorted.end(),
                          [](const BarEntry& e) { return e.prn != 0 && e.snrDbHz != 0; });

    const int base = y1 - h;
    const int areaHeight = base - (y0 + 1);
    for (int k = 0; k < kBarsPerRow; ++k) {
        const BarEntry& e = sorted[static_cast<size_t>(k)];
        const int left = x0 + k * pitch + 1, right = x0 + (k + 1) * pitch - 1;
        ChartBar bar;
        bar.labelArea = ltrb(left, base + 2, right + 1, base + h + 2);
        if (e.prn != 0 && e.snrDbHz != 0) {
            const int height = barHeight(e.snrDbHz, m_scaleMin, m_scaleMax, areaHeight);
            bar.bar = ltrb(left, base - height, right, base);
            bar.fill = isSbas(e.prn) ? ChartColour::Sbas
                       : e.used      ? ChartColour::Highlight
                                     : ChartColour::GreyText;
            bar.snr = {ltrb(left, base - height, right, base - height + h),
                       Qt::AlignHCenter | Qt::AlignTop, QString::asprintf("%02d", e.snrDbHz)};
            bar.prn = {bar.labelArea, Qt::AlignCenter, QString::number(e.prn)};
        }
        out.bars.push_back(bar);
    }
    return out;
}

}  // namespace quorrel
