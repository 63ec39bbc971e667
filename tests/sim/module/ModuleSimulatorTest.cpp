#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/MemoryByteSource.h"
#include "platform/SerialPort.h"
#include "receiver/external/SirfFrameAssembler.h"
#include "receiver/external/SirfParsers.h"
#include "receiver/link/Checksum.h"
#include "sim/module/ModuleFrame.h"
#include "sim/module/ModuleIds.h"
#include "sim/module/ModuleSimulator.h"

using namespace quorrel;
using Bytes = std::vector<std::uint8_t>;

namespace {

// Commands as the driver sends them, written out byte by byte.
const Bytes kPollNavigationParameters{0x98, 0};
const Bytes kPollEphemeris{0x93, 0, 0};
const Bytes kElevationMask20{0x8B, 0x00, 0x32, 0x00, 0xC8};  // tracking 5.0, navigation 20.0
const Bytes kStaticNavigationOff{0x8F, 0};
const Bytes kMeasuredTrackerOff{0xA6, 0, 4, 0, 0, 0, 0, 0};  // message 4 at rate 0

Bytes initNavigation() {
    Bytes payload(28, 0);
    payload[0] = 0xAC;
    payload[1] = 1;
    return payload;
}

// Mode 2, rate and checksum for GGA, GLL, GSA, GSV, RMC, VTG and four more, the rate last.
Bytes switchToNmeaAt4800() {
    return {0x81, 2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0x12, 0xC0};
}

// The host side of the line, reading what the module sends.
class ModuleSimulatorTest : public ::testing::Test {
protected:
    void start(std::uint32_t baud, ModuleProtocol protocol = ModuleProtocol::Nmea) {
        ModuleSimConfig config;
        config.baudRate = baud;
        config.protocol = protocol;
        config.epochMs = 20;
        module = std::make_unique<ModuleSimulator>(config);
        ASSERT_TRUE(module->start());
        port.open(module->devicePath());
        ASSERT_TRUE(port.isOpen());
        ASSERT_TRUE(port.setBaudRate(baud));
    }
    void TearDown() override {
        port.close();
        if (module) module->stop();
    }

    // Everything that arrives within `ms`.
    std::string readFor(int ms) {
        std::string bytes;
        const std::uint32_t start = tickCountMs();
        while (int(tickCountMs() - start) < ms) {
            std::uint8_t buffer[512];
            std::size_t got = 0;
            if (!port.read(buffer, sizeof buffer, got, 10)) break;
            bytes.append(reinterpret_cast<char*>(buffer), got);
        }
        return bytes;
    }

    // The payloads of the good frames that arrive within `ms`.
    std::vector<Bytes> framesFor(int ms, std::size_t* dropped = nullptr) {
        MemoryByteSource source;
        source.append(readFor(ms));
        SirfFrameAssembler assembler(source, 0);
        std::vector<Bytes> frames;
        SirfFrameAssembler::Result result;
        while ((result = assembler.next()) != SirfFrameAssembler::Result::Failed)
            if (result == SirfFrameAssembler::Result::Unit &&
                assembler.kind() == SirfUnitKind::Frame)
                frames.emplace_back(assembler.payload(),
                                    assembler.payload() + assembler.payloadLength());
        if (dropped) *dropped = assembler.droppedFrames();
        return frames;
    }

    void send(const std::string& text) {
        std::size_t written = 0;
        ASSERT_TRUE(port.write(text.data(), text.size(), written));
    }
    void sendFrame(const Bytes& payload) {
        const Bytes frame = moduleFrame(payload);
        send(std::string(frame.begin(), frame.end()));
    }

    std::unique_ptr<ModuleSimulator> module;
    SerialPort port;
};

int countOf(const std::vector<Bytes>& frames, int id) {
    return int(
        std::count_if(frames.begin(), frames.end(), [id](const Bytes& f) { return f[0] == id; }));
}

}  // namespace

TEST_F(ModuleSimulatorTest, SpeaksCheckedNmeaAtItsRateAndOnlyNoiseAtOthers) {
    start(4800);
    const std::string nmea = readFor(200);
    ASSERT_NE(nmea.find("$GPGGA,"), std::string::npos);
    ASSERT_NE(nmea.find("$GPGSV,3,1,09,"), std::string::npos);
    for (std::size_t at = nmea.find('$'); at != std::string::npos; at = nmea.find('$', at + 1)) {
        const std::size_t end = nmea.find("\r\n", at);
        if (end == std::string::npos) break;
        EXPECT_TRUE(checksumOk(nmea.data() + at, end + 2 - at)) << nmea.substr(at, end - at);
    }

    ASSERT_TRUE(port.setBaudRate(9600));
    readFor(60);  // what was under way at the old rate
    const std::string noise = readFor(200);
    ASSERT_GT(noise.size(), 100u);
    EXPECT_EQ(noise.find('$'), std::string::npos);
    EXPECT_EQ(noise.find('\xA0'), std::string::npos);
    EXPECT_GT(module->noiseBytesSent(), 0u);
}

TEST_F(ModuleSimulatorTest, SwitchesToBinaryOnlyOnACheckedSentenceAtItsRate) {
    start(4800);
    send("$PSRF100,0,57600,8,1,0*00\r\n");  // wrong checksum
    ASSERT_TRUE(module->waitForSentence("$PSRF100", 500));
    EXPECT_EQ(module->protocol(), ModuleProtocol::Nmea);

    ASSERT_TRUE(port.setBaudRate(9600));
    sleepMs(30);  // bytes right at a speed change still count as sent at the old speed
    send("$PSRF100,0,57600,8,1,0*37\r\n");  // at the wrong speed: garbage to the module
    sleepMs(60);
    EXPECT_EQ(module->protocol(), ModuleProtocol::Nmea);
    EXPECT_EQ(module->received().size(), 1u);

    ASSERT_TRUE(port.setBaudRate(4800));
    send("$PSRF100,0,57600,8,1,0*37\r\n");
    ASSERT_TRUE(module->waitFor(
        [](const ModuleLogEntry& e) { return e.text() == "$PSRF100,0,57600,8,1,0*37\r\n"; }, 500));
    sleepMs(20);
    EXPECT_EQ(module->protocol(), ModuleProtocol::Binary);
    EXPECT_EQ(module->baudRate(), 57600u);
    ASSERT_TRUE(port.setBaudRate(57600));
    readFor(60);
    const std::vector<Bytes> frames = framesFor(300);
    EXPECT_GE(countOf(frames, kSirfGeodeticNavigation), 5);
    EXPECT_GE(countOf(frames, kSirfMeasuredTracker), 5);
    EXPECT_GE(countOf(frames, kSirfClockStatus), 1);
    EXPECT_GE(countOf(frames, kSirfNavigationLibrary), 1);
    const std::map<int, std::size_t> lengths{{kSirfGeodeticNavigation, 91},
                                             {kSirfMeasuredTracker, 188},
                                             {kSirfClockStatus, 20},
                                             {kSirfNavigationLibrary, 56}};
    for (const Bytes& f : frames) {
        if (lengths.count(f[0])) {
            EXPECT_EQ(f.size(), lengths.at(f[0])) << int(f[0]);
        }
    }
}

TEST_F(ModuleSimulatorTest, AnswersCommandsAndPolls) {
    start(38400, ModuleProtocol::Binary);
    readFor(40);
    sendFrame(kPollNavigationParameters);
    sendFrame(kPollEphemeris);
    sendFrame({0x55, 1});  // no such command
    const std::vector<Bytes> frames = framesFor(200);
    std::vector<Bytes> answers;
    for (const Bytes& f : frames)
        if (f[0] == kSirfAcknowledgement || f[0] == kSirfRefusal ||
            f[0] == kSirfNavigationParameters || f[0] == kSirfEphemerisData)
            answers.push_back(f);
    ASSERT_EQ(answers.size(), 1u + 1 + 1 + 9 + 1);
    EXPECT_EQ(answers[0], (Bytes{11, 0x98}));
    EXPECT_EQ(answers[1][0], kSirfNavigationParameters);
    NavigationParameters parameters;
    ASSERT_TRUE(parseNavigationParameters(answers[1].data(), answers[1].size(), parameters));
    EXPECT_EQ(answers[1].size(), 65u);
    EXPECT_EQ(parameters.elevationMaskTenths, 50);
    EXPECT_FALSE(parameters.sbasOn());
    EXPECT_EQ(answers[2], (Bytes{11, 0x93}));
    EXPECT_EQ(answers[3][0], kSirfEphemerisData);
    EXPECT_EQ(answers[3].size(), 92u);
    EXPECT_EQ(answers.back(), (Bytes{12, 0x55}));
}

TEST_F(ModuleSimulatorTest, FaultsRefuseIgnoreAndCorrupt) {
    start(19200, ModuleProtocol::Binary);
    module->refuse(ModuleId::kElevationMask);
    module->ignore(ModuleId::kStaticNavigation);
    module->corruptChecksum(ModuleId::kGeodeticNavigation);
    readFor(40);
    sendFrame(kElevationMask20);
    sendFrame(kStaticNavigationOff);
    std::size_t dropped = 0;
    const std::vector<Bytes> frames = framesFor(200, &dropped);
    EXPECT_EQ(countOf(frames, kSirfRefusal), 1);
    EXPECT_EQ(countOf(frames, kSirfAcknowledgement), 0);
    EXPECT_EQ(countOf(frames, kSirfGeodeticNavigation), 0);
    EXPECT_GE(dropped, 5u);
    EXPECT_EQ(module->settings().navigationMaskTenths, 50) << "a refused command changes nothing";
    EXPECT_EQ(module->settings().staticNavigation, 1);
    EXPECT_TRUE(module->waitForMessage(ModuleId::kStaticNavigation, 100)) << "logged all the same";

    module->clearFaults();
    sendFrame(kElevationMask20);
    ASSERT_TRUE(module->waitFor([](const ModuleLogEntry& e) { return e.bytes.size() == 5; }, 200));
    EXPECT_GE(countOf(framesFor(100), kSirfGeodeticNavigation), 2);
    EXPECT_EQ(module->settings().navigationMaskTenths, 200);
}

TEST_F(ModuleSimulatorTest, MessageRatesResetAndSwitchBackToNmea) {
    start(57600, ModuleProtocol::Binary);
    sendFrame(kMeasuredTrackerOff);
    sendFrame(initNavigation());
    readFor(60);
    std::vector<Bytes> frames = framesFor(100);
    EXPECT_EQ(countOf(frames, kSirfMeasuredTracker), 0);
    EXPECT_GE(countOf(frames, kSirfGeodeticNavigation), 3);

    sendFrame(switchToNmeaAt4800());
    ASSERT_TRUE(module->waitForMessage(ModuleId::kSwitchToNmea, 200));
    sleepMs(20);
    EXPECT_EQ(module->protocol(), ModuleProtocol::Nmea);
    EXPECT_EQ(module->baudRate(), 4800u);
    ASSERT_TRUE(port.setBaudRate(4800));
    readFor(40);
    EXPECT_NE(readFor(100).find("$GPGGA"), std::string::npos);
}

TEST_F(ModuleSimulatorTest, ResetLosesTheFixForAWhile) {
    start(57600, ModuleProtocol::Binary);
    sendFrame(initNavigation());
    ASSERT_TRUE(module->waitForMessage(ModuleId::kInitNavigation, 200));
    int withoutFix = 0, withFix = 0;
    for (const Bytes& f : framesFor(200)) {
        if (f[0] != kSirfGeodeticNavigation) continue;
        (f[88] == 0 ? withoutFix : withFix)++;
    }
    EXPECT_GE(withoutFix, 1);
    EXPECT_LE(withoutFix, 2);
    EXPECT_GE(withFix, 3);
}

TEST_F(ModuleSimulatorTest, UnplugMakesTheDeviceVanish) {
    start(9600);
    ASSERT_FALSE(readFor(50).empty());
    module->unplug();
    std::uint8_t buffer[64];
    std::size_t got = 0;
    bool failed = false;
    for (int i = 0; i < 20 && !failed; ++i)
        failed = !port.read(buffer, sizeof buffer, got, 10);
    EXPECT_TRUE(failed);
}
