#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "sim/board/SkyModel.h"

using namespace quorrel;

namespace {

constexpr double kMarch2026 = 1773491696.0;

struct Counts {
    int gps = 0, glonass = 0, sbas = 0, used = 0;
};

Counts count(const std::vector<SatelliteView>& sats) {
    Counts c;
    for (const SatelliteView& s : sats) {
        if (s.system == Constellation::Gps) ++c.gps;
        if (s.system == Constellation::Glonass) ++c.glonass;
        if (s.system == Constellation::Sbas) ++c.sbas;
        if (s.used) ++c.used;
    }
    return c;
}

}  // namespace

// Around the clock, from mid latitudes and from the equator, the sky looks like a real one.
TEST(SkyModel, ConstellationsGiveBelievableCountsAllDay) {
    for (const Geodetic& place : {Geodetic{48.14, 11.58, 560}, Geodetic{-1.3, 36.8, 1700}}) {
        SkyModel sky;
        sky.setReceiver(place);
        for (int step = 0; step < 48; ++step) {
            const auto sats = sky.visible(kMarch2026 + step * 1800.0, TrackingOptions{});
            const Counts c = count(sats);
            EXPECT_GE(c.gps, 6) << step;
            EXPECT_LE(c.gps, 14) << step;
            EXPECT_GE(c.glonass, 3) << step;
            EXPECT_LE(c.glonass, 16) << step;
            EXPECT_EQ(c.sbas, 2) << step;
            EXPECT_LE(c.gps + c.sbas, SkyModel::kGroupLimit);
            for (const SatelliteView& s : sats) {
                EXPECT_GE(s.elevationDeg, 0.0);
                EXPECT_LE(s.elevationDeg, 90.0);
                EXPECT_GE(s.azimuthDeg, 0.0);
                EXPECT_LT(s.azimuthDeg, 360.0);
            }
        }
    }
}

TEST(SkyModel, SatellitesMoveAndSignalRisesWithElevation) {
    SkyModel sky;
    sky.setReceiver({48.14, 11.58, 560});
    const auto before = sky.visible(kMarch2026, TrackingOptions{});
    const auto after = sky.visible(kMarch2026 + 60.0, TrackingOptions{});
    int moved = 0;
    for (const SatelliteView& a : before)
        for (const SatelliteView& b : after)
            if (a.prn == b.prn && a.system != Constellation::Sbas) {
                const double change = std::fabs(a.elevationDeg - b.elevationDeg);
                EXPECT_LT(change, 1.0) << a.prn;  // half a degree a minute at most
                moved += change > 0.01 ? 1 : 0;
            }
    EXPECT_GT(moved, 5);
    const SatelliteView* low = nullptr;
    const SatelliteView* high = nullptr;
    for (const SatelliteView& s : before) {
        if (s.system != Constellation::Gps || s.snrDbHz == 0) continue;
        if (!low || s.elevationDeg < low->elevationDeg) low = &s;
        if (!high || s.elevationDeg > high->elevationDeg) high = &s;
    }
    ASSERT_TRUE(low && high);
    EXPECT_GT(high->snrDbHz, low->snrDbHz + 5);
}

TEST(SkyModel, TrackingOptionsDecideWhatIsListedAndUsed) {
    SkyModel sky;
    sky.setReceiver({48.14, 11.58, 560});
    TrackingOptions options;
    options.glonass = false;
    options.sbas = false;
    options.elevationMaskDeg = 25;
    const auto sats = sky.visible(kMarch2026, options);
    const Counts c = count(sats);
    EXPECT_EQ(c.glonass, 0);
    EXPECT_EQ(c.sbas, 0);
    for (const SatelliteView& s : sats)
        EXPECT_EQ(s.used, s.elevationDeg >= 25 && s.snrDbHz > 0);

    options.acquisition = 0.0;
    for (const SatelliteView& s : sky.visible(kMarch2026, options)) {
        EXPECT_EQ(s.snrDbHz, 0);
        EXPECT_FALSE(s.used);
    }
}

TEST(SkyModel, DilutionComesFromTheGeometryOfTheUsedSatellites) {
    SkyModel sky;
    sky.setReceiver({48.14, 11.58, 560});
    auto sats = sky.visible(kMarch2026, TrackingOptions{});
    const Dilution all = SkyModel::dilution(sats);
    EXPECT_GT(all.pdop, 0.5);
    EXPECT_LT(all.pdop, 3.0);
    EXPECT_LT(all.hdop, all.pdop);
    EXPECT_NEAR(all.pdop * all.pdop, all.hdop * all.hdop + all.vdop * all.vdop, 1e-9);
    // Fewer satellites, weaker geometry; fewer than four, no solution at all.
    int kept = 0;
    for (SatelliteView& s : sats)
        if (s.used && ++kept > 5) s.used = false;
    EXPECT_GT(SkyModel::dilution(sats).pdop, all.pdop);
    kept = 0;
    for (SatelliteView& s : sats)
        if (s.used && ++kept > 3) s.used = false;
    EXPECT_DOUBLE_EQ(SkyModel::dilution(sats).pdop, 99.9);
}
