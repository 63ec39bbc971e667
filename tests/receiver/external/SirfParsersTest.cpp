#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "receiver/external/SirfParsers.h"

using namespace quorrel;
using Bytes = std::vector<std::uint8_t>;

namespace {

// A payload filled in field by field at the protocol's offsets.
struct Payload {
    explicit Payload(std::size_t length, std::uint8_t id) : bytes(length, 0) { bytes[0] = id; }
    Payload& u8(std::size_t at, std::uint32_t v) {
        bytes[at] = std::uint8_t(v);
        return *this;
    }
    Payload& u16(std::size_t at, std::uint32_t v) { return u8(at, v >> 8).u8(at + 1, v); }
    Payload& u32(std::size_t at, std::uint32_t v) {
        return u16(at, v >> 16).u16(at + 2, v & 0xFFFF);
    }
    Bytes bytes;
};

Payload geodetic() {
    Payload p(91, 41);
    p.u16(3, 0x0004).u16(5, 2345).u32(7, 345678123);
    p.u16(11, 2024).u8(13, 5).u8(14, 31).u8(15, 12).u8(16, 34).u16(17, 56789);
    p.u32(19, (1u << 1) | (1u << 7) | (1u << 26));  // PRN 2, 8, 27
    p.u32(23, 464982872).u32(27, std::uint32_t(-75674117));
    p.u32(31, 14567).u32(35, 10000);  // 145.67 m ellipsoid, 100.00 m above sea level
    p.u16(40, 1000).u16(42, 12345);   // 10 m/s, 123.45 degrees
    p.u32(50, 250).u32(54, 500);      // 2.5 m, 5.0 m
    p.u8(88, 7).u8(89, 6);            // 7 satellites, HDOP 1.2
    return p;
}

void expectSamePosition(const PositionRecord& a, const PositionRecord& b) {
    EXPECT_DOUBLE_EQ(a.latitude, b.latitude);
    EXPECT_DOUBLE_EQ(a.longitude, b.longitude);
    EXPECT_NEAR(a.ellipsoidHeight, b.ellipsoidHeight, 1e-9);
    EXPECT_NEAR(a.altitude, b.altitude, 1e-9);
    EXPECT_EQ(a.vectorX, b.vectorX);
    EXPECT_EQ(a.vectorY, b.vectorY);
    EXPECT_EQ(a.vectorZ, b.vectorZ);
    EXPECT_EQ(a.gpsWeek, b.gpsWeek);
    EXPECT_DOUBLE_EQ(a.gpsTimeOfWeek, b.gpsTimeOfWeek);
    EXPECT_EQ(a.satellitesUsed, b.satellitesUsed);
    EXPECT_NEAR(a.pdop, b.pdop, 1e-5);
    EXPECT_NEAR(a.hdop, b.hdop, 1e-6);
    EXPECT_NEAR(a.course, b.course, 1e-9);
    EXPECT_NEAR(a.speed, b.speed, 1e-9);
    EXPECT_EQ(a.glonassUsed, b.glonassUsed);
    EXPECT_EQ(a.solutionType, b.solutionType);
    EXPECT_EQ(a.correctionAge, b.correctionAge);
    EXPECT_FLOAT_EQ(a.horizontalError, b.horizontalError);
    EXPECT_FLOAT_EQ(a.verticalError, b.verticalError);
    EXPECT_FLOAT_EQ(a.horizontalError2, b.horizontalError2);
    EXPECT_FLOAT_EQ(a.verticalError2, b.verticalError2);
    EXPECT_EQ(a.utcYear, b.utcYear);
    EXPECT_EQ(a.utcMonth, b.utcMonth);
    EXPECT_EQ(a.utcDay, b.utcDay);
    EXPECT_EQ(a.utcHour, b.utcHour);
    EXPECT_EQ(a.utcMinute, b.utcMinute);
    EXPECT_EQ(a.utcSecond, b.utcSecond);
    EXPECT_EQ(a.utcMillisecond, b.utcMillisecond);
}

}  // namespace

TEST(SirfParsers, GeodeticNavigationFillsTheWholeRecord) {
    const Bytes payload = geodetic().bytes;
    GeodeticFix fix;
    ASSERT_TRUE(parseGeodeticNavigation(payload.data(), payload.size(), 0.0, fix));

    PositionRecord expected;
    expected.latitude = 46.4982872;
    expected.longitude = -7.5674117;
    expected.ellipsoidHeight = 145.67;
    expected.altitude = 100.0;
    expected.gpsWeek = 2345;
    expected.gpsTimeOfWeek = 345678.123;
    expected.satellitesUsed = 7;
    expected.hdop = 1.2f;
    expected.pdop = float(std::sqrt(1.2 * 1.2 + 2.4 * 2.4));  // VDOP = HDOP × 5.0 / 2.5
    expected.course = 123.45;
    expected.speed = 36.0;
    expected.solutionType = 1;
    expected.horizontalError = expected.horizontalError2 = 2.5f;
    expected.verticalError = expected.verticalError2 = 5.0f;
    expected.utcYear = 2024;
    expected.utcMonth = 5;
    expected.utcDay = 31;
    expected.utcHour = 12;
    expected.utcMinute = 34;
    expected.utcSecond = 56;
    expected.utcMillisecond = 789;
    expectSamePosition(fix.position, expected);
    EXPECT_TRUE(fix.valid);
    ASSERT_EQ(fix.used.count, 3);
    EXPECT_EQ(fix.used.prns[0], 2);
    EXPECT_EQ(fix.used.prns[1], 8);
    EXPECT_EQ(fix.used.prns[2], 27);
}

TEST(SirfParsers, AntennaHeightComesOffBothAltitudes) {
    const Bytes payload = geodetic().bytes;
    GeodeticFix fix;
    ASSERT_TRUE(parseGeodeticNavigation(payload.data(), payload.size(), 2.0, fix));
    EXPECT_NEAR(fix.position.altitude, 98.0, 1e-9);
    EXPECT_NEAR(fix.position.ellipsoidHeight, 143.67, 1e-9);
}

TEST(SirfParsers, GeodeticSolutionTypeAndValidity) {
    Payload differential = geodetic();
    differential.u16(3, 0x0084);
    GeodeticFix fix;
    ASSERT_TRUE(parseGeodeticNavigation(differential.bytes.data(), 91, 0.0, fix));
    EXPECT_EQ(fix.position.solutionType, 2);

    Payload none = geodetic();
    none.u8(88, 0).u32(50, 0);
    ASSERT_TRUE(parseGeodeticNavigation(none.bytes.data(), 91, 0.0, fix));
    EXPECT_FALSE(fix.valid);
    EXPECT_EQ(fix.position.solutionType, 0);
    EXPECT_EQ(fix.position.pdop, 0.0f);  // no horizontal error to scale by

    fix.position.latitude = 1.0;
    EXPECT_FALSE(parseGeodeticNavigation(none.bytes.data(), 90, 0.0, fix));
    EXPECT_EQ(fix.position.latitude, 1.0);
}

TEST(SirfParsers, MeasuredTrackerGivesOneRowPerChannel) {
    Payload p(8 + 12 * 15, 4);
    p.u16(1, 2345).u32(3, 34567812).u8(7, 12);
    // Channel 0: PRN 8, azimuth 126 × 1.5 = 189, elevation 132 / 2 = 66, last C/N0 44.
    p.u8(8, 8).u8(9, 126).u8(10, 132).u16(11, 0xBF);
    for (std::size_t k = 0; k < 10; ++k)
        p.u8(13 + k, 40 + k / 2);
    // Channel 1: PRN 28, azimuth 107 × 1.5 = 160.5, elevation 15 / 2 = 7.5, no signal.
    p.u8(23, 28).u8(24, 107).u8(25, 15);
    UsedSatellites used;
    used.prns[0] = 8;
    used.count = 1;
    SatelliteTable table;
    int count = 0;
    ASSERT_TRUE(parseMeasuredTracker(p.bytes.data(), p.bytes.size(), used, table, count));
    EXPECT_EQ(count, 12);
    EXPECT_EQ(table[0].prn, 8);
    EXPECT_EQ(table[0].azimuth, 189);
    EXPECT_EQ(table[0].elevation, 66);
    EXPECT_EQ(table[0].snr, 44);
    EXPECT_EQ(table[0].used, 1);
    EXPECT_EQ(table[1].prn, 28);
    EXPECT_EQ(table[1].azimuth, 160);
    EXPECT_EQ(table[1].elevation, 7);
    EXPECT_EQ(table[1].snr, 0);
    EXPECT_EQ(table[1].used, 0);
    EXPECT_EQ(table[2].prn, 0);
}

TEST(SirfParsers, MeasuredTrackerNeverReadsPastThePayload) {
    Payload p(8 + 2 * 15 + 7, 4);  // claims 12 channels, carries two and a half
    p.u8(7, 12).u8(8, 5).u8(23, 6).u8(38, 7);
    SatelliteTable table;
    int count = 0;
    ASSERT_TRUE(parseMeasuredTracker(p.bytes.data(), p.bytes.size(), {}, table, count));
    EXPECT_EQ(count, 2);
    EXPECT_EQ(table[1].prn, 6);
    EXPECT_EQ(table[2].prn, 0);
}

TEST(SirfParsers, NavigationParametersGiveMaskAndSbas) {
    Payload p(65, 19);
    p.u8(13, 1).u16(20, 75).u8(27, 1).u8(28, 0).u8(29, 30);
    NavigationParameters parameters;
    ASSERT_TRUE(parseNavigationParameters(p.bytes.data(), p.bytes.size(), parameters));
    EXPECT_EQ(parameters.elevationMaskTenths, 75);
    EXPECT_EQ(parameters.staticNavigation, 1);
    EXPECT_EQ(parameters.dgpsTimeoutS, 30);
    EXPECT_TRUE(parameters.sbasOn());
    EXPECT_EQ(parameters.payload[20], 0);
    EXPECT_EQ(parameters.payload[21], 75);

    p.u8(28, 2);  // never use corrections
    ASSERT_TRUE(parseNavigationParameters(p.bytes.data(), p.bytes.size(), parameters));
    EXPECT_FALSE(parameters.sbasOn());
    p.u8(28, 1).u8(27, 0);  // exclusive, but no SBAS source
    ASSERT_TRUE(parseNavigationParameters(p.bytes.data(), p.bytes.size(), parameters));
    EXPECT_FALSE(parameters.sbasOn());
    p.u16(20, std::uint32_t(-200) & 0xFFFF);
    ASSERT_TRUE(parseNavigationParameters(p.bytes.data(), p.bytes.size(), parameters));
    EXPECT_EQ(parameters.elevationMaskTenths, -200);
    EXPECT_FALSE(parseNavigationParameters(p.bytes.data(), 64, parameters));
}

TEST(SirfParsers, SmallMessages) {
    std::string version;
    const Bytes v6{6, 'G', 'S', 'W', '2', 0, 'x'};
    ASSERT_TRUE(parseSoftwareVersion(v6.data(), v6.size(), version));
    EXPECT_EQ(version, "GSW2");
    Bytes longVersion(1 + 100, 'a');
    longVersion[0] = 6;
    ASSERT_TRUE(parseSoftwareVersion(longVersion.data(), longVersion.size(), version));
    EXPECT_EQ(version.size(), 80u);

    std::uint8_t id = 0xFF;
    const Bytes answer{11, 0x8B};
    ASSERT_TRUE(parseCommandAnswer(answer.data(), answer.size(), id));
    EXPECT_EQ(id, 0x8B);
    ASSERT_TRUE(parseCommandAnswer(answer.data(), 1, id));
    EXPECT_EQ(id, 0);

    bool ok = false;
    const Bytes okToSend{18, 1};
    ASSERT_TRUE(parseOkToSend(okToSend.data(), okToSend.size(), ok));
    EXPECT_TRUE(ok);
    EXPECT_FALSE(parseOkToSend(okToSend.data(), 1, ok));
}
