#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "receiver/external/SirfCommands.h"
#include "receiver/external/SirfFrame.h"

using namespace quorrel;
using Bytes = std::vector<std::uint8_t>;

namespace {

// Start, length, payload, checksum, end: the frame as written out by hand.
Bytes frame(std::uint16_t length, const Bytes& payload, std::uint16_t checksum) {
    Bytes out;
    out.reserve(payload.size() + 8);
    out.push_back(0xA0);
    out.push_back(0xA2);
    out.push_back(std::uint8_t(length >> 8));
    out.push_back(std::uint8_t(length));
    for (std::uint8_t byte : payload)
        out.push_back(byte);
    out.push_back(std::uint8_t(checksum >> 8));
    out.push_back(std::uint8_t(checksum));
    out.push_back(0xB0);
    out.push_back(0xB3);
    return out;
}

Bytes zeros(std::size_t n) {
    return Bytes(n, 0);
}

Bytes concat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& part : parts)
        out.insert(out.end(), part.begin(), part.end());
    return out;
}

struct CommandCase {
    const char* legend;
    Bytes payload;
    Bytes expected;
};

}  // namespace

TEST(SirfFrame, EveryCommandEncodesToItsHandWrittenFrame) {
    const Bytes nmeaPairs{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 1, 0, 1, 0, 1, 0, 1};
    const CommandCase cases[] = {
        {"initialise data source", initDataSourcePayload(),
         frame(25, concat({{0x80}, zeros(22), {0x0C, 0x10}}), 0x009C)},
        {"NMEA at 57600", switchToNmeaPayload(57600),
         frame(24, concat({{0x81, 0x02}, nmeaPairs, {0xE1, 0x00}}), 0x0174)},
        {"NMEA at 9600", switchToNmeaPayload(9600),
         frame(24, concat({{0x81, 0x02}, nmeaPairs, {0x25, 0x80}}), 0x0138)},
        {"DGPS source SBAS", dgpsSourcePayload(true), frame(7, {0x85, 1, 0, 0, 0, 0, 0}, 0x0086)},
        {"DGPS source none", dgpsSourcePayload(false), frame(7, {0x85, 0, 0, 0, 0, 0, 0}, 0x0085)},
        {"DGPS automatic", dgpsControlPayload(true), frame(3, {0x8A, 0, 30}, 0x00A8)},
        {"DGPS never", dgpsControlPayload(false), frame(3, {0x8A, 2, 30}, 0x00AA)},
        {"elevation mask 10", elevationMaskPayload(10), frame(5, {0x8B, 0, 50, 0, 100}, 0x0121)},
        {"elevation mask -5", elevationMaskPayload(-5),
         frame(5, {0x8B, 0, 50, 0xFF, 0xCE}, 0x028A)},
        {"static navigation off", staticNavigationOffPayload(), frame(2, {0x8F, 0}, 0x008F)},
        {"poll ephemeris", pollEphemerisPayload(), frame(3, {0x93, 0, 0}, 0x0093)},
        {"poll navigation parameters", pollNavigationParametersPayload(),
         frame(2, {0x98, 0}, 0x0098)},
        {"message 2 off", messageRateOffPayload(2), frame(8, {0xA6, 0, 2, 0, 0, 0, 0, 0}, 0x00A8)},
        {"message 255 off", messageRateOffPayload(255),
         frame(8, {0xA6, 0, 255, 0, 0, 0, 0, 0}, 0x01A5)},
        {"initialise navigation", initNavigationPayload(),
         frame(28, concat({{0xAC, 0x01}, zeros(14), {0x00, 0x01, 0x77, 0x00}, zeros(6), {12, 8}}),
               0x0139)},
    };
    for (const CommandCase& c : cases)
        EXPECT_EQ(encodeSirfFrame(c.payload), c.expected) << c.legend;
}

TEST(SirfFrame, ChecksumKeepsFifteenBitsAndAcceptsTheFullSum) {
    const Bytes payload(200, 0xFF);  // sum 51000 = 0xC738
    EXPECT_EQ(sirfChecksum(payload.data(), payload.size()), 0x4738);
    EXPECT_TRUE(sirfChecksumMatches(0x4738, payload.data(), payload.size()));
    EXPECT_TRUE(sirfChecksumMatches(0xC738, payload.data(), payload.size()));
    EXPECT_FALSE(sirfChecksumMatches(0x4737, payload.data(), payload.size()));
}

TEST(SirfFrame, SwitchToBinaryCarriesTheXorOfItsBody) {
    // XOR of "PSRF100,0,57600,8,1,0" is 0x37; of "PSRF100,0,9600,8,1,0" 0x0C.
    EXPECT_EQ(switchToBinarySentence(57600), "$PSRF100,0,57600,8,1,0*37\r\n");
    EXPECT_EQ(switchToBinarySentence(9600), "$PSRF100,0,9600,8,1,0*0C\r\n");
    EXPECT_EQ(switchToBinarySentence(115200), "$PSRF100,0,115200,8,1,0*04\r\n");
}
