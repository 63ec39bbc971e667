#include "sim/board/SkyModel.h"

#include <algorithm>
#include <cmath>

namespace quorrel {
namespace {

struct Shell {
    int planes;
    int perPlane;
    double radiusM;
    double inclinationDeg;
    double periodS;
    double phasingDeg;  // shift of the first slot from one plane to the next
};

constexpr Shell kGps{6, 5, 26559700.0, 55.0, 43082.0, 24.0};
constexpr Shell kGlonass{3, 8, 25510000.0, 64.8, 40544.0, 15.0};
constexpr double kGeostationaryM = 42164000.0;

struct GeoSlot {
    int prn;
    double longitudeDeg;
};
constexpr GeoSlot kSbas[] = {{120, -15.5}, {123, 31.5},  {126, 25.0},   {127, 55.0},
                             {128, 83.0},  {129, 140.0}, {131, -117.0}, {133, -129.0},
                             {136, 5.0},   {137, 140.0}, {138, -107.0}};

// Earth rotation angle (radians) at a UTC time; UT1 - UTC does not matter here.
double earthRotation(double unixSeconds) {
    const double daysSinceJ2000 = unixSeconds / 86400.0 + 2440587.5 - 2451545.0;
    const double turns = 0.7790572732640 + 1.00273781191135448 * daysSinceJ2000;
    return 2.0 * kPi * (turns - std::floor(turns));
}

Ecef orbitPosition(const Shell& shell, int plane, int slot, double unixSeconds) {
    const double raan = plane * (360.0 / shell.planes) * kDegToRad;
    const double u0 = (slot * 360.0 / shell.perPlane + plane * shell.phasingDeg) * kDegToRad;
    const double u = u0 + 2.0 * kPi * std::fmod(unixSeconds / shell.periodS, 1.0);
    const double inc = shell.inclinationDeg * kDegToRad;
    const double x = shell.radiusM *
                     (std::cos(u) * std::cos(raan) - std::sin(u) * std::cos(inc) * std::sin(raan));
    const double y = shell.radiusM *
                     (std::cos(u) * std::sin(raan) + std::sin(u) * std::cos(inc) * std::cos(raan));
    const double z = shell.radiusM * std::sin(u) * std::sin(inc);
    const double theta = earthRotation(unixSeconds);
    return {x * std::cos(theta) + y * std::sin(theta), -x * std::sin(theta) + y * std::cos(theta),
            z};
}

// A fixed value in [0, 1) per satellite: when it locks on during acquisition.
double lockOrder(int prn) {
    return std::fmod(prn * 0.618034, 1.0);
}

int signalStrength(const SatelliteView& sat, double unixSeconds) {
    const double sinEl = std::sin(sat.elevationDeg * kDegToRad);
    const double ripple = 1.5 * std::sin(unixSeconds / 97.0 + sat.prn);
    double snr = 32.0 + 17.0 * std::sqrt(std::max(sinEl, 0.0)) + ripple;
    if (sat.system == Constellation::Glonass) snr -= 2.0;
    if (sat.system == Constellation::Sbas) snr = 37.0 + 5.0 * sinEl + ripple;
    return static_cast<int>(std::lround(std::min(snr, 52.0)));
}

// Keeps the `limit` highest satellites of [first, last) and drops the rest.
void keepHighest(std::vector<SatelliteView>& sats, std::size_t first, std::size_t limit) {
    if (sats.size() - first <= limit) return;
    std::stable_sort(sats.begin() + first, sats.end(),
                     [](const auto& a, const auto& b) { return a.elevationDeg > b.elevationDeg; });
    sats.resize(first + limit);
    std::sort(sats.begin() + first, sats.end(),
              [](const auto& a, const auto& b) { return a.prn < b.prn; });
}

// Marks the usable satellites of [first, last) used, at most `limit`, highest first.
void markUsed(std::vector<SatelliteView>& sats, std::size_t first, std::size_t last,
              const TrackingOptions& options, int limit) {
    std::vector<SatelliteView*> usable;
    for (std::size_t i = first; i < last; ++i)
        if (sats[i].snrDbHz > 0 && sats[i].elevationDeg >= options.elevationMaskDeg)
            usable.push_back(&sats[i]);
    std::stable_sort(usable.begin(), usable.end(), [](const auto* a, const auto* b) {
        // GPS before SBAS, then by elevation.
        if ((a->system == Constellation::Sbas) != (b->system == Constellation::Sbas))
            return b->system == Constellation::Sbas;
        return a->elevationDeg > b->elevationDeg;
    });
    for (int i = 0; i < std::min<int>(limit, int(usable.size())); ++i)
        usable[i]->used = true;
}

}  // namespace

void SkyModel::setReceiver(const Geodetic& antenna) {
    m_antenna = antenna;
    m_antennaEcef = toEcef(antenna);
}

SatelliteView SkyModel::look(const Ecef& sat, int prn, Constellation system) const {
    const Ecef d{sat.x - m_antennaEcef.x, sat.y - m_antennaEcef.y, sat.z - m_antennaEcef.z};
    const Enu enu = toEnu(d, m_antenna);
    const double range = std::sqrt(enu.east * enu.east + enu.north * enu.north + enu.up * enu.up);
    SatelliteView view;
    view.prn = prn;
    view.system = system;
    view.lineOfSight = {enu.east / range, enu.north / range, enu.up / range};
    view.elevationDeg = std::asin(enu.up / range) * kRadToDeg;
    double az = std::atan2(enu.east, enu.north) * kRadToDeg;
    view.azimuthDeg = az < 0 ? az + 360.0 : az;
    return view;
}

void SkyModel::addGps(double t, std::vector<SatelliteView>& out) const {
    for (int plane = 0; plane < kGps.planes; ++plane)
        for (int slot = 0; slot < kGps.perPlane; ++slot) {
            const int prn = plane * kGps.perPlane + slot + 1;
            out.push_back(look(orbitPosition(kGps, plane, slot, t), prn, Constellation::Gps));
        }
}

void SkyModel::addGlonass(double t, std::vector<SatelliteView>& out) const {
    for (int plane = 0; plane < kGlonass.planes; ++plane)
        for (int slot = 0; slot < kGlonass.perPlane; ++slot) {
            const int prn = 65 + plane * kGlonass.perPlane + slot;
            out.push_back(
                look(orbitPosition(kGlonass, plane, slot, t), prn, Constellation::Glonass));
        }
}

// The two SBAS satellites highest in the sky.
void SkyModel::addSbas(std::vector<SatelliteView>& out) const {
    std::vector<SatelliteView> geo;
    for (const GeoSlot& slot : kSbas) {
        const double lon = slot.longitudeDeg * kDegToRad;
        geo.push_back(look({kGeostationaryM * std::cos(lon), kGeostationaryM * std::sin(lon), 0},
                           slot.prn, Constellation::Sbas));
    }
    std::stable_sort(geo.begin(), geo.end(),
                     [](const auto& a, const auto& b) { return a.elevationDeg > b.elevationDeg; });
    for (std::size_t i = 0; i < 2 && i < geo.size(); ++i)
        out.push_back(geo[i]);
}

std::vector<SatelliteView> SkyModel::visible(double t, const TrackingOptions& options) const {
    std::vector<SatelliteView> all;
    addGps(t, all);
    if (options.sbas) addSbas(all);
    const std::size_t glonassFrom = all.size();
    if (options.glonass) addGlonass(t, all);

    std::vector<SatelliteView> out;
    std::size_t groupEnd = 0;
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (i == glonassFrom) {
            keepHighest(out, 0, kGroupLimit);
            groupEnd = out.size();
        }
        SatelliteView sat = all[i];
        if (sat.elevationDeg < 0.0) continue;
        const bool locked = sat.elevationDeg >= 2.0 && lockOrder(sat.prn) < options.acquisition;
        sat.snrDbHz = locked ? signalStrength(sat, t) : 0;
        out.push_back(sat);
    }
    if (glonassFrom == all.size()) {
        keepHighest(out, 0, kGroupLimit);
        groupEnd = out.size();
    } else {
        keepHighest(out, groupEnd, kGroupLimit);
    }
    markUsed(out, 0, groupEnd, options, kGsaLimit);
    markUsed(out, groupEnd, out.size(), options, kGsaLimit);
    return out;
}

Dilution SkyModel::dilution(const std::vector<SatelliteView>& sats) {
    double n[4][8] = {};
    int used = 0;
    for (const SatelliteView& s : sats) {
        if (!s.used) continue;
        const double g[4] = {-s.lineOfSight.east, -s.lineOfSight.north, -s.lineOfSight.up, 1.0};
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c)
                n[r][c] += g[r] * g[c];
        ++used;
    }
    if (used < 4) return {};
    for (int r = 0; r < 4; ++r)
        n[r][4 + r] = 1.0;
    // Gauss-Jordan on the 4×4 normal matrix; it is symmetric positive definite here.
    for (int p = 0; p < 4; ++p) {
        const double pivot = n[p][p];
        if (std::fabs(pivot) < 1e-12) return {};
        for (int c = 0; c < 8; ++c)
            n[p][c] /= pivot;
        for (int r = 0; r < 4; ++r) {
            if (r == p) continue;
            const double f = n[r][p];
            for (int c = 0; c < 8; ++c)
                n[r][c] -= f * n[p][c];
        }
    }
    const double qe = n[0][4], qn = n[1][5], qu = n[2][6];
    auto cap = [](double v) { return std::min(v, 99.9); };
    return {cap(std::sqrt(qe + qn + qu)), cap(std::sqrt(qe + qn)), cap(std::sqrt(qu))};
}

}  // namespace quorrel
