// The module frames, checks and encodes with code of its own. Two cross-checks with the
// program: what the module sends, the program's assembler must take whole; hand-written
// streams must be cut alike by the module's framer and the program's assembler.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/MemoryByteSource.h"
#include "receiver/external/SirfFrameAssembler.h"
#include "receiver/link/Checksum.h"
#include "sim/module/ModuleFrame.h"
#include "sim/module/ModuleInputFramer.h"
#include "sim/module/ModuleMessages.h"

using namespace quorrel;
using Bytes = std::vector<std::uint8_t>;

namespace {

// A frame or line, as either side delivers it: a line whole, a frame as its payload.
struct Unit {
    bool binary = false;
    Bytes bytes;

    bool operator==(const Unit&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Unit& u) {
    out << (u.binary ? "frame" : "line") << " of " << u.bytes.size() << " bytes:";
    for (std::size_t i = 0; i < u.bytes.size() && i < 12; ++i)
        out << ' ' << int(u.bytes[i]);
    return out;
}

std::vector<Unit> moduleReads(const Bytes& bytes, std::size_t piece) {
    std::vector<Unit> out;
    ModuleInputFramer framer;
    for (std::size_t at = 0; at < bytes.size(); at += piece) {
        const std::size_t length = std::min(piece, bytes.size() - at);
        for (ModuleInputUnit& unit : framer.push(bytes.data() + at, length))
            out.push_back({unit.binary, std::move(unit.bytes)});
    }
    return out;
}

std::vector<Unit> programReads(const Bytes& bytes, std::size_t piece) {
    std::vector<Unit> out;
    MemoryByteSource source(piece);
    source.append(bytes.data(), bytes.size());
    SirfFrameAssembler assembler(source, 0);
    SirfFrameAssembler::Result result;
    while ((result = assembler.next()) != SirfFrameAssembler::Result::Failed) {
        if (result != SirfFrameAssembler::Result::Unit) continue;
        if (assembler.kind() == SirfUnitKind::Frame)
            out.push_back({true, Bytes(assembler.payload(),
                                       assembler.payload() + assembler.payloadLength())});
        else
            out.push_back({false, assembler.unit()});
    }
    return out;
}

Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes text(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

}  // namespace

// Frames worked out by hand: A0 A2, length, payload, 15-bit sum, B0 B3.
TEST(ModuleFramingCrossCheck, ModuleAndProgramCutHandWrittenStreamsAlike) {
    const Bytes ack{0xA0, 0xA2, 0x00, 0x02, 0x0B, 0x98, 0x00, 0xA3, 0xB0, 0xB3};
    const Unit ackUnit{true, {0x0B, 0x98}};
    // 129 bytes of 0xFF add up to 0x807F; the frame carries 0x007F.
    Bytes heavy{0xA0, 0xA2, 0x00, 0x81};
    heavy.insert(heavy.end(), 129, 0xFF);
    Bytes heavyUnmasked = heavy;
    heavy = heavy + Bytes{0x00, 0x7F, 0xB0, 0xB3};
    heavyUnmasked = heavyUnmasked + Bytes{0x80, 0x7F, 0xB0, 0xB3};
    const Unit heavyUnit{true, Bytes(129, 0xFF)};
    const std::string switchLine = "$PSRF100,0,57600,8,1,0*37\r\n";
    const Unit switchUnit{false, text(switchLine)};

    struct Case {
        const char* legend;
        Bytes bytes;
        std::vector<Unit> expected;
    };
    const Case cases[] = {
        {"acknowledgement", ack, {ackUnit}},
        {"checksum over 0x7FFF kept to 15 bits", heavy, {heavyUnit}},
        {"wrong checksum", {0xA0, 0xA2, 0x00, 0x02, 0x0B, 0x98, 0x00, 0xA4, 0xB0, 0xB3}, {}},
        {"wrong tail", {0xA0, 0xA2, 0x00, 0x02, 0x0B, 0x98, 0x00, 0xA3, 0xB0, 0xB4}, {}},
        {"noise, then a frame", Bytes{0x00, 0xB0, 0xB3, 0xA0, 0x17} + ack, {ackUnit}},
        {"head twice", Bytes{0xA0, 0xA2} + ack, {ackUnit}},
        {"false start swallowing a frame", Bytes{0xA0, 0xA2, 0x00, 0x05, 0x0B} + ack, {ackUnit}},
        {"cut short, then a frame", Bytes{0xA0, 0xA2, 0x00, 0x02, 0x0B} + ack, {ackUnit}},
        {"line and frames", text(switchLine) + ack + ack, {switchUnit, ackUnit, ackUnit}},
        {"empty frame", {0xA0, 0xA2, 0x00, 0x00, 0x00, 0x00, 0xB0, 0xB3}, {}},
        {"length past 15 bits", {0xA0, 0xA2, 0x80, 0x02, 0x0B, 0x98, 0x00, 0xA3, 0xB0, 0xB3}, {}},
        {"line cut off by a frame", text("$PSRF1") + ack, {ackUnit}},
        {"line cut off by a dollar", text("$PSRF1") + text(switchLine), {switchUnit}},
        {"line ending in LF alone", text("$PSRF1\n"), {{false, text("$PSRF1\n")}}},
        {"frame between lines",
         text(switchLine) + ack + text(switchLine),
         {switchUnit, ackUnit, switchUnit}},
    };
    for (const Case& c : cases) {
        for (const std::size_t piece : {std::size_t(1), std::size_t(5), c.bytes.size()}) {
            EXPECT_EQ(moduleReads(c.bytes, piece), c.expected)
                << c.legend << ", pieces of " << piece;
            EXPECT_EQ(programReads(c.bytes, piece), c.expected)
                << c.legend << ", pieces of " << piece;
        }
    }
    // The one deliberate difference: the program also takes the full 16-bit sum from
    // senders that never drop the top bit; the module keeps to the protocol's 15 bits.
    EXPECT_EQ(programReads(heavyUnmasked, heavyUnmasked.size()), std::vector<Unit>{heavyUnit});
    EXPECT_TRUE(moduleReads(heavyUnmasked, heavyUnmasked.size()).empty());
}

TEST(ModuleFramingCrossCheck, ModuleAndProgramCheckNmeaAlike) {
    struct Case {
        const char* line;
        bool good;
    };
    const Case cases[] = {
        {"$PSRF100,0,57600,8,1,0*37\r\n", true}, {"$PSRF100,0,57600,8,1,0*36\r\n", false},
        {"$PQVXR,PRT,A,8*5E\r\n", true},         {"$PQVXR,PRT,A,8*5e\r\n", false},
        {"$PQVXR,PRT,A,8*5G\r\n", false},
    };
    for (const Case& c : cases) {
        const std::string line = c.line;
        EXPECT_EQ(hasCheckedNmeaTail(line), c.good) << c.line;
        EXPECT_EQ(checksumOk(line.c_str(), line.size()), c.good) << c.line;
    }
}

// Every message the module sends, framed by the module, arrives whole at the program.
TEST(ModuleFramingCrossCheck, ProgramTakesEveryFrameAndLineTheModuleSends) {
    SimScenario scenario;
    const SimEpochSky sky = epochSky(scenario, 50, true, false);
    SimTime time;
    time.gpsWeek = 2410;
    time.towMs = 302400123;
    const std::vector<Bytes> payloads = {
        geodeticNavigationPayload(scenario, sky, time),
        measuredTrackerPayload(sky, time),
        navigationParametersPayload(SimSettings{}),
        softwareVersionPayload("GSW2-2.05.024-C1Prod1.1"),
        softwareVersionPayload(std::string(300, 'z')),  // sums past 0x7FFF
        clockStatusPayload(sky, time),
        navigationLibraryPayload(3, sky.tracked.at(0), time),
        ephemerisPayload(7),
        acknowledgementPayload(0x98),
        refusalPayload(0x55),
        okToSendPayload(true),
    };
    Bytes stream;
    std::vector<Unit> expected;
    for (const Bytes& payload : payloads) {
        stream = stream + moduleFrame(payload);
        expected.push_back({true, payload});
    }
    const std::string nmea = nmeaEpoch(scenario, sky, time, SimNmeaOutput{});
    stream = stream + text(nmea);
    for (std::size_t at = 0, end; (end = nmea.find('\n', at)) != std::string::npos; at = end + 1)
        expected.push_back({false, text(nmea.substr(at, end + 1 - at))});
    ASSERT_GE(expected.size(), payloads.size() + 4);

    EXPECT_EQ(programReads(stream, 64), expected);
    for (const Unit& unit : expected) {
        if (unit.binary) continue;
        const std::string line(unit.bytes.begin(), unit.bytes.end());
        EXPECT_TRUE(line.size() > 5 && line[line.size() - 5] == '*') << line;
        EXPECT_TRUE(checksumOk(line.c_str(), line.size())) << line;
    }
}
