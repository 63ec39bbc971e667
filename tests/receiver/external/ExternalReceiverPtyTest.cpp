#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <future>
#include <string>
#include <vector>

#include "ModuleFixture.h"
#include "platform/Clock.h"
#include "receiver/external/SirfCommands.h"

using namespace quorrel;
using Bytes = std::vector<std::uint8_t>;

namespace {

class ExternalReceiverTest : public ModuleFixture {
protected:
    // After `count` fixes every message of the epoch before the last has been handled,
    // whatever stale signal the first wait consumed.
    bool waitEpochs(int count) {
        for (int i = 0; i < count; ++i)
            if (!receiver.IsEpochAvailable()) return false;
        return true;
    }
};

std::vector<int> ids(const std::vector<Bytes>& frames) {
    std::vector<int> out;
    for (const Bytes& frame : frames)
        out.push_back(frame[0]);
    return out;
}

const std::vector<int> kConfiguration{0x80, 0xA6, 0xA6, 0xA6, 0xA6, 0xA6,
                                      0xA6, 0xA6, 0xA6, 0xA6, 0xA6, 0x8F};

}  // namespace

TEST_F(ExternalReceiverTest, FindsNmeaModuleAt4800AndSwitchesItToBinary) {
    startModule(4800);
    ASSERT_TRUE(open());
    EXPECT_TRUE(receiver.IsConnected());
    EXPECT_EQ(module->protocol(), ModuleProtocol::Binary);
    EXPECT_EQ(module->baudRate(), 57600u);

    const std::vector<ModuleLogEntry> log = module->received();
    const auto sw = std::find_if(log.begin(), log.end(), [](const ModuleLogEntry& e) {
        return e.kind == ModuleProtocol::Nmea;
    });
    ASSERT_NE(sw, log.end());
    EXPECT_EQ(sw->text(), "$PSRF100,0,57600,8,1,0*37\r\n");
    EXPECT_EQ(sw->baudRate, 4800u);
    const std::vector<Bytes> frames = framesSince(0);
    EXPECT_EQ(ids(frames), kConfiguration);
    std::vector<int> silenced;
    for (const Bytes& frame : frames)
        if (frame[0] == 0xA6) silenced.push_back(frame[2]);
    EXPECT_EQ(silenced, (std::vector<int>{2, 8, 9, 10, 27, 29, 30, 31, 50, 255}));
}

TEST_F(ExternalReceiverTest, FindsBinaryModuleAt115200AndMovesItTo57600) {
    startModule(115200, ModuleProtocol::Binary);
    ASSERT_TRUE(open());
    EXPECT_EQ(module->protocol(), ModuleProtocol::Binary);
    EXPECT_EQ(module->baudRate(), 57600u);
    const std::vector<ModuleLogEntry> log = module->received();
    ASSERT_GE(log.size(), 2u);
    // NMEA at 115200 cannot be asked for (two-byte rate field): 57600 instead.
    EXPECT_EQ(log[0].messageId(), 0x81);
    EXPECT_EQ(log[0].baudRate, 115200u);
    EXPECT_EQ(log[0].bytes, switchToNmeaPayload(57600));
    EXPECT_EQ(log[1].text(), "$PSRF100,0,57600,8,1,0*37\r\n");
    EXPECT_EQ(log[1].baudRate, 57600u);
    EXPECT_EQ(ids(framesSince(2)), kConfiguration);
}

TEST_F(ExternalReceiverTest, FindsBinaryModuleAt19200ThroughNmeaAtThatRate) {
    startModule(19200, ModuleProtocol::Binary);
    ASSERT_TRUE(open());
    const std::vector<ModuleLogEntry> log = module->received();
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[0].bytes, switchToNmeaPayload(19200));
    EXPECT_EQ(log[1].text(), "$PSRF100,0,57600,8,1,0*37\r\n");
    EXPECT_EQ(log[1].baudRate, 19200u);
    EXPECT_EQ(module->baudRate(), 57600u);
}

TEST_F(ExternalReceiverTest, OpenFailsWhenNothingAnswersOrTheModuleRefuses) {
    startModule(9600);
    module->silence(true);
    timeouts.dataSeenMs = 40;
    timeouts.settleMs = 0;
    timeouts.readMs = 10;
    std::vector<std::vector<int>> tries;
    receiver.setOpenObserver([&](const OpenAttempt& a) {
        tries.push_back({a.baudRate, a.attempt, a.attempts});
    });
    EXPECT_FALSE(open());
    EXPECT_FALSE(receiver.IsConnected());
    EXPECT_TRUE(module->received().empty());
    EXPECT_EQ(receiver.openFailure(), OpenFailure::NoAnswer);
    ASSERT_EQ(tries.size(), 18u) << "six rates, three times";
    EXPECT_EQ(tries.front(), (std::vector<int>{9600, 1, 18}));
    EXPECT_EQ(tries[11], (std::vector<int>{4800, 12, 18}));
    receiver.setOpenObserver(nullptr);

    module->silence(false);
    module->refuse(kSirfInitDataSource);
    timeouts = fastTimeouts();
    EXPECT_FALSE(open());
    EXPECT_EQ(ids(framesSince(0)), (std::vector<int>{0x80, 0x80, 0x80}));
    EXPECT_FALSE(receiver.IsConnected());
}

TEST_F(ExternalReceiverTest, PositionAndSatellitesOfEachEpoch) {
    startModule(9600);
    ASSERT_TRUE(open());
    ASSERT_TRUE(receiver.IsEpochAvailable());
    PositionRecord position;
    ASSERT_TRUE(receiver.GetPosition(position));
    const SimScenario scenario;
    EXPECT_NEAR(position.latitude, scenario.latitudeDeg, 1e-7);
    EXPECT_NEAR(position.longitude, scenario.longitudeDeg, 1e-7);
    EXPECT_NEAR(position.altitude, scenario.altitudeMslM, 0.006);
    EXPECT_EQ(position.solutionType, 1);
    EXPECT_NEAR(position.speed, scenario.speedMps * 3.6, 0.02);
    EXPECT_EQ(position.satellitesUsed, 6);  // all with a signal above the 5 degree mask

    ASSERT_TRUE(receiver.IsEpochAvailable());
    SatelliteTable table;
    ASSERT_EQ(receiver.GetSatellites(table), 12);
    EXPECT_EQ(table[2].prn, 8);
    EXPECT_EQ(table[2].azimuth, 189);
    EXPECT_EQ(table[2].elevation, 66);
    EXPECT_EQ(table[2].snr, 43);
    EXPECT_EQ(table[2].used, 1);
    EXPECT_EQ(table[0].used, 0) << "PRN 23 has no signal";

    ASSERT_TRUE(receiver.SetAntennaHeight(2.0, 0));
    double height = 0;
    int type = 0;
    ASSERT_TRUE(receiver.QueryAntennaHeight(height, type));
    EXPECT_EQ(height, 2.0);
    EXPECT_EQ(type, 1);
    ASSERT_TRUE(waitEpochs(3));
    ASSERT_TRUE(receiver.GetPosition(position));
    EXPECT_NEAR(position.altitude, scenario.altitudeMslM - 2.0, 0.006);
}

TEST_F(ExternalReceiverTest, TrackingModeIsAnsweredWithoutTraffic) {
    startModule(9600);
    ASSERT_TRUE(open());
    module->clearReceived();
    EXPECT_FALSE(receiver.SetTrackingMode(1));
    EXPECT_TRUE(receiver.SetTrackingMode(0));
    int mode = -1;
    EXPECT_TRUE(receiver.QueryTrackingMode(mode));
    EXPECT_EQ(mode, 0);
    EXPECT_FALSE(receiver.SetElevationMask(91)) << "out of the module's range";
    // Operations the module does not have fail at once without a byte sent.
    std::u16string text;
    EXPECT_FALSE(receiver.QuerySiteName(text));
    EXPECT_FALSE(receiver.PowerOff());
    EXPECT_FALSE(receiver.SetGlonass(true));
    EXPECT_FALSE(receiver.IsBoardReceiver());
    std::string serial;
    EXPECT_EQ(receiver.QuerySerialNumber(serial), SerialNumberAnswer::NotAsked);
    sleepMs(3 * kEpochMs);
    EXPECT_TRUE(module->received().empty());
}

TEST_F(ExternalReceiverTest, ElevationMaskIsSentReadBackAndApplied) {
    startModule(9600);
    ASSERT_TRUE(open());
    const std::size_t mark = module->received().size();
    ASSERT_TRUE(receiver.SetElevationMask(10));
    const std::vector<Bytes> frames = framesSince(mark);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0], (Bytes{0x8B, 0, 50, 0, 100}));
    int degrees = 0;
    ASSERT_TRUE(receiver.QueryElevationMask(degrees));
    EXPECT_EQ(degrees, 10);

    // At 14 degrees the module leaves out PRN 29 (13.5 degrees) and keeps PRN 4 (15.5).
    ASSERT_TRUE(receiver.SetElevationMask(14));
    ASSERT_TRUE(waitEpochs(3));
    SatelliteTable table;
    receiver.GetSatellites(table);
    EXPECT_EQ(table[3].prn, 29);
    EXPECT_EQ(table[3].used, 0);
    EXPECT_EQ(table[5].prn, 4);
    EXPECT_EQ(table[5].used, 1);
}

TEST_F(ExternalReceiverTest, SbasIsSwitchedAndQueried) {
    startModule(9600);
    ASSERT_TRUE(open());
    bool on = true;
    ASSERT_TRUE(receiver.QuerySbas(on));
    EXPECT_FALSE(on);
    const std::size_t mark = module->received().size();
    ASSERT_TRUE(receiver.SetSbas(true));
    EXPECT_EQ(framesSince(mark), (std::vector<Bytes>{{0x85, 1, 0, 0, 0, 0, 0}, {0x8A, 0, 30}}));
    ASSERT_TRUE(receiver.QuerySbas(on));
    EXPECT_TRUE(on);
    ASSERT_TRUE(waitEpochs(3));
    PositionRecord position;
    receiver.GetPosition(position);
    EXPECT_EQ(position.solutionType, 2);

    ASSERT_TRUE(receiver.SetSbas(false));
    ASSERT_TRUE(receiver.QuerySbas(on));
    EXPECT_FALSE(on);
}

TEST_F(ExternalReceiverTest, RefusedAndUnansweredCommandsFail) {
    startModule(9600);
    ASSERT_TRUE(open());
    module->refuse(kSirfElevationMask);
    const std::uint32_t start = tickCountMs();
    EXPECT_FALSE(receiver.SetElevationMask(15));
    EXPECT_LT(tickCountMs() - start, std::uint32_t(timeouts.acknowledgementMs));

    module->refuse(kSirfDgpsSource);
    const std::size_t mark = module->received().size();
    EXPECT_FALSE(receiver.SetSbas(true));
    EXPECT_EQ(framesSince(mark).size(), 1u) << "no DGPS control after a refused source";

    module->ignore(kSirfPollNavigationParameters);
    bool on = false;
    EXPECT_FALSE(receiver.QuerySbas(on));
    EXPECT_TRUE(receiver.IsConnected()) << "a failed command leaves the link usable";
    module->clearFaults();
    EXPECT_TRUE(receiver.SetElevationMask(15));
}

TEST_F(ExternalReceiverTest, ResetRestartsNavigationAndConfiguresAgain) {
    startModule(9600);
    ASSERT_TRUE(open());
    ASSERT_TRUE(receiver.SetElevationMask(20));
    const std::size_t mark = module->received().size();
    ASSERT_TRUE(receiver.ResetReceiver());
    std::vector<int> expected{0xAC};
    expected.insert(expected.end(), kConfiguration.begin(), kConfiguration.end());
    EXPECT_EQ(ids(framesSince(mark)), expected);
    EXPECT_EQ(module->settings().navigationMaskTenths, 50) << "factory settings again";
    EXPECT_EQ(framesSince(mark)[0], initNavigationPayload());
}

TEST_F(ExternalReceiverTest, CloseLeavesTheModuleInNmeaAt9600) {
    startModule(9600);
    ASSERT_TRUE(open());
    ASSERT_TRUE(receiver.Close());
    EXPECT_FALSE(receiver.IsConnected());
    EXPECT_EQ(module->protocol(), ModuleProtocol::Nmea);
    EXPECT_EQ(module->baudRate(), 9600u);
    // And the next program finds it there again.
    ASSERT_TRUE(open());
    EXPECT_EQ(module->baudRate(), 57600u);
}

TEST_F(ExternalReceiverTest, MissingDeviceFailsAtOnceWithItsReason) {
    const std::uint32_t start = tickCountMs();
    EXPECT_FALSE(receiver.Open(u"/dev/quorrel-no-such-device"));
    EXPECT_LT(tickCountMs() - start, 100u);
    EXPECT_EQ(receiver.openFailure(), OpenFailure::NoSuchDevice);
    EXPECT_FALSE(receiver.openFailureDetail().empty());
}

// At the real waits: cancelled while nothing answers, and while the module is being switched
// to binary (two one-second pauses).
TEST_F(ExternalReceiverTest, CancelEndsOpenWithinHalfASecondAndCloseFollowsAtOnce) {
    for (const bool silent : {true, false}) {
        startModule(9600);
        module->silence(silent);
        timeouts = quorrel::ExternalTimeouts{};
        receiver.SetTimeouts(timeouts);
        auto opening = std::async(std::launch::async, [this] { return open(); });
        sleepMs(silent ? 700 : 1500);
        const std::uint32_t cancelled = tickCountMs();
        receiver.cancelOpen();
        EXPECT_FALSE(opening.get()) << silent;
        EXPECT_LT(tickCountMs() - cancelled, 500u) << silent;
        EXPECT_EQ(receiver.openFailure(), OpenFailure::Cancelled) << silent;
        const std::uint32_t closing = tickCountMs();
        EXPECT_TRUE(receiver.Close());
        EXPECT_LT(tickCountMs() - closing, 500u) << silent;
        module->stop();
    }
}

TEST_F(ExternalReceiverTest, UnpluggedModuleEndsTheLink) {
    startModule(9600);
    std::atomic<int> lost{0}, removedCalls{0};
    receiver.addLinkLostListener([&] { ++lost; });
    receiver.removeLinkLostListener(receiver.addLinkLostListener([&] { ++removedCalls; }));
    ASSERT_TRUE(open());
    EXPECT_EQ(lost, 0) << "the search's stopped readers are no lost link";
    module->unplug();
    const std::uint32_t start = tickCountMs();
    while (receiver.IsConnected() && tickCountMs() - start < 2000)
        sleepMs(10);
    EXPECT_FALSE(receiver.IsConnected());
    const std::uint32_t before = tickCountMs();
    EXPECT_FALSE(receiver.SetElevationMask(10));
    EXPECT_FALSE(receiver.IsEpochAvailable());
    EXPECT_LT(tickCountMs() - before, 100u) << "no waiting on a dead link";
    EXPECT_TRUE(receiver.Close());
    EXPECT_EQ(lost, 1);
    EXPECT_EQ(removedCalls, 0);
}
