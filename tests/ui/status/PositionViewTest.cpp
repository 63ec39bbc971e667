#include <gtest/gtest.h>

#include "ui/kit/Resources.h"
#include "ui/kit/StringIds.h"
#include "ui/status/PositionView.h"

using namespace quorrel;

namespace {

QString northSouth(double v) {
    return formatCoordinate(v, u'N', u'S');
}
QString eastWest(double v) {
    return formatCoordinate(v, u'E', u'W');
}

PositionSnapshot board(int solutionType, int correctionAge = 0) {
    PositionSnapshot s;
    s.deviceClass = kBoardDeviceClass;
    s.position.solutionType = solutionType;
    s.position.correctionAge = correctionAge;
    s.position.satellitesUsed = 9;
    s.position.horizontalError = 0.012f;
    s.position.verticalError = 0.025f;
    s.baselineM = 1234.5678f;
    return s;
}

}  // namespace

TEST(CoordinateFormat, ShowsDegreesMinutesSecondsAndHemisphere) {
    EXPECT_EQ(northSouth(-33.5), QString::fromUtf8("033°30'0.00000\"S"));
    EXPECT_EQ(northSouth(48.5), QString::fromUtf8("048°30'0.00000\"N"));
    EXPECT_EQ(eastWest(200.0), QString::fromUtf8("160°00'0.00000\"W"));
    EXPECT_EQ(northSouth(45.123456789), QString::fromUtf8("045°07'24.44444\"N"));
    EXPECT_EQ(northSouth(0.0), QString::fromUtf8("000°00'0.00000\"N"));
    EXPECT_EQ(eastWest(-0.5), QString::fromUtf8("000°30'0.00000\"W"));
}

TEST(CoordinateFormat, RoundsBeforeSplittingSoSixtySecondsNeverShow) {
    EXPECT_EQ(northSouth(10.99999999999), QString::fromUtf8("011°00'0.00000\"N"));
    EXPECT_EQ(northSouth(12.0 + 59.0 / 60 + 59.999999999 / 3600),
              QString::fromUtf8("013°00'0.00000\"N"));
    EXPECT_EQ(eastWest(179.999999999999), QString::fromUtf8("180°00'0.00000\"E"));
}

TEST(PositionUnits, UsCustomaryOnlyForTheUsMeasurementSystem) {
    EXPECT_TRUE(usesUsUnits(QLocale(QLocale::English, QLocale::UnitedStates)));
    EXPECT_FALSE(usesUsUnits(QLocale(QLocale::English, QLocale::UnitedKingdom)));
    EXPECT_FALSE(usesUsUnits(QLocale(QLocale::German, QLocale::Germany)));
}

TEST(PositionUnits, EveryLengthInUsSurveyFeet) {
    PositionSnapshot s = board(5, 2);
    s.position.ellipsoidHeight = 100.0;
    s.position.horizontalError = 1.0f;
    s.position.verticalError = 2.0f;
    s.baselineM = 10.0f;
    const PositionRows feet = formatPosition(s, true);
    EXPECT_EQ(feet.altitude, "328.083 ft");
    EXPECT_EQ(feet.hrms, "3.281 ft");
    EXPECT_EQ(feet.vrms, "6.562 ft");
    EXPECT_EQ(feet.baseline, "32.808 ft");
    const PositionRows metres = formatPosition(s, false);
    EXPECT_EQ(metres.altitude, "100.000 m");
    EXPECT_EQ(metres.hrms, "1.000 m");
    EXPECT_EQ(metres.baseline, "10.000 m");
}

TEST(PositionRowsTest, ShowsSatellitesAndPdop) {
    PositionSnapshot s = board(1);
    s.position.pdop = 1.86f;
    s.position.satellitesUsed = 12;
    const PositionRows rows = formatPosition(s, false);
    EXPECT_EQ(rows.satellites, "12");
    EXPECT_EQ(rows.pdop, "1.9");
}

TEST(PositionRowsTest, AutonomousHidesStatusAgeAndAccuracyAndKeepsTheirTexts) {
    const PositionRows rows = formatPosition(board(1, 3), false);
    EXPECT_FALSE(rows.showStatus);
    EXPECT_FALSE(rows.showAge);
    EXPECT_FALSE(rows.showAccuracy);
    EXPECT_FALSE(rows.status.has_value());
    EXPECT_FALSE(rows.age.has_value());
    EXPECT_FALSE(rows.hrms.has_value());
    EXPECT_FALSE(rows.baseline.has_value());
}

TEST(PositionRowsTest, DgpsWithoutAgeShowsStatusOnly) {
    const PositionRows rows = formatPosition(board(3, 0), false);
    EXPECT_TRUE(rows.showStatus);
    EXPECT_EQ(rows.status, "DGPS");
    EXPECT_FALSE(rows.showAge);
    EXPECT_FALSE(rows.showAccuracy);
}

TEST(PositionRowsTest, SdgpsShowsAgeButNoAccuracy) {
    const PositionRows rows = formatPosition(board(2, 7), false);
    EXPECT_EQ(rows.status, "SDGPS");
    EXPECT_TRUE(rows.showAge);
    EXPECT_EQ(rows.age, "7 sec");
    EXPECT_FALSE(rows.showAccuracy);
}

TEST(PositionRowsTest, FixedShowsAgeErrorsAndBaseline) {
    const PositionRows rows = formatPosition(board(5, 2), false);
    EXPECT_EQ(rows.status, "FIXED");
    EXPECT_EQ(rows.age, "2 sec");
    EXPECT_TRUE(rows.showStatus && rows.showAge && rows.showAccuracy);
    EXPECT_EQ(rows.hrms, "0.012 m");
    EXPECT_EQ(rows.vrms, "0.025 m");
    EXPECT_EQ(rows.baseline, "1234.568 m");
}

TEST(PositionRowsTest, FloatShowsAccuracyAndBaselineIsZeroWhenUnknown) {
    PositionSnapshot s = board(4, 1);
    s.baselineM.reset();
    const PositionRows rows = formatPosition(s, false);
    EXPECT_EQ(rows.status, "FLOAT");
    EXPECT_TRUE(rows.showAccuracy);
    EXPECT_EQ(rows.baseline, "0.000 m");
}

TEST(PositionRowsTest, UnknownSolutionTypeHidesStatus) {
    for (int type : {0, 6, -1, 99}) {
        const PositionRows rows = formatPosition(board(type, 5), false);
        EXPECT_FALSE(rows.showStatus) << type;
        EXPECT_FALSE(rows.showAge) << type;
        EXPECT_FALSE(rows.showAccuracy) << type;
    }
}

TEST(PositionRowsTest, TimeToFixedInSecondsThenRoundedUpMinutes) {
    const struct {
        int wti;
        const char* text;
    } cases[] = {{1, "1 sec"},   {45, "45 sec"}, {59, "59 sec"},   {60, "2 min"},
                 {119, "2 min"}, {120, "3 min"}, {9998, "167 min"}};
    for (const auto& c : cases) {
        PositionSnapshot s = board(1);
        s.wtiSeconds = c.wti;
        const PositionRows rows = formatPosition(s, false);
        EXPECT_TRUE(rows.showTimeToFixed) << c.wti;
        EXPECT_EQ(rows.timeToFixed, c.text) << c.wti;
    }
    for (int hidden : {0, -3, 9999, 100000}) {
        PositionSnapshot s = board(1);
        s.wtiSeconds = hidden;
        const PositionRows rows = formatPosition(s, false);
        EXPECT_FALSE(rows.showTimeToFixed) << hidden;
        EXPECT_FALSE(rows.timeToFixed.has_value()) << hidden;
    }
}

TEST(PositionRowsTest, ExternalReceiverWithoutSatellitesShowsZeros) {
    PositionSnapshot s = board(5, 2);
    s.deviceClass = 0;
    s.position.satellitesUsed = 0;
    s.position.latitude = 48.5;
    s.position.longitude = 11.25;
    s.position.ellipsoidHeight = 512.0;
    s.position.pdop = 2.5f;
    const PositionRows rows = formatPosition(s, false);
    EXPECT_EQ(rows.latitude, QString::fromUtf8("000°00'0.00000\"N"));
    EXPECT_EQ(rows.longitude, QString::fromUtf8("000°00'0.00000\"E"));
    EXPECT_EQ(rows.altitude, "0.000 m");
    EXPECT_EQ(rows.pdop, "0.0");
    EXPECT_FALSE(rows.showStatus);
    EXPECT_FALSE(rows.showAccuracy);
}

TEST(PositionRowsTest, BoardKeepsLastValuesWithoutSatellites) {
    PositionSnapshot s = board(5, 2);
    s.position.satellitesUsed = 0;
    s.position.latitude = 48.5;
    EXPECT_EQ(formatPosition(s, false).latitude, QString::fromUtf8("048°30'0.00000\"N"));
    EXPECT_EQ(formatPosition(s, false).status, "FIXED");
    s.deviceClass = 1;
    s.position.satellitesUsed = 4;  // the module with satellites shows its fix too
    EXPECT_EQ(formatPosition(s, false).latitude, QString::fromUtf8("048°30'0.00000\"N"));
}

TEST(PositionRowsTest, TakesTextsFromTheResourcesAtEachRefresh) {
    Resources& resources = Resources::instance();
    resources.addBuiltinText(kStrEast, QStringLiteral("Ost"));
    resources.addBuiltinText(kStrSeconds, QStringLiteral("s"));
    resources.addBuiltinText(kStrFixed, QStringLiteral("FEST"));
    PositionSnapshot s = board(5, 4);
    s.position.longitude = 8.0;
    const PositionRows rows = formatPosition(s, false);
    resources.addBuiltinText(kStrEast, QStringLiteral("E"));
    resources.addBuiltinText(kStrSeconds, QStringLiteral("sec"));
    resources.addBuiltinText(kStrFixed, QStringLiteral("FIXED"));
    EXPECT_EQ(rows.longitude, QString::fromUtf8("008°00'0.00000\"O"));
    EXPECT_EQ(rows.age, "4 s");
    EXPECT_EQ(rows.status, "FEST");
}
