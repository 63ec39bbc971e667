#include "sim/board/PositionModel.h"

#include <algorithm>
#include <cmath>

namespace quorrel {
namespace {

constexpr double kCorrelationS = 120.0;
constexpr double kCorrectionLatencyS = 1.1;

double hypot3(const Enu& e) {
    return std::sqrt(e.east * e.east + e.north * e.north + e.up * e.up);
}

}  // namespace

int ggaQuality(SolutionKind kind) {
    switch (kind) {
        case SolutionKind::NoFix:
            return 0;
        case SolutionKind::Autonomous:
            return 1;
        case SolutionKind::Sbas:
        case SolutionKind::Dgps:
            return 2;
        case SolutionKind::Float:
            return 5;
        case SolutionKind::Fixed:
            return 4;
    }
    return 0;
}

int vecMode(SolutionKind kind) {
    switch (kind) {
        case SolutionKind::Sbas:
            return 9;
        case SolutionKind::Dgps:
            return 1;
        case SolutionKind::Float:
            return 2;
        case SolutionKind::Fixed:
            return 3;
        default:
            return 0;
    }
}

PositionModel::PositionModel(const Geodetic& start, std::uint32_t seed, double timeScale)
    : m_start(start), m_base(start), m_timeScale(timeScale), m_random(seed) {}

void PositionModel::restart(double nowS, bool withFix) {
    m_startS = nowS;
    m_firstFixS = withFix ? nowS : nowS + kAcquisitionS * m_timeScale;
    m_rtkSinceS = std::max(nowS, m_correctionsSinceS);
}

double PositionModel::acquisition(double nowS) const {
    if (m_firstFixS <= m_startS) return 1.0;
    return std::clamp((nowS - m_startS) / (m_firstFixS - m_startS), 0.0, 1.0);
}

void PositionModel::setCorrections(bool flowing, double nowS, const Geodetic& base, int stationId) {
    if (flowing && !m_corrections) {
        m_correctionsSinceS = nowS;
        m_rtkSinceS = nowS;
        m_lastCorrectionS = nowS;
    }
    m_corrections = flowing;
    m_base = flowing ? base : m_start;
    m_stationId = flowing ? stationId : 0;
}

void PositionModel::restartRtk(double nowS) {
    m_rtkSinceS = nowS;
}

SolutionKind PositionModel::stage(double nowS, int usedCount, bool sbasUsed) const {
    if (m_forced) return *m_forced;
    if (nowS < m_firstFixS || usedCount < 4) return SolutionKind::NoFix;
    if (m_corrections && !m_baseMode) {
        const double since = nowS - m_correctionsSinceS;
        const double rtk = nowS - m_rtkSinceS;
        if (since >= kDgpsAfterS * m_timeScale) {
            if (rtk >= kFixedAfterS * m_timeScale) return SolutionKind::Fixed;
            if (rtk >= kFloatAfterS * m_timeScale) return SolutionKind::Float;
            return SolutionKind::Dgps;
        }
    }
    if (sbasUsed && nowS - m_firstFixS >= kSbasAfterS * m_timeScale) return SolutionKind::Sbas;
    return SolutionKind::Autonomous;
}

Enu PositionModel::sigmaFor(SolutionKind kind, double nowS, const Dilution& dop) const {
    double horizontal = 1.4, vertical = 2.6;
    switch (kind) {
        case SolutionKind::NoFix:
            return {99.999, 99.999, 99.999};
        case SolutionKind::Autonomous:
            break;
        case SolutionKind::Sbas:
            horizontal = 0.6, vertical = 1.1;
            break;
        case SolutionKind::Dgps:
            horizontal = 0.35, vertical = 0.6;
            break;
        case SolutionKind::Float: {
            // The float solution converges from decimetres towards the fix.
            const double span = (kFixedAfterS - kFloatAfterS) * m_timeScale;
            const double t = span > 0 ? std::clamp((nowS - m_rtkSinceS) / span, 0.0, 1.0) : 1.0;
            horizontal = 0.25 - 0.19 * t, vertical = 0.45 - 0.33 * t;
            break;
        }
        case SolutionKind::Fixed:
            horizontal = 0.008, vertical = 0.015;
            break;
    }
    const double h = horizontal * std::max(dop.hdop, 0.5) / std::sqrt(2.0);
    return {h, h * 1.1, vertical * std::max(dop.vdop, 0.5)};
}

void PositionModel::advanceNoise(double dtS) {
    const double a = std::exp(-dtS / kCorrelationS);
    const double b = std::sqrt(1.0 - a * a);
    m_noise.east = a * m_noise.east + b * m_normal(m_random);
    m_noise.north = a * m_noise.north + b * m_normal(m_random);
    m_noise.up = a * m_noise.up + b * m_normal(m_random);
}

Fix PositionModel::update(double nowS, const Dilution& dop, int usedCount, bool sbasUsed) {
    const double dt = m_lastUpdateS < 0 ? 0.0 : std::max(nowS - m_lastUpdateS, 0.0);
    if (dt > 0) advanceNoise(dt);
    m_lastUpdateS = nowS;

    Fix fix;
    fix.kind = stage(nowS, usedCount, sbasUsed);
    fix.sigma = sigmaFor(fix.kind, nowS, dop);
    fix.rmsM = std::min(hypot3(fix.sigma) * 0.8, 99.999);
    const Enu offset = fix.kind == SolutionKind::NoFix
                           ? Enu{}
                           : Enu{fix.sigma.east * m_noise.east, fix.sigma.north * m_noise.north,
                                 fix.sigma.up * m_noise.up};
    fix.position = displaced(m_start, offset);
    if (dt > 0 && fix.kind != SolutionKind::NoFix) {
        const double ve = (offset.east - m_lastOffset.east) / dt;
        const double vn = (offset.north - m_lastOffset.north) / dt;
        fix.speedMs = std::hypot(ve, vn);
        const double course = std::atan2(ve, vn) * kRadToDeg;
        fix.courseDeg = course < 0 ? course + 360.0 : course;
    }
    m_lastOffset = offset;

    const bool differential = fix.kind == SolutionKind::Dgps || fix.kind == SolutionKind::Float ||
                              fix.kind == SolutionKind::Fixed;
    if (differential && m_corrections) {
        // A correction reaches the rover about a second after its own epoch (the base's
        // measurement, encoding, transmission), so its age never drops below that.
        fix.correctionAgeS = std::max(nowS - m_lastCorrectionS, 0.0) + kCorrectionLatencyS;
        fix.stationId = m_stationId;
        const Ecef rover = toEcef(fix.position), base = toEcef(m_base);
        fix.baseline = {rover.x - base.x, rover.y - base.y, rover.z - base.z};
    }
    if (m_corrections && !m_baseMode && fix.kind != SolutionKind::Fixed) {
        const double left = m_rtkSinceS + kFixedAfterS * m_timeScale - nowS;
        fix.secondsToFixed = std::max(1, int(std::ceil(left)));
    }
    return fix;
}

}  // namespace quorrel
