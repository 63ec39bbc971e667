// The board receiver's differential links against the simulated board, end to end: the
// modem, a real str2str caster and our loopback caster for large tables.
#include <thread>

#include "BoardReceiverFixture.h"
#include "receiver/StationList.h"
#include "support/LoopbackCaster.h"
#include "support/Str2StrCaster.h"

using namespace quorrel;
using namespace quorrel::test;

namespace {

constexpr char kStrFields[] =
    "Munich;RTCM 3.2;1004(1),1005(10);2;GPS+GLO;QNET;DEU;48.15;11.60;1;0;str2str;none;N;N;2400";

// A caster whose mount points send nothing until the test lets the data flow.
class HeldCaster : public LoopbackCaster {
public:
    ~HeldCaster() override { stop(); }
    std::atomic<bool> flowing{false};

protected:
    void onTick(Client& client) override {
        if (flowing) LoopbackCaster::onTick(client);
    }
};

class DiffLinkBoardTest : public BoardReceiverTest {
protected:
    DiffLinkBoardTest() {
        timeouts.longReplyMs = 3000;
        timeouts.ntripMs = 10000;
    }

    // GPRS modem initialised and the receiver's IP client pointed at a caster on this host.
    void connectToCaster(int port) {
        ASSERT_TRUE(receiver.SetModemGprsProtocol(0));
        ASSERT_TRUE(receiver.InitializeModem());
        ASSERT_TRUE(receiver.SetNtripParameters(u"127.0.0.1", port, u"", u"", 0));
    }
};

}  // namespace

TEST_F(DiffLinkBoardTest, InitializeModemFromOffOnAndInit) {
    startAndOpen();
    int state = -1;
    ASSERT_TRUE(receiver.QueryModemState(state));
    ASSERT_EQ(state, kModemOff);
    ASSERT_TRUE(receiver.InitializeModem());
    EXPECT_EQ(board->receivedCount("$PQVXS,MDM,ON"), 1u);
    EXPECT_EQ(board->receivedCount("$PQVXS,MDM,INI"), 1u);

    board->clearLog();
    ASSERT_TRUE(receiver.InitializeModem());  // already INIT: only asks
    EXPECT_EQ(board->receivedCount("$PQVXS,"), 0u);
    EXPECT_EQ(board->receivedCount("$PQVXQ,MDM"), 2u);

    ASSERT_TRUE(receiver.ModemOff());
    ASSERT_TRUE(receiver.ModemOn());
    ASSERT_TRUE(receiver.QueryModemState(state));
    ASSERT_EQ(state, kModemOn);
    board->clearLog();
    ASSERT_TRUE(receiver.InitializeModem());
    EXPECT_EQ(board->receivedCount("$PQVXS,MDM,ON"), 0u);
    EXPECT_EQ(board->receivedCount("$PQVXS,MDM,INI"), 1u);
    ASSERT_TRUE(receiver.QueryModemState(state));
    EXPECT_EQ(state, kModemInit);
}

TEST_F(DiffLinkBoardTest, InitializeModemFailsWhileTheSimWantsItsPin) {
    config.simPin = "4711";
    startAndOpen();
    EXPECT_FALSE(receiver.InitializeModem());
    int state = -1;
    ASSERT_TRUE(receiver.QueryModemState(state));
    EXPECT_EQ(state, kModemOn);
    ASSERT_TRUE(receiver.SetModemGprsParameters(u"4711", u"internet", u"", u""));
    EXPECT_TRUE(receiver.InitializeModem());
    bool gprs = false;
    std::u16string pin, apn, login, password;
    ASSERT_TRUE(receiver.QueryModemGprs(pin, apn, login, password));
    EXPECT_EQ(pin, u"4711");
    EXPECT_EQ(apn, u"internet");
    ASSERT_TRUE(receiver.QueryModemIsGprs(gprs));
    EXPECT_TRUE(gprs);
}

TEST_F(DiffLinkBoardTest, SourceTableOfARealCasterBecomesItsStations) {
    if (!Str2StrCaster::available()) GTEST_SKIP() << "str2str (package rtklib) is not installed";
    Str2StrCaster caster;
    ASSERT_TRUE(caster.start("MNT1", kStrFields));
    startAndOpen();
    connectToCaster(caster.port());
    StationList stations;
    ASSERT_TRUE(receiver.LoadSourceTable(stations));
    ASSERT_EQ(stations.count(), 1u);
    StationRecord station;
    ASSERT_TRUE(stations.get(0, station));
    EXPECT_EQ(station.mountPoint, "MNT1");
    EXPECT_EQ(station.identifier, "Munich");
    EXPECT_EQ(station.format, "RTCM 3.2");
    EXPECT_EQ(station.navigationSystem, "GPS+GLO");
    EXPECT_EQ(station.country, "DEU");
    EXPECT_DOUBLE_EQ(station.latitude, 48.15);
    EXPECT_DOUBLE_EQ(station.longitude, 11.60);
    EXPECT_EQ(station.nmea, 1);
    EXPECT_EQ(station.bitRate, 2400);
}

TEST_F(DiffLinkBoardTest, MountPointOfARealCasterConnectsAndAnUnknownOneFails) {
    if (!Str2StrCaster::available()) GTEST_SKIP() << "str2str (package rtklib) is not installed";
    Str2StrCaster caster;
    ASSERT_TRUE(caster.start("MNT1", kStrFields));
    startAndOpen();
    connectToCaster(caster.port());
    std::u16string mount;
    EXPECT_FALSE(receiver.ConnectMountPoint(u"NOPE"));  // the caster sends its table instead
    ASSERT_TRUE(receiver.QueryMountPoint(mount));
    EXPECT_EQ(mount, u"OFF");

    ASSERT_TRUE(receiver.ConnectMountPoint(u"MNT1"));
    ASSERT_TRUE(receiver.QueryMountPoint(mount));
    EXPECT_EQ(mount, u"MNT1");
    int state = -1;
    ASSERT_TRUE(receiver.QueryModemState(state));
    EXPECT_EQ(state, kModemOnline);
    EXPECT_TRUE(receiver.DisconnectMountPoint());
    ASSERT_TRUE(receiver.QueryMountPoint(mount));
    EXPECT_EQ(mount, u"OFF");
}

TEST_F(DiffLinkBoardTest, RefusedMountPointFailsWithinTheAcknowledgementWait) {
    timeouts.replyMs = 1500;
    timeouts.ntripMs = 30000;
    startAndOpen();
    board->nak("PQVXS,NTR,MTP");
    const auto start = Clock::now();
    EXPECT_FALSE(receiver.ConnectMountPoint(u"MNT1"));
    EXPECT_LT(elapsedMs(start), timeouts.replyMs);
}

TEST_F(DiffLinkBoardTest, DamagedModemReplyDoesNotEndAMountPointConnect) {
    HeldCaster caster;
    caster.addMount({"MNT1", false, "", ""});
    ASSERT_TRUE(caster.start());
    startAndOpen();
    connectToCaster(caster.port());
    // A modem query that gave up before its reply came: the reply arrives damaged while the
    // connect waits for its NTRIP result.
    board->corruptChecksum("MDM", 1);
    board->delayReplies(400);
    timeouts.replyMs = 50;
    receiver.setTimeouts(timeouts);
    int state = -1;
    EXPECT_FALSE(receiver.QueryModemState(state));
    board->delayReplies(0);
    timeouts.replyMs = 2000;
    receiver.setTimeouts(timeouts);
    std::thread release([&caster] {
        std::this_thread::sleep_for(std::chrono::milliseconds(1000));
        caster.flowing = true;
    });
    const auto start = Clock::now();
    EXPECT_TRUE(receiver.ConnectMountPoint(u"MNT1"));
    EXPECT_GE(elapsedMs(start), 900) << "ended before the data flowed";
    release.join();
}

TEST_F(DiffLinkBoardTest, SourceTableOfThreeThousandStationsArrivesWhole) {
    LoopbackCaster caster;
    caster.setSourceTableLines("CAS;127.0.0.1;2101;QRL;QRL;0;DEU;48.1;11.6;0.0.0.0;0;none\r\n" +
                               stationLines(3000, 47.0, 6.0));
    ASSERT_TRUE(caster.start());
    startAndOpen();
    connectToCaster(caster.port());
    StationList stations;
    ASSERT_TRUE(receiver.LoadSourceTable(stations));
    ASSERT_EQ(stations.count(), 3000u);
    StationRecord last;
    ASSERT_TRUE(stations.get(3000, last));  // past the end: the last one
    EXPECT_EQ(last.mountPoint, "MP2999");
    EXPECT_NEAR(last.latitude, 47.0 + 99 * 0.03, 1e-9);
    EXPECT_NEAR(last.longitude, 6.0 + 29 * 0.05, 1e-9);
    EXPECT_EQ(last.bitRate, 9600);
}

TEST_F(DiffLinkBoardTest, RadioDirectIpAndBaseSettingsReachTheBoard) {
    LoopbackStreamServer server;
    ASSERT_TRUE(server.start());
    startAndOpen();
    int number = -1;
    RadioParameters radio;
    ASSERT_TRUE(receiver.SetRadioParameters(3, kRadioPdl, 3, 5, 1, 2, 1));
    ASSERT_TRUE(receiver.QueryRadioParameters(3, radio));
    EXPECT_EQ(radio.radioType, kRadioPdl);
    EXPECT_EQ(radio.channel, 5);
    EXPECT_EQ(radio.speedIndex, 3);
    EXPECT_EQ(radio.sensitivityIndex, 1);
    EXPECT_EQ(radio.protocolIndex, 2);
    EXPECT_EQ(radio.modeIndex, 1);
    ASSERT_TRUE(receiver.QueryRadioChannels(3, number));
    EXPECT_EQ(number, 16);

    ASSERT_TRUE(receiver.SetCpdModeEx(0, 2));
    int mode = -1, subMode = -1;
    ASSERT_TRUE(receiver.QueryCpdModeEx(mode, subMode));
    EXPECT_EQ(mode, 0);
    EXPECT_EQ(subMode, 2);
    ASSERT_TRUE(receiver.SetBaseOutput2(3, 3, 1, 2));
    int port1 = -1, format1 = -1, port2 = -1, format2 = -1;
    ASSERT_TRUE(receiver.QueryBaseOutput2(port1, format1, port2, format2));
    EXPECT_EQ(std::vector<int>({port1, format1, port2, format2}), std::vector<int>({3, 3, 1, 2}));

    ASSERT_TRUE(receiver.SetModemGprsProtocol(0));
    ASSERT_TRUE(receiver.InitializeModem());
    ASSERT_TRUE(receiver.SetDirectIpEx(u"127.0.0.1", server.port(), u"me", u"pw"));
    std::u16string address, login, password;
    int port = 0;
    ASSERT_TRUE(receiver.QueryDirectIpEx(address, port, login, password));
    EXPECT_EQ(address, u"127.0.0.1");
    EXPECT_EQ(port, server.port());
    EXPECT_EQ(login, u"me");
    EXPECT_EQ(password, u"pw");
    EXPECT_TRUE(receiver.DirectIpOff());
}
