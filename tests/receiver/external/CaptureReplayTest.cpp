// The SiRF II stream recorded from a real module, replayed through our assembler and
// parsers, against what an independent decoder made of the same bytes.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "SkyRecords.h"
#include "platform/MemoryByteSource.h"
#include "receiver/external/SirfFrameAssembler.h"
#include "receiver/external/SirfParsers.h"

using namespace quorrel;

namespace {

const std::string kCapture = std::string(QUORREL_CAPTURES_DIR) + "/bu303-moving.log";

std::string readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// The recorder's "#" comment lines come before the receiver's first byte.
std::string withoutComments(const std::string& log) {
    std::size_t start = 0;
    while (start < log.size() && log[start] == '#') {
        const std::size_t end = log.find('\n', start);
        if (end == std::string::npos) return {};
        start = end + 1;
    }
    return log.substr(start);
}

}  // namespace

TEST(CaptureReplay, EveryFrameOfTheSirfRecordingAssembles) {
    const std::string log = readFile(kCapture);
    if (log.empty()) GTEST_SKIP() << "no recorded streams at " << QUORREL_CAPTURES_DIR;
    MemoryByteSource source(61);
    source.append(withoutComments(log));
    SirfFrameAssembler assembler(source, 0);
    std::map<int, int> byId;
    std::size_t bytes = 0;
    SirfFrameAssembler::Result result;
    while ((result = assembler.next()) != SirfFrameAssembler::Result::Failed) {
        if (result != SirfFrameAssembler::Result::Unit) continue;
        ASSERT_EQ(assembler.kind(), SirfUnitKind::Frame);
        ++byId[assembler.payload()[0]];
        bytes += assembler.unit().size();
    }
    EXPECT_EQ(assembler.droppedFrames(), 0u);
    // Every byte belongs to a frame, but for the recorder's closing newline.
    EXPECT_EQ(bytes + 1, withoutComments(log).size());
    const std::map<int, int> expected{{2, 12},  {4, 11},  {9, 11}, {10, 2},
                                      {27, 11}, {41, 11}, {50, 7}};
    EXPECT_EQ(byId, expected);
}

TEST(CaptureReplay, SatellitesMatchTheIndependentDecoder) {
    const std::string log = readFile(kCapture);
    const std::string decoded = readFile(kCapture + ".chk");
    if (log.empty() || decoded.empty())
        GTEST_SKIP() << "no recorded streams at " << QUORREL_CAPTURES_DIR;
    const std::vector<SkyRecord> sky = skyRecordsFromJson(decoded);
    const std::vector<SkyRecord> ours = skyRecordsFromFrames(withoutComments(log));
    ASSERT_EQ(sky.size(), 11u);
    EXPECT_SAME_SKY(ours, sky);
}

TEST(CaptureReplay, PositionOfTheOldModuleIsReadButNoFix) {
    // This module leaves the fix fields of message 41 empty; its position is there.
    const std::string log = readFile(kCapture);
    if (log.empty()) GTEST_SKIP() << "no recorded streams at " << QUORREL_CAPTURES_DIR;
    MemoryByteSource source;
    source.append(withoutComments(log));
    SirfFrameAssembler assembler(source, 0);
    int fixes = 0;
    while (assembler.next() != SirfFrameAssembler::Result::Failed) {
        if (assembler.unit().empty() || assembler.payload()[0] != kSirfGeodeticNavigation) continue;
        GeodeticFix fix;
        ASSERT_TRUE(
            parseGeodeticNavigation(assembler.payload(), assembler.payloadLength(), 0.0, fix));
        EXPECT_NEAR(fix.position.latitude, 46.4983, 0.001);
        EXPECT_NEAR(fix.position.longitude, 7.5674, 0.001);
        EXPECT_NEAR(fix.position.altitude, 1345.0, 5.0);
        EXPECT_FALSE(fix.valid);
        ++fixes;
    }
    EXPECT_EQ(fixes, 11);
}
