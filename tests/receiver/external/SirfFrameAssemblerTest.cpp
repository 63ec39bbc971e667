#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/MemoryByteSource.h"
#include "receiver/external/SirfCommands.h"
#include "receiver/external/SirfFrame.h"
#include "receiver/external/SirfFrameAssembler.h"

using namespace quorrel;
using Bytes = std::vector<std::uint8_t>;

namespace {

std::string text(const Bytes& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

Bytes ack(std::uint8_t id) {
    return encodeSirfFrame({11, id});
}

Bytes withChecksum(Bytes frame, std::uint16_t checksum) {
    frame[frame.size() - 4] = std::uint8_t(checksum >> 8);
    frame[frame.size() - 3] = std::uint8_t(checksum);
    return frame;
}

// Every unit the assembler delivers from `stream`, read `chunk` bytes at a time; frames as
// "F" + bytes, lines as "L" + text.
std::vector<std::string> assemble(const std::string& stream, std::size_t chunk,
                                  std::size_t* dropped = nullptr) {
    MemoryByteSource source(chunk);
    source.append(stream);
    SirfFrameAssembler assembler(source, 0);
    std::vector<std::string> units;
    SirfFrameAssembler::Result result;
    while ((result = assembler.next()) != SirfFrameAssembler::Result::Failed) {
        if (result != SirfFrameAssembler::Result::Unit) continue;
        const char tag = assembler.kind() == SirfUnitKind::Frame ? 'F' : 'L';
        units.push_back(tag + text(assembler.unit()));
    }
    if (dropped) *dropped = assembler.droppedFrames();
    return units;
}

struct FramingCase {
    const char* legend;
    std::string stream;
    std::vector<std::string> expected;
};

}  // namespace

TEST(SirfFrameAssembler, FramingTable) {
    const std::string good = text(ack(0x8B));
    const std::string other = text(ack(0x98));
    const std::string gga =
        "$GPGGA,120000.000,4629.8972,N,00734.0447,E,1,06,1.8,1345.0,M,,,,*00\r\n";
    Bytes badEnd = ack(0x8B);
    badEnd.back() = 0xB4;
    Bytes tooLong{0xA0, 0xA2, 0x50, 0x01};  // 20481 bytes of payload
    const FramingCase cases[] = {
        {"one frame", good, {"F" + good}},
        {"noise around frames", "xx" + good + "\x01\xA0" + other, {"F" + good, "F" + other}},
        {"bad checksum is dropped", text(withChecksum(ack(0x8B), 0x1234)) + other, {"F" + other}},
        {"bad end bytes are dropped", text(badEnd) + other, {"F" + other}},
        {"over-long length is dropped", text(tooLong) + other, {"F" + other}},
        {"zero length is dropped",
         std::string("\xA0\xA2\x00\x00\x00\x00\xB0\xB3", 8) + other,
         {"F" + other}},
        {"frame hidden behind a false start",
         std::string("\xA0\xA2\x00\x0A", 4) + good + other,
         {"F" + good, "F" + other}},
        {"NMEA line between frames", good + gga + other, {"F" + good, "L" + gga, "F" + other}},
        {"line cut by a frame start", "$GPGSV,3,1" + good, {"F" + good}},
        {"line restarted by a dollar", "$GPGS$PSRF\r\n", {"L$PSRF\r\n"}},
    };
    for (const FramingCase& c : cases)
        EXPECT_EQ(assemble(c.stream, 4096), c.expected) << c.legend;
}

TEST(SirfFrameAssembler, FrameSplitAcrossReadsOfEverySize) {
    const std::string stream = text(encodeSirfFrame(initNavigationPayload())) + text(ack(0x80));
    for (std::size_t chunk = 1; chunk <= 9; ++chunk) {
        const std::vector<std::string> units = assemble(stream, chunk);
        ASSERT_EQ(units.size(), 2u) << "chunk " << chunk;
        EXPECT_EQ(units[0].substr(1), text(encodeSirfFrame(initNavigationPayload())));
    }
}

TEST(SirfFrameAssembler, ReturnsAfterEveryReadAndKeepsTheHalfAssembledFrame) {
    const Bytes frame = ack(0x93);
    MemoryByteSource source;
    source.append(frame.data(), 5);
    source.appendSilence();
    source.append(frame.data() + 5, frame.size() - 5);
    SirfFrameAssembler assembler(source, 0);
    EXPECT_EQ(assembler.next(), SirfFrameAssembler::Result::Idle) << "half a frame";
    EXPECT_EQ(assembler.next(), SirfFrameAssembler::Result::Idle) << "silence";
    ASSERT_EQ(assembler.next(), SirfFrameAssembler::Result::Unit);
    EXPECT_EQ(assembler.unit(), frame);
    EXPECT_EQ(assembler.payloadLength(), 2u);
    EXPECT_EQ(assembler.payload()[1], 0x93);
    EXPECT_EQ(assembler.next(), SirfFrameAssembler::Result::Failed);
}

TEST(SirfFrameAssembler, LargestFrameFitsAndOneMoreByteDoesNot) {
    const std::size_t largest = SirfFrameAssembler::kBufferLimit - kSirfFrameOverhead;
    Bytes payload(largest, 0);
    payload[0] = 28;
    const std::string fits = text(encodeSirfFrame(payload));
    payload.push_back(0);
    const std::string tooBig = text(encodeSirfFrame(payload));
    std::size_t dropped = 0;
    EXPECT_EQ(assemble(fits, 997).size(), 1u);
    EXPECT_TRUE(assemble(tooBig, 997, &dropped).empty());
    EXPECT_EQ(dropped, 1u);
}

TEST(SirfFrameAssembler, EndlessLineIsDroppedAtTheLimit) {
    const std::string endless = "$GP" + std::string(SirfFrameAssembler::kBufferLimit, 'x');
    const std::string after = text(ack(0x8F));
    EXPECT_EQ(assemble(endless + "\r\n" + after, 4096), std::vector<std::string>{"F" + after});
}
