#include <gtest/gtest.h>

#include <cmath>

#include "sim/board/PositionModel.h"

using namespace quorrel;

namespace {

constexpr double kScale = 0.01;  // every stage a hundred times faster
const Geodetic kStart{48.14, 11.58, 560.0};
const Dilution kDop{1.4, 0.8, 1.2};

double distanceM(const Geodetic& a, const Geodetic& b) {
    const Ecef p = toEcef(a), q = toEcef(b);
    return std::sqrt((p.x - q.x) * (p.x - q.x) + (p.y - q.y) * (p.y - q.y) +
                     (p.z - q.z) * (p.z - q.z));
}

double horizontalM(const Geodetic& a, const Geodetic& b) {
    const Ecef p = toEcef(a), q = toEcef(b);
    const Enu d = toEnu({p.x - q.x, p.y - q.y, p.z - q.z}, b);
    return std::hypot(d.east, d.north);
}

}  // namespace

TEST(PositionModel, SearchesFirstThenWandersAroundTheStartPoint) {
    PositionModel model(kStart, 7, kScale);
    model.restart(0.0, false);
    EXPECT_EQ(model.update(0.01, kDop, 14, false).kind, SolutionKind::NoFix);
    EXPECT_LT(model.acquisition(0.01), 1.0);
    Geodetic previous;
    for (int i = 0; i < 300; ++i) {
        const Fix fix = model.update(0.1 + i, kDop, 14, false);
        ASSERT_EQ(fix.kind, SolutionKind::Autonomous);
        EXPECT_LT(distanceM(fix.position, kStart), 12.0);
        if (i > 0) {
            EXPECT_LT(horizontalM(fix.position, previous), 0.6);
        }
        EXPECT_LT(fix.correctionAgeS, 0);
        previous = fix.position;
    }
    EXPECT_EQ(model.update(400, kDop, 3, false).kind, SolutionKind::NoFix);
}

TEST(PositionModel, SbasLiftsTheAutonomousSolution) {
    PositionModel model(kStart, 7, kScale);
    model.restart(0.0, true);
    EXPECT_EQ(model.update(0.01, kDop, 14, true).kind, SolutionKind::Autonomous);
    EXPECT_EQ(model.update(0.05, kDop, 14, true).kind, SolutionKind::Sbas);
}

// DGPS, FLOAT and FIXED follow at their (scaled) times; errors shrink, the baseline points to
// the base, and everything falls back when the corrections stop.
TEST(PositionModel, CorrectionsLeadToFixedAndBack) {
    PositionModel model(kStart, 7, kScale);
    model.restart(0.0, true);
    const Geodetic base = displaced(kStart, {1800, 2600, 12});
    model.setCorrections(true, 1.0, base, 101);
    const Fix early = model.update(1.01, kDop, 14, false);
    EXPECT_EQ(early.kind, SolutionKind::Autonomous);
    EXPECT_GT(early.secondsToFixed, 0);
    const Fix dgps = model.update(1.03, kDop, 14, false);
    const Fix floating = model.update(1.06, kDop, 14, false);
    const Fix fixed = model.update(1.13, kDop, 14, false);
    EXPECT_EQ(dgps.kind, SolutionKind::Dgps);
    EXPECT_EQ(floating.kind, SolutionKind::Float);
    EXPECT_EQ(fixed.kind, SolutionKind::Fixed);
    EXPECT_GT(dgps.sigma.east, floating.sigma.east);
    EXPECT_GT(floating.sigma.east, fixed.sigma.east);
    EXPECT_LT(fixed.sigma.up, 0.05);
    EXPECT_EQ(fixed.stationId, 101);
    EXPECT_EQ(fixed.secondsToFixed, 0);
    const double baseline =
        std::sqrt(fixed.baseline.x * fixed.baseline.x + fixed.baseline.y * fixed.baseline.y +
                  fixed.baseline.z * fixed.baseline.z);
    EXPECT_NEAR(baseline, distanceM(fixed.position, base), 1e-6);
    EXPECT_NEAR(baseline, std::sqrt(1800.0 * 1800 + 2600 * 2600 + 144), 5.0);
    EXPECT_GE(fixed.correctionAgeS, 0);

    model.restartRtk(1.2);
    EXPECT_EQ(model.update(1.21, kDop, 14, false).kind, SolutionKind::Dgps);
    model.setCorrections(false, 1.3, base, 0);
    const Fix after = model.update(1.31, kDop, 14, false);
    EXPECT_EQ(after.kind, SolutionKind::Autonomous);
    EXPECT_LT(after.correctionAgeS, 0);
    EXPECT_EQ(after.baseline.x, 0.0);
}

TEST(PositionModel, BaseModeIgnoresCorrectionsAndForcingWins) {
    PositionModel model(kStart, 7, kScale);
    model.restart(0.0, true);
    model.setBaseMode(true);
    model.setCorrections(true, 0.0, kStart, 1);
    EXPECT_EQ(model.update(1.0, kDop, 14, false).kind, SolutionKind::Autonomous);
    model.forceSolution(SolutionKind::Float);
    EXPECT_EQ(model.update(1.1, kDop, 14, false).kind, SolutionKind::Float);
    model.forceSolution(std::nullopt);
    EXPECT_EQ(model.update(1.2, kDop, 14, false).kind, SolutionKind::Autonomous);
}

TEST(PositionModel, QualityAndModeNumbersMatchTheSentences) {
    EXPECT_EQ(ggaQuality(SolutionKind::NoFix), 0);
    EXPECT_EQ(ggaQuality(SolutionKind::Autonomous), 1);
    EXPECT_EQ(ggaQuality(SolutionKind::Dgps), 2);
    EXPECT_EQ(ggaQuality(SolutionKind::Fixed), 4);
    EXPECT_EQ(ggaQuality(SolutionKind::Float), 5);
    EXPECT_EQ(vecMode(SolutionKind::Autonomous), 0);
    EXPECT_EQ(vecMode(SolutionKind::Sbas), 9);
    EXPECT_EQ(vecMode(SolutionKind::Dgps), 1);
    EXPECT_EQ(vecMode(SolutionKind::Float), 2);
    EXPECT_EQ(vecMode(SolutionKind::Fixed), 3);
}
