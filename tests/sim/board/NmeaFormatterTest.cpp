#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "receiver/link/Checksum.h"
#include "receiver/link/FieldReader.h"
#include "sim/board/NmeaChecksum.h"
#include "sim/board/NmeaFormatter.h"

using namespace quorrel;

namespace {

std::vector<std::string> fields(const std::string& body) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = body.find(',', start);
        out.push_back(body.substr(start, comma - start));
        if (comma == std::string::npos) return out;
        start = comma + 1;
    }
}

// An epoch at 2026-03-14 12:34:56.50 UTC with a fix near Munich.
EpochSnapshot sampleEpoch(SolutionKind kind) {
    EpochSnapshot e;
    e.utcMs = 1773491696500LL;
    e.fix.kind = kind;
    e.fix.position = {48.1371546, -11.5761249, 563.25};
    e.fix.sigma = {0.012, 0.010, 0.021};
    e.fix.rmsM = 0.02;
    e.fix.speedMs = 0.5;
    e.fix.courseDeg = 123.4;
    e.fix.correctionAgeS = kind == SolutionKind::Fixed ? 1.3 : -1;
    e.fix.stationId = kind == SolutionKind::Fixed ? 101 : 0;
    e.fix.baseline = {1234.5678, -234.5, 12.25};
    e.dop = {1.6, 0.9, 1.3};
    SkyModel sky;
    sky.setReceiver(e.fix.position);
    e.satellites = sky.visible(e.utcMs / 1000.0, TrackingOptions{});
    for (const SatelliteView& s : e.satellites)
        e.usedCount += s.used ? 1 : 0;
    return e;
}

}  // namespace

// What the program's GGA reader takes out must be what the board put in.
TEST(NmeaFormatter, GgaReadsBackThroughTheProgramsFieldReaders) {
    const EpochSnapshot e = sampleEpoch(SolutionKind::Fixed);
    const std::string body = nmea::gga(e);
    const std::vector<std::string> f = fields(body);
    ASSERT_EQ(f.size(), 15u);
    EXPECT_EQ(f[1], "123456.50");
    const char* p = body.c_str() + body.find(',', 6) + 1;
    EXPECT_NEAR(readLatitude(p), 48.1371546, 1e-7);
    ++p;
    EXPECT_NEAR(readLongitude(p), -11.5761249, 1e-7);
    EXPECT_EQ(f[6], "4");
    EXPECT_EQ(std::stoi(f[7]), e.usedCount);
    const double altitude = std::stod(f[9]), separation = std::stod(f[11]);
    EXPECT_NEAR(altitude + separation, 563.25, 0.002);
    EXPECT_EQ(f[13], "1.3");
    EXPECT_EQ(f[14], "0101");
    const std::string sentence = sealSentence(body);
    EXPECT_TRUE(checksumOk(sentence.c_str(), sentence.size()));
}

TEST(NmeaFormatter, GgaWithoutFixLeavesPositionEmptyAndQualityZero) {
    const std::vector<std::string> f = fields(nmea::gga(sampleEpoch(SolutionKind::NoFix)));
    ASSERT_EQ(f.size(), 15u);
    EXPECT_EQ(f[2], "");
    EXPECT_EQ(f[4], "");
    EXPECT_EQ(f[6], "0");
    EXPECT_EQ(f[9], "");
}

TEST(NmeaFormatter, MinutesNeverRoundUpToSixty) {
    EXPECT_EQ(nmea::latitudeField(47.99999999999), "4800.000000,N");
    EXPECT_EQ(nmea::longitudeField(-0.5), "00030.000000,W");
    EXPECT_EQ(nmea::latitudeField(-33.5), "3330.000000,S");
}

// A GN pair: GPS (SBAS numbered 33–51) in the first, GLONASS in the second, twelve PRN
// fields each.
TEST(NmeaFormatter, GsaPairSplitsGpsAndGlonass) {
    const EpochSnapshot e = sampleEpoch(SolutionKind::Autonomous);
    const std::vector<std::string> pair = nmea::gsa(e);
    ASSERT_EQ(pair.size(), 2u);
    int listed = 0;
    for (int sentence = 0; sentence < 2; ++sentence) {
        const std::vector<std::string> f = fields(pair[sentence]);
        ASSERT_EQ(f.size(), 18u) << pair[sentence];
        EXPECT_EQ(f[0], "GNGSA");
        for (int i = 3; i < 15; ++i) {
            if (f[i].empty()) continue;
            const int prn = std::stoi(f[i]);
            const bool fits = sentence == 0 ? prn >= 1 && prn <= 51 : prn >= 65 && prn <= 96;
            EXPECT_TRUE(fits) << pair[sentence];
            ++listed;
        }
        EXPECT_EQ(f[15], "1.6");
        EXPECT_EQ(f[17], "1.3");
    }
    EXPECT_EQ(listed, e.usedCount);
}

TEST(NmeaFormatter, GsvGroupsCountTheirSatellitesAndStayWithinFourMessages) {
    const EpochSnapshot e = sampleEpoch(SolutionKind::Autonomous);
    int gp = 0, gl = 0, entries = 0;
    for (const std::string& body : nmea::gsv(e)) {
        const std::vector<std::string> f = fields(body);
        const int total = std::stoi(f[1]), number = std::stoi(f[2]), inView = std::stoi(f[3]);
        EXPECT_GE(total, 1);
        EXPECT_LE(total, 4);
        EXPECT_LE(number, total);
        EXPECT_EQ((f.size() - 4) % 4, 0u) << body;
        const int here = int(f.size() - 4) / 4;
        EXPECT_EQ(here, number < total ? 4 : inView - (total - 1) * 4) << body;
        (f[0] == "GPGSV" ? gp : gl) = inView;
        entries += here;
    }
    EXPECT_GT(gp, 0);
    EXPECT_GT(gl, 0);
    EXPECT_EQ(entries, int(e.satellites.size()));
}

TEST(NmeaFormatter, EmptySkyStillClosesTheGpGroup) {
    EpochSnapshot e = sampleEpoch(SolutionKind::NoFix);
    e.satellites.clear();
    const std::vector<std::string> gsv = nmea::gsv(e);
    ASSERT_EQ(gsv.size(), 1u);
    EXPECT_EQ(gsv[0], "GPGSV,1,1,00");
}

// GGA, GST, ZDA and VEC of one epoch carry one time, and the error fields fit the reader's
// widths.
TEST(NmeaFormatter, SentencesOfOneEpochAgree) {
    const EpochSnapshot e = sampleEpoch(SolutionKind::Fixed);
    const std::vector<std::string> gst = fields(nmea::gst(e));
    const std::vector<std::string> zda = fields(nmea::zda(e));
    ASSERT_EQ(gst.size(), 9u);
    ASSERT_EQ(zda.size(), 7u);
    EXPECT_EQ(gst[1], fields(nmea::gga(e))[1]);
    EXPECT_EQ(zda[1], gst[1]);
    EXPECT_EQ(zda[2] + zda[3] + zda[4], "14032026");
    EXPECT_EQ(gst[6], "0.010");
    EXPECT_EQ(gst[7], "0.012");
    EXPECT_EQ(gst[8], "0.021");
    const std::vector<std::string> vtg = fields(nmea::vtg(e));
    ASSERT_EQ(vtg.size(), 10u);
    EXPECT_EQ(vtg[1], "123.4");
    EXPECT_EQ(vtg[7], "1.800");
    EXPECT_EQ(vtg[9], "R");
    const std::vector<std::string> vec = fields(nmea::vec(e));
    ASSERT_EQ(vec.size(), 15u);
    EXPECT_EQ(vec[2], "3");
    EXPECT_EQ(vec[5], "1234.5678");
    EXPECT_EQ(vec[6], "-234.5000");
    EXPECT_EQ(std::stoi(vec[14]), e.usedCount);
}

TEST(NmeaFormatter, VtgWithoutFixHasModeN) {
    EXPECT_EQ(nmea::vtg(sampleEpoch(SolutionKind::NoFix)), "GPVTG,,T,,M,,N,,K,N");
}
