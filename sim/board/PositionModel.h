#pragma once

#include <cstdint>
#include <optional>
#include <random>

#include "sim/board/Geodesy.h"
#include "sim/board/SkyModel.h"

namespace quorrel {

enum class SolutionKind { NoFix, Autonomous, Sbas, Dgps, Float, Fixed };

// One epoch's solution, from which every position sentence of that epoch is formatted.
struct Fix {
    SolutionKind kind = SolutionKind::NoFix;
    Geodetic position;
    double speedMs = 0;
    double courseDeg = 0;
    Enu sigma;                   // one-sigma error estimate per axis, metres
    double rmsM = 0;             // range residual RMS, metres
    double correctionAgeS = -1;  // negative: no corrections
    int stationId = 0;
    Ecef baseline;           // antenna minus base, ECEF metres; zero without a base
    int secondsToFixed = 0;  // while corrections flow and the fix is not yet reached
};

// The navigation filter: autonomous metre-level wander, then DGPS, FLOAT and FIXED at set
// times after corrections start to flow, back to autonomous when they stop. The wander is a
// first-order Gauss-Markov process per axis (two-minute correlation), so consecutive
// epochs move smoothly.
class PositionModel {
public:
    // Seconds (before scaling) after the first corrections at which each stage is reached.
    static constexpr double kDgpsAfterS = 2.0;
    static constexpr double kFloatAfterS = 5.0;
    static constexpr double kFixedAfterS = 12.0;
    static constexpr double kAcquisitionS = 3.0;
    static constexpr double kSbasAfterS = 4.0;

    PositionModel(const Geodetic& start, std::uint32_t seed, double timeScale);

    // Start or reset: satellites are searched for again before the first fix.
    void restart(double nowS, bool withFix);
    // Fraction of the acquisition done, 0 … 1 (the sky model locks channels in this order).
    double acquisition(double nowS) const;
    void setCorrections(bool flowing, double nowS, const Geodetic& base, int stationId);
    bool correctionsFlowing() const { return m_corrections; }
    void correctionReceived(double nowS) { m_lastCorrectionS = nowS; }
    // Throws away the ambiguities: FLOAT, then FIXED, are reached again from now.
    void restartRtk(double nowS);
    void forceSolution(std::optional<SolutionKind> kind) { m_forced = kind; }
    void setBaseMode(bool base) { m_baseMode = base; }
    const Geodetic& start() const { return m_start; }
    const Geodetic& base() const { return m_base; }

    Fix update(double nowS, const Dilution& dop, int usedCount, bool sbasUsed);

private:
    SolutionKind stage(double nowS, int usedCount, bool sbasUsed) const;
    Enu sigmaFor(SolutionKind kind, double nowS, const Dilution& dop) const;
    void advanceNoise(double dtS);

    Geodetic m_start;
    Geodetic m_base;
    double m_timeScale;
    std::mt19937 m_random;
    std::normal_distribution<double> m_normal{0.0, 1.0};
    double m_startS = 0;
    double m_firstFixS = 0;
    bool m_corrections = false;
    double m_correctionsSinceS = 0;
    double m_lastCorrectionS = -1;
    double m_rtkSinceS = 0;
    int m_stationId = 0;
    bool m_baseMode = false;
    std::optional<SolutionKind> m_forced;
    double m_lastUpdateS = -1;
    Enu m_noise;  // unit-variance state per axis
    Enu m_lastOffset;
};

// The numbers the board puts into GGA quality and the VEC mode field.
int ggaQuality(SolutionKind kind);
int vecMode(SolutionKind kind);

}  // namespace quorrel
