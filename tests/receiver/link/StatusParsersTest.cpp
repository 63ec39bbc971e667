#include <gtest/gtest.h>

#include <cmath>

#include "ParserTestSupport.h"
#include "receiver/link/SentenceParsers.h"

using namespace quorrel;
using quorrel::test::damaged;
using quorrel::test::feed;
using quorrel::test::sentence;

namespace {

const std::string kGga =
    "GPGGA,232712.000,4404.1237962,N,12118.8472460,W,4,14,0.8,1132.560,M,-20.300,M,2.7,0001";

SatelliteEntry sat(int prn, int elevation, int azimuth, int snr, int used = 0) {
    return SatelliteEntry{prn, elevation, azimuth, snr, used};
}

}  // namespace

TEST(GgaParser, StoresPositionHeightsSatellitesAndAge) {
    ReceiverStatus status;
    EXPECT_EQ(feed(status, sentence(kGga)), SentenceEvent::None);
    const PositionRecord& r = status.workingPosition();
    EXPECT_NEAR(r.latitude, 44 + 4.123796 / 60, 1e-12);
    // Seven minute decimals must not cost the hemisphere.
    EXPECT_NEAR(r.longitude, -(121 + 18.847246 / 60), 1e-12);
    EXPECT_DOUBLE_EQ(r.altitude, 1132.56);
    EXPECT_DOUBLE_EQ(r.ellipsoidHeight, 1132.56 + double(-20.3f));
    EXPECT_EQ(r.satellitesUsed, 14);
    EXPECT_EQ(r.solutionType, 1);
    EXPECT_EQ(r.correctionAge, 2);
    EXPECT_EQ(status.epochFlag, 0);
}

TEST(GgaParser, QualityZeroMeansNoPositionAndEmptyFieldsReadZero) {
    ReceiverStatus status;
    feed(status, sentence("GPGGA,000000.00,,,,,0,00,,,M,,M,,"));
    const PositionRecord& r = status.workingPosition();
    EXPECT_EQ(r.solutionType, 0);
    EXPECT_EQ(r.latitude, 0.0);
    EXPECT_EQ(r.correctionAge, 0);
}

TEST(GgaParser, SouthAndWestAreNegative) {
    ReceiverStatus status;
    feed(status, sentence("GPGGA,1,3330.0000,S,15115.0000,E,1,08,1.0,5.0,M,0.0,M,,"));
    EXPECT_DOUBLE_EQ(status.workingPosition().latitude, -33.5);
    EXPECT_DOUBLE_EQ(status.workingPosition().longitude, 151.25);
}

TEST(GllParser, StoresLatitudeAndLongitude) {
    ReceiverStatus status;
    feed(status, sentence("GPGLL,4807.038,N,01131.000,W,123519,A"));
    EXPECT_NEAR(status.workingPosition().latitude, 48 + 7.038 / 60, 1e-12);
    EXPECT_NEAR(status.workingPosition().longitude, -(11 + 31.0 / 60), 1e-12);
}

TEST(StatusParsers, DamagedChecksumChangesNothing) {
    ReceiverStatus status;
    feed(status, sentence(kGga));
    feed(status, sentence("GPGSA,A,3,02,05,,,,,,,,,,,1.4,0.8,1.1"));
    const PositionRecord before = status.workingPosition();
    const ReceiverStatus::UsedList usedBefore = status.usedList();
    for (const char* body :
         {"GPGGA,1,1111.0,S,02222.0,W,0,01,1.0,1.0,M,1.0,M,,",
          "GPGSA,A,3,07,,,,,,,,,,,,9.9,9.9,9.9", "GPGST,1,,,,,9.0,9.0,9.0",
          "GPVTG,10.0,T,,M,1.0,N,2.0,K,A", "GPZDA,010203.00,01,02,2003,00,00",
          "GPGLL,1111.0,S,02222.0,W,1,A", "PQVXR,VEC,3,0,0,1.0,2.0,3.0,0,0,0,0,0,0,1"}) {
        feed(status, damaged(body));
    }
    EXPECT_EQ(status.workingPosition(), before);
    EXPECT_EQ(status.usedList(), usedBefore);
    EXPECT_EQ(status.position(), PositionRecord{});
    EXPECT_EQ(status.epochFlag, 0);
}

TEST(GsaParser, GpThenGlKeepsOnlyTheGlonassList) {
    ReceiverStatus status;
    feed(status, sentence("GPGSA,A,3,02,05,12,,,,,,,,,,1.4,0.8,1.1"));
    feed(status, sentence("GLGSA,A,3,65,66,,,,,,,,,,,2.5,1.5,2.0"));
    EXPECT_FALSE(status.isUsed(2));
    EXPECT_TRUE(status.isUsed(65));
    EXPECT_TRUE(status.isUsed(66));
    EXPECT_EQ(status.workingPosition().glonassUsed, 1);
    EXPECT_FLOAT_EQ(status.workingPosition().pdop, 2.5f);
    EXPECT_FLOAT_EQ(status.workingPosition().hdop, 1.5f);
}

TEST(GsaParser, GnPairMergesGpsAndGlonassIntoOneList) {
    ReceiverStatus status;
    feed(status, sentence("GNGSA,A,3,02,05,12,,,,,,,,,,1.4,0.8,1.1"));
    feed(status, sentence("GNGSA,A,3,65,66,33,,,,,,,,,,1.4,0.8,1.1"));
    ReceiverStatus::UsedList expected{};
    const int prns[] = {2, 5, 12, 65, 66, 120};  // PRN 33 is SBAS 120
    for (int i = 0; i < 6; ++i)
        expected[i] = prns[i];
    EXPECT_EQ(status.usedList(), expected);
    EXPECT_EQ(status.workingPosition().glonassUsed, 1);

    // The next epoch's GPS sentence starts a new list.
    feed(status, sentence("GNGSA,A,3,07,,,,,,,,,,,,1.4,0.8,1.1"));
    expected = {};
    expected[0] = 7;
    EXPECT_EQ(status.usedList(), expected);
    EXPECT_EQ(status.workingPosition().glonassUsed, 0);
    EXPECT_FALSE(status.isUsed(0));
}

TEST(ReceiverStatus, UsedListLookupAtTheEdgesOfTheBitmap) {
    ReceiverStatus status;
    status.setUsedList({1, 63, 64, 138, 255, 300});
    for (int prn : {1, 63, 64, 138, 255, 300})
        EXPECT_TRUE(status.isUsed(prn)) << prn;
    for (int prn : {0, -1, 2, 62, 65, 256, 301})
        EXPECT_FALSE(status.isUsed(prn)) << prn;
    status.setUsedList({});
    EXPECT_FALSE(status.isUsed(64));
}

TEST(GsvParser, GroupIsPublishedOnlyAfterItsLastMessage) {
    ReceiverStatus status;
    feed(status, sentence("GPGSA,A,3,05,18,,,,,,,,,,,1.4,0.8,1.1"));
    const std::string group[] = {
        sentence("GPGSV,3,1,10,02,45,123,44,05,12,310,31,12,67,042,47,15,03,275,20"),
        sentence("GPGSV,3,2,10,18,33,095,41,21,25,200,39,24,55,300,45,25,71,010,48"),
        sentence("GPGSV,3,3,10,29,08,150,28.6,31,40,250,"),
    };
    SatelliteTable table{};
    feed(status, group[0]);
    feed(status, group[1]);
    EXPECT_EQ(status.satellites(table), 0);
    feed(status, group[2]);
    ASSERT_EQ(status.satellites(table), 10);
    EXPECT_EQ(table[0], sat(2, 45, 123, 44));
    EXPECT_EQ(table[1], sat(5, 12, 310, 31, 1));
    EXPECT_EQ(table[4], sat(18, 33, 95, 41, 1));
    EXPECT_EQ(table[8], sat(29, 8, 150, 29));  // SNR rounded to the nearest
    EXPECT_EQ(table[9], sat(31, 40, 250, 0));  // not tracked
    EXPECT_EQ(table[10], SatelliteEntry{});
}

TEST(GsvParser, GlonassGroupAppendsAfterTheGpsGroup) {
    ReceiverStatus status;
    SatelliteTable table{};
    feed(status, sentence("GPGSV,2,1,08,01,10,010,30,02,20,020,31,03,30,030,32,04,40,040,33"));
    feed(status, sentence("GPGSV,2,2,08,05,50,050,34,06,60,060,35,07,70,070,36,08,80,080,37"));
    EXPECT_EQ(status.satellites(table), 8);
    feed(status, sentence("GLGSV,2,1,06,65,30,040,40,66,60,120,45,67,15,210,33,72,45,330,42"));
    feed(status, sentence("GLGSV,2,2,06,73,20,080,36,74,75,160,47"));
    ASSERT_EQ(status.satellites(table), 14);
    EXPECT_EQ(table[7].prn, 8);
    EXPECT_EQ(table[8], sat(65, 30, 40, 40));
    EXPECT_EQ(table[13], sat(74, 75, 160, 47));

    // The next GPS group starts the table afresh.
    feed(status, sentence("GPGSV,1,1,01,09,10,010,30"));
    EXPECT_EQ(status.satellites(table), 1);
    EXPECT_EQ(table[1], SatelliteEntry{});
}

TEST(GsvParser, MessageNumbersOutsideOneToFourAreIgnored) {
    ReceiverStatus status;
    SatelliteTable table{};
    feed(status, sentence("GPGSV,5,5,17,02,45,123,44"));
    feed(status, sentence("GPGSV,1,0,01,02,45,123,44"));
    EXPECT_EQ(status.satellites(table), 0);
    EXPECT_EQ(status.workingSatellites()[0], SatelliteEntry{});
}

TEST(GsvParser, LastMessageTakesOnlyTheSatellitesLeftInView) {
    ReceiverStatus status;
    SatelliteTable table{};
    // Five in view: the second message holds one, whatever else it carries.
    feed(status, sentence("GPGSV,2,1,05,01,10,010,30,02,20,020,31,03,30,030,32,04,40,040,33"));
    feed(status, sentence("GPGSV,2,2,05,05,50,050,34,06,60,060,35"));
    EXPECT_EQ(status.satellites(table), 5);
}

TEST(GstParser, HorizontalErrorCombinesLatitudeAndLongitudeErrors) {
    ReceiverStatus status;
    feed(status, sentence("GPGST,232713.000,1.3,105.1,9.1,-40.9,0.3,0.4,0.6"));
    const PositionRecord& r = status.workingPosition();
    EXPECT_FLOAT_EQ(r.horizontalError, 0.5f);
    EXPECT_FLOAT_EQ(r.verticalError, 0.6f);
    EXPECT_EQ(r.horizontalError2, r.horizontalError);
    EXPECT_EQ(r.verticalError2, r.verticalError);
}

// Values with more integer digits than usual are those values, never a cut-off one.
TEST(StatusParsers, WideValuesAreReadWhole) {
    ReceiverStatus status;
    feed(status, sentence("GPGST,232713.000,1.3,105.1,9.1,-40.9,317.563,10.659,180.746"));
    EXPECT_NEAR(status.workingPosition().horizontalError, 317.7418f, 1e-3);
    EXPECT_FLOAT_EQ(status.workingPosition().verticalError, 180.746f);

    // PDOP past 99, HDOP keeps its one decimal; PRN 193 is no GPS 19.
    feed(status, sentence("GPGSA,A,3,193,05,19,,,,,,,,,,120.5,2.88,1.1"));
    EXPECT_FLOAT_EQ(status.workingPosition().pdop, 120.5f);
    EXPECT_FLOAT_EQ(status.workingPosition().hdop, 2.8f);
    ReceiverStatus::UsedList used{};
    used[0] = 5;
    used[1] = 19;
    EXPECT_EQ(status.usedList(), used);

    feed(status, sentence("GPGSV,1,1,03,193,00,293,,12,67,042,47,19,05,100,20"));
    SatelliteTable table{};
    ASSERT_EQ(status.satellites(table), 3);
    EXPECT_EQ(table[0], sat(193, 0, 293, 0));
    EXPECT_EQ(table[1], sat(12, 67, 42, 47));
    EXPECT_EQ(table[2], sat(19, 5, 100, 20, 1));
}

TEST(VtgParser, ModeNClearsCourseAndSpeed) {
    ReceiverStatus status;
    feed(status, sentence("GPVTG,159.2,T,,M,000.5,N,000.9,K,A"));
    EXPECT_DOUBLE_EQ(status.workingPosition().course, 159.2);
    EXPECT_DOUBLE_EQ(status.workingPosition().speed, 0.9);
    feed(status, sentence("GPVTG,159.2,T,,M,000.5,N,000.9,K,N"));
    EXPECT_EQ(status.workingPosition().course, 0.0);
    EXPECT_EQ(status.workingPosition().speed, 0.0);
    // An older receiver sends no mode at all: the values count.
    feed(status, sentence("GPVTG,45.5,T,,M,1.0,N,12.25,K"));
    EXPECT_DOUBLE_EQ(status.workingPosition().course, 45.5);
    EXPECT_DOUBLE_EQ(status.workingPosition().speed, 12.25);
}

TEST(ZdaParser, StartOfGpsTimeIsWeekZeroSecondFifteen) {
    ReceiverStatus status;
    feed(status, sentence("GPZDA,000000.00,06,01,1980,00,00"));
    const PositionRecord& r = status.workingPosition();
    EXPECT_EQ(r.gpsWeek, 0);
    EXPECT_DOUBLE_EQ(r.gpsTimeOfWeek, 15.0);
    EXPECT_EQ(r.utcYear, 1980);
    EXPECT_EQ(r.utcMonth, 1);
    EXPECT_EQ(r.utcDay, 6);
}

TEST(ZdaParser, LeapYearDateAndFractionOfSecond) {
    ReceiverStatus status;
    feed(status, sentence("GPZDA,232712.50,28,03,2016,00,00"));
    const PositionRecord& r = status.workingPosition();
    EXPECT_EQ(r.gpsWeek, 1890);
    EXPECT_DOUBLE_EQ(r.gpsTimeOfWeek, 170847.5);
    EXPECT_EQ(r.utcHour, 23);
    EXPECT_EQ(r.utcMinute, 27);
    EXPECT_EQ(r.utcSecond, 12);
    EXPECT_EQ(r.utcMillisecond, 500);
    feed(status, sentence("GPZDA,120000.00,01,03,2000,00,00"));
    EXPECT_EQ(r.gpsWeek, 1051);
    EXPECT_DOUBLE_EQ(r.gpsTimeOfWeek, 302415.0);
}

TEST(ZdaParser, MonthOutsideTheCalendarLeavesGpsTimeAlone) {
    ReceiverStatus status;
    feed(status, sentence("GPZDA,000000.00,06,01,1980,00,00"));
    feed(status, sentence("GPZDA,010000.00,06,13,1980,00,00"));
    EXPECT_EQ(status.workingPosition().utcMonth, 13);
    EXPECT_DOUBLE_EQ(status.workingPosition().gpsTimeOfWeek, 15.0);
}

TEST(VecParser, SolutionTypeFollowsTheModeAndTheEpochIsPublished) {
    struct Case {
        int ggaQuality, vecMode, solutionType;
    } cases[] = {{0, 0, 0}, {1, 0, 1}, {1, 1, 3}, {1, 2, 4}, {1, 3, 5}, {0, 9, 2}, {1, 7, 1}};
    for (const Case& c : cases) {
        ReceiverStatus status;
        feed(status, sentence("GPGGA,1,4404.0,N,12118.0,W," + std::to_string(c.ggaQuality) +
                              ",05,1.0,10.0,M,0.0,M,,"));
        EXPECT_EQ(status.position(), PositionRecord{});
        EXPECT_EQ(
            feed(status, sentence("PQVXR,VEC," + std::to_string(c.vecMode) +
                                  ",1,2,-1234.567,2345.678,-345.789,0.01,0.01,0.02,0,0,0,14")),
            SentenceEvent::Epoch);
        const PositionRecord published = status.position();
        EXPECT_EQ(published.solutionType, c.solutionType) << c.ggaQuality << "/" << c.vecMode;
        EXPECT_DOUBLE_EQ(published.vectorX, -1234.567);
        EXPECT_DOUBLE_EQ(published.vectorY, 2345.678);
        EXPECT_DOUBLE_EQ(published.vectorZ, -345.789);
        EXPECT_EQ(published, status.workingPosition());
        EXPECT_EQ(status.epochFlag, 1);
    }
}
