#include "ui/status/SkyPlotModel.h"

#include <algorithm>
#include <cmath>

namespace quorrel {
namespace {

constexpr double kRadiansPerDegree = 0.017453292519944444;  // 3.14159265359 / 180

int groupOf(int prn) {
    if (prn >= 1 && prn <= 32) return 0;
    if ((prn >= 65 && prn <= 96) || (prn >= 120 && prn <= 138)) return 1;
    return -1;
}

}  // namespace

SkyPlotStyle satellitesPageStyle() {
    SkyPlotStyle style;
    style.fontTenthsPt = 80;
    style.spokeStepDeg = 45;
    style.prnFormat = QStringLiteral("%1");
    return style;
}

PlotEntries buildPlotEntries(const SatelliteTable& table, int count) {
    PlotEntries entries{};
    std::array<int, kPlotGroups> filled{};
    count = std::clamp(count, 0, kSatelliteSlots);
    for (int i = 0; i < count; ++i) {
        const SatelliteEntry& sat = table[static_cast<size_t>(i)];
        const int group = groupOf(sat.prn);
        if (group < 0 || filled[group] == kPlotGroupSize) continue;
        PlotEntry& e = entries[group][filled[group]++];
        e.prn = sat.prn;
        e.azimuthDeg = sat.azimuth;
        e.elevationDeg = sat.elevation;
        e.used = sat.used != 0;
        e.snrDbHz = sat.snr;
    }
    return entries;
}

SkyPlotGeometry SkyPlotGeometry::forClientSize(QSize size) {
    SkyPlotGeometry g;
    // Right and bottom are exclusive edges here, as in the plot's pixel arithmetic.
    const int left = 5, top = 0, right = size.width() - 5, bottom = size.height() - 20;
    g.background = QRect(left, top, std::max(0, right - left), std::max(0, bottom - top));
    const int l = left + 2, t = top + 2, r = right - 2, b = bottom - 2;
    g.cx = (l + r) / 2.0;
    g.cy = (t + b) / 2.0;
    g.radius = std::max(0, std::min(r - l, b - t)) / 2.0;
    return g;
}

QPoint SkyPlotGeometry::pointAt(int azimuthDeg, int elevationDeg) const {
    const double r = (90 - elevationDeg) * (radius / 90.0);
    const double a = azimuthDeg * kRadiansPerDegree;
    return QPoint(static_cast<int>(cx + std::trunc(r * std::sin(a))),
                  static_cast<int>(cy + std::trunc(r * -std::cos(a))));
}

int SkyPlotGeometry::ringRadius(int elevationDeg) const {
    return static_cast<int>(radius - elevationDeg * radius / 90.0);
}

QPoint SkyPlotGeometry::spokeEnd(int azimuthDeg) const {
    const double a = azimuthDeg * kRadiansPerDegree;
    return QPoint(static_cast<int>(cx + std::trunc(radius * std::sin(a))),
                  static_cast<int>(cy - std::trunc(radius * std::cos(a))));
}

bool isDrawable(const PlotEntry& e) {
    return e.prn != 0 && e.elevationDeg <= 90 && !(e.azimuthDeg == 0 && e.elevationDeg == 0);
}

void SkyPlotModel::setStyle(const SkyPlotStyle& style) {
    m_style = style;
    setEntries(m_entries);
}

void SkyPlotModel::resolve(int group, PlotEntry& e) const {
    const MarkerImages& markers = m_style.markers[group];
    if (e.used) {
        e.textColour = m_style.usedColour[group];
        e.markerId = e.snrDbHz != 0 ? markers.usedWithSignal : markers.usedWithoutSignal;
    } else {
        e.textColour = m_style.notUsedColour[group];
        e.markerId = markers.notUsed;
    }
}

void SkyPlotModel::setEntries(const PlotEntries& entries) {
    m_entries = entries;
    for (int g = 0; g < kPlotGroups; ++g)
        for (PlotEntry& e : m_entries[g])
            resolve(g, e);
}

std::vector<PlotEntry> SkyPlotModel::takeUpdate() {
    std::vector<PlotEntry> drawings;
    for (int g = 0; g < kPlotGroups; ++g) {
        if (!isGroupShown(g)) continue;
        for (int i = 0; i < kPlotGroupSize; ++i) {
            PlotEntry& old = m_drawn[g][i];
            const PlotEntry& now = m_entries[g][i];
            if (old.looksLike(now)) continue;
            // Both sides use the same test, so an erase always matches an earlier drawing.
            if (isDrawable(old)) drawings.push_back(old);
            if (isDrawable(now)) drawings.push_back(now);
            old = now;
        }
    }
    return drawings;
}

std::vector<PlotEntry> SkyPlotModel::takeFullRepaint() {
    std::vector<PlotEntry> drawings;
    m_drawn = PlotEntries{};
    for (int g = 0; g < kPlotGroups; ++g) {
        if (!isGroupShown(g)) continue;
        m_drawn[g] = m_entries[g];
        for (const PlotEntry& e : m_entries[g])
            if (isDrawable(e)) drawings.push_back(e);
    }
    return drawings;
}

}  // namespace quorrel
