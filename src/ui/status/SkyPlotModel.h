#pragma once

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <array>
#include <cstdint>
#include <vector>

#include "receiver/link/StatusRecords.h"
#include "ui/status/StatusBitmaps.h"

namespace quorrel {

// What the sky plot shows of one satellite.
struct PlotEntry {
    int prn = 0;
    int azimuthDeg = 0;
    int elevationDeg = 0;
    bool used = false;
    QColor textColour;
    int markerId = 0;
    int snrDbHz = 0;

    // Equal as far as the screen is concerned (the SNR shows only through the marker).
    bool looksLike(const PlotEntry& other) const {
        return prn == other.prn && azimuthDeg == other.azimuthDeg &&
               elevationDeg == other.elevationDeg && textColour == other.textColour &&
               markerId == other.markerId;
    }
};

constexpr int kPlotGroups = 2;      // 0 GPS, 1 GLONASS and SBAS
constexpr int kPlotGroupSize = 20;  // satellites shown per group
using PlotGroup = std::array<PlotEntry, kPlotGroupSize>;
using PlotEntries = std::array<PlotGroup, kPlotGroups>;

constexpr std::uint32_t kShowGps = 0x10;
constexpr std::uint32_t kShowGlonassSbas = 0x20;

// Marker images of one group, by resource id.
struct MarkerImages {
    int usedWithSignal = 0;
    int usedWithoutSignal = 0;
    int notUsed = 0;
};

// Colours, fonts and spacing of the plot. The defaults are the control's own.
struct SkyPlotStyle {
    std::array<QColor, kPlotGroups> usedColour{QColor(255, 255, 0), QColor(0, 240, 60)};
    std::array<QColor, kPlotGroups> notUsedColour{QColor(192, 192, 192), QColor(192, 192, 192)};
    QColor ringColour{128, 0, 255};
    QColor discColour{0, 0, 0};
    QColor labelColour{255, 255, 255};
    int fontTenthsPt = 90;
    int labelElevationDeg = 15;
    int ringStepDeg = 15;
    int spokeStepDeg = 30;
    QString prnFormat = QStringLiteral("PRN:%1");  // %1 is the PRN
    std::array<MarkerImages, kPlotGroups> markers{
        MarkerImages{kBmpGpsUsed, kBmpGpsUsedNoSignal, kBmpGpsNotUsed},
        MarkerImages{kBmpGlonassUsed, kBmpGlonassUsedNoSignal, kBmpGlonassNotUsed}};
};

// The style the satellites page gives its plot.
SkyPlotStyle satellitesPageStyle();

// Fills the two groups from the first `count` satellites of the table, in table order: PRN
// 1–32 to GPS, 65–96 and 120–138 to the other group; other PRNs and a group's 21st satellite
// on are left out.
PlotEntries buildPlotEntries(const SatelliteTable& table, int count);

// Where things lie on a plot of a given client size.
struct SkyPlotGeometry {
    QRect background;  // painted white
    double cx = 0.0, cy = 0.0, radius = 0.0;

    static SkyPlotGeometry forClientSize(QSize size);
    // North up, azimuth clockwise, elevation 90 at the centre and 0 on the outer circle.
    QPoint pointAt(int azimuthDeg, int elevationDeg) const;
    int ringRadius(int elevationDeg) const;
    QPoint spokeEnd(int azimuthDeg) const;
};

// True for an entry that is drawn: a satellite with a PRN, at most 90° up, and not at
// azimuth 0 and elevation 0 (no position yet).
bool isDrawable(const PlotEntry& entry);

// What should be on the plot, what is on it, and which entries to draw to get from one to
// the other. Every drawing is an exclusive-or, so drawing an entry again erases it.
class SkyPlotModel {
public:
    void setStyle(const SkyPlotStyle& style);
    const SkyPlotStyle& style() const { return m_style; }
    void setGroupMask(std::uint32_t mask) { m_groupMask = mask; }
    std::uint32_t groupMask() const { return m_groupMask; }
    bool isGroupShown(int group) const { return (m_groupMask & (kShowGps << group)) != 0; }

    // Takes new entries and works out each one's text colour and marker.
    void setEntries(const PlotEntries& entries);
    const PlotEntries& entries() const { return m_entries; }
    const PlotEntries& drawn() const { return m_drawn; }

    // The drawings that turn the drawn copy into the entries (old copy first, then the new
    // one, for each changed entry); the drawn copy then equals the entries.
    std::vector<PlotEntry> takeUpdate();
    // The drawings of a full repaint over a fresh grid; they become the drawn copy.
    std::vector<PlotEntry> takeFullRepaint();

    QString prnLabel(int prn) const { return m_style.prnFormat.arg(prn); }

private:
    void resolve(int group, PlotEntry& entry) const;

    SkyPlotStyle m_style;
    std::uint32_t m_groupMask = kShowGps;
    PlotEntries m_entries{};
    PlotEntries m_drawn{};
};

}  // namespace quorrel
