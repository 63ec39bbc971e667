// The board receiver's differential-link queries and the commands that wait for a result.
#include <memory>
#include <thread>

#include "InternalReceiverFixture.h"
#include "receiver/StationList.h"

using namespace quorrel;
using namespace quorrel::test;

namespace {

const std::string kAck = "$PQVXR,ACK\r\n";
const std::string kNak = "$PQVXR,NAK\r\n";

// A modem on the scripted board that walks OFF → ON → INIT as it is told, and answers the
// initialisation with `iniAnswer` ("" for silence) right behind its acknowledgement.
struct ScriptedModem {
    explicit ScriptedModem(std::string from, std::string iniResult = "OK", bool refuse = false)
        : state(std::move(from)),
          iniAnswer(iniResult.empty() ? "" : withChecksum("PQVXR,MDM,INI," + iniResult)),
          refuseIni(refuse) {}

    std::string state;
    std::string iniAnswer;
    bool refuseIni;

    std::string operator()(const std::string& line) {
        if (line == "$PQVXQ,MDM")
            return withChecksum("PQVXR,MDM,GSM,21," + state + ",PWR,ON,PTC,1,RNO,0");
        if (line == "$PQVXS,MDM,ON") {
            state = "ON";
            return kAck;
        }
        if (line == "$PQVXS,MDM,INI") {
            if (refuseIni) return kNak;
            if (iniAnswer.find(",OK*") != std::string::npos) state = "INIT";
            return kAck + iniAnswer;
        }
        return {};
    }
};

const std::string kTable =
    "$PQVXR,NTR,TBL\r\n"
    "SOURCETABLE 200 OK\r\n"
    "Server: test caster\r\n"
    "\r\n"
    "CAS;caster.example.org;2101;Example;QRL;0;DEU;48.10;11.60;0.0.0.0;0;http://x\r\n"
    "NET;QNET;QRL;B;N;http://x;http://x;info@x;none\r\n"
    "STR;MUNI00DEU0;Muenchen;RTCM 3.2;1004(1),1005(10);2;GPS+GLO;QNET;DEU;48.14;11.58;1;0;"
    "sNTRIP;none;B;N;9600;misc\r\n"
    "STR;AUGS00DEU0;Augsburg;RTCM 3.2;1004(1);2;GPS;QNET;DEU;48.37;10.90;0;0;sNTRIP;none;N;N;"
    "4800\r\n"
    "ENDSOURCETABLE\r\n";

// The scripted board with a modem; the modem is shared so that its state outlives each
// answer, and every other line gets the board's usual answer.
class ModemTest : public InternalReceiverTest {
protected:
    void useModem(ScriptedModem modem) {
        auto shared = std::make_shared<ScriptedModem>(std::move(modem));
        peer.setResponder([this, shared](const std::string& line) {
            std::string reply = (*shared)(line);
            return reply.empty() ? script(line) : reply;
        });
    }
};

}  // namespace

TEST_F(InternalReceiverTest, RadioRepliesBecomeTypeChannelsAndParameters) {
    openQuietly();
    int type = -1, channels = -1;
    answer("$PQVXQ,RDP,TYP,A", withChecksum("PQVXR,RDP,TYP,D,LFA"));
    ASSERT_TRUE(receiver.QueryRadioType(5, type));  // the type query has no port F
    EXPECT_EQ(type, 5);
    answer("$PQVXQ,RDP,TYP,D", withChecksum("PQVXR,RDP,TYP,D,UNKNOWN"));
    ASSERT_TRUE(receiver.QueryRadioType(3, type));
    EXPECT_EQ(type, 7);
    answer("$PQVXQ,RDP,CHT,F", withChecksum("PQVXR,RDP,CHT,F,UNKNOWN,16"));
    ASSERT_TRUE(receiver.QueryRadioChannels(5, channels));
    EXPECT_EQ(channels, 16);

    RadioParameters parameters;
    answer("$PQVXQ,RDP,PAR,D", withChecksum("PQVXR,RDP,PAR,D,MDL,ON,07,MAN,1,9600,HIG"));
    ASSERT_TRUE(receiver.QueryRadioParameters(3, parameters));
    EXPECT_EQ(parameters.radioType, 3);
    EXPECT_EQ(parameters.powerIndex, 0);
    EXPECT_EQ(parameters.speedIndex, 3);
    EXPECT_EQ(parameters.channel, 7);
    EXPECT_EQ(parameters.sensitivityIndex, 2);
    EXPECT_EQ(parameters.protocolIndex, 0);  // digit 1 of an MDL radio
    EXPECT_EQ(parameters.modeIndex, 1);
    answer("$PQVXQ,RDP,PAR,B", withChecksum("PQVXR,RDP,PAR,B,PDL,OFF,03,AUT,1,12000,XYZ"));
    ASSERT_TRUE(receiver.QueryRadioParameters(1, parameters));
    EXPECT_EQ(parameters.radioType, 0);
    EXPECT_EQ(parameters.powerIndex, 1);
    EXPECT_EQ(parameters.speedIndex, 0);
    EXPECT_EQ(parameters.sensitivityIndex, 0);
    EXPECT_EQ(parameters.protocolIndex, 2);  // digit 1 of any other radio
    EXPECT_EQ(parameters.modeIndex, 0);
}

TEST_F(InternalReceiverTest, ModemReplyGivesStateProtocolAndSettings) {
    answer("$PQVXQ,MDM", withChecksum("PQVXR,MDM,GSM,21,DIALING,PWR,ON,PIN,1234,BND,0,PTC,1,"
                                      "CBS,0,APN,web.apn,LGN,me,PWD,pw,IPT,1,PHN,+49891,"
                                      "ADL,Y,RNO,0"));
    openQuietly();
    int state = -1;
    bool gprs = false;
    std::u16string pin, phone, apn, login, password;
    ASSERT_TRUE(receiver.QueryModemState(state));
    EXPECT_EQ(state, kModemDialing);
    ASSERT_TRUE(receiver.QueryModemIsGprs(gprs));
    EXPECT_TRUE(gprs);
    ASSERT_TRUE(receiver.QueryModemCsd(pin, phone));
    EXPECT_EQ(pin, u"1234");
    EXPECT_EQ(phone, u"+49891");
    ASSERT_TRUE(receiver.QueryModemGprs(pin, apn, login, password));
    EXPECT_EQ(apn, u"web.apn");
    EXPECT_EQ(login, u"me");
    EXPECT_EQ(password, u"pw");

    answer("$PQVXQ,MDM", withChecksum("PQVXR,MDM,GSM,99,OFF,PWR,OFF,PTC,0,RNO,0"));
    ASSERT_TRUE(receiver.QueryModemStateEx(gprs, state));
    EXPECT_FALSE(gprs);
    EXPECT_EQ(state, kModemOff);
}

TEST_F(InternalReceiverTest, NetworkRepliesGiveServerCasterAndMountPoint) {
    answer("$PQVXQ,DIP", withChecksum("PQVXR,DIP,RIP,10.0.0.7,PRT,9000,LGN,me,PWD,pw"));
    answer("$PQVXQ,NTR",
           withChecksum("PQVXR,NTR,ADD,caster.example.org,PRT,2101,LGN,user,PWD,pass,TYP,1"));
    answer("$PQVXQ,NTR,MTP", withChecksum("PQVXR,NTR,MTP,MUNI00DEU0"));
    openQuietly();
    std::u16string address, login, password, mount;
    int port = 0;
    ASSERT_TRUE(receiver.QueryDirectIpEx(address, port, login, password));
    EXPECT_EQ(address, u"10.0.0.7");
    EXPECT_EQ(port, 9000);
    EXPECT_EQ(login, u"me");
    EXPECT_EQ(password, u"pw");
    answer("$PQVXQ,DIP", withChecksum("PQVXR,DIP,RIP,rtk.example.net,PRT,2102"));
    ASSERT_TRUE(receiver.QueryDirectIp(address, port));
    EXPECT_EQ(address, u"rtk.example.net");
    EXPECT_EQ(port, 2102);

    ASSERT_TRUE(receiver.QueryNtripParameters(address, port, login, password));
    EXPECT_EQ(address, u"caster.example.org");
    EXPECT_EQ(port, 2101);
    EXPECT_EQ(login, u"user");
    EXPECT_EQ(password, u"pass");
    ASSERT_TRUE(receiver.QueryMountPoint(mount));
    EXPECT_EQ(mount, u"MUNI00DEU0");
}

TEST_F(InternalReceiverTest, BaseRoverRepliesGiveModeAndOutputFormats) {
    answer("$PQVXQ,CPD,MOD", withChecksum("PQVXR,CPD,MOD,ROV,2"));
    answer("$PQVXQ,BAS", withChecksum("PQVXR,BAS,D,CMR"));
    openQuietly();
    int mode = -1, subMode = -1, port1 = -1, format1 = -1, port2 = -1, format2 = -1;
    ASSERT_TRUE(receiver.QueryCpdModeEx(mode, subMode));
    EXPECT_EQ(mode, 1);
    EXPECT_EQ(subMode, 2);
    answer("$PQVXQ,CPD,MOD", withChecksum("PQVXR,CPD,MOD,BAS,0"));
    ASSERT_TRUE(receiver.QueryCpdMode(mode));
    EXPECT_EQ(mode, 0);

    ASSERT_TRUE(receiver.QueryBaseOutput2(port1, format1, port2, format2));
    EXPECT_EQ(std::vector<int>({port1, format1, port2, format2}), std::vector<int>({3, 3, 0, 0}));
    answer("$PQVXQ,BAS", withChecksum("PQVXR,BAS,B,RT3,E,ATM"));
    ASSERT_TRUE(receiver.QueryBaseOutput2(port1, format1, port2, format2));
    EXPECT_EQ(std::vector<int>({port1, format1, port2, format2}), std::vector<int>({1, 2, 4, 5}));
    ASSERT_TRUE(receiver.QueryBaseOutput(port1, format1));
    EXPECT_EQ(port1, 1);
    EXPECT_EQ(format1, 2);
}

TEST_F(InternalReceiverTest, LinkQueriesLeaveTheirResultsAloneWhenNoReplyComes) {
    timeouts.replyMs = 100;
    receiver.setTimeouts(timeouts);
    std::string damaged = withChecksum("PQVXR,DIP,RIP,10.0.0.7,PRT,9000");
    damaged[damaged.size() - 3] ^= 1;
    answer("$PQVXQ,DIP", damaged);
    openQuietly();
    std::u16string pin = u"keep", phone = u"keep", address = u"keep";
    int port = 42;
    RadioParameters parameters;
    parameters.channel = 42;
    EXPECT_FALSE(receiver.QueryModemCsd(pin, phone));
    EXPECT_FALSE(receiver.QueryDirectIp(address, port));
    EXPECT_FALSE(receiver.QueryRadioParameters(3, parameters));
    EXPECT_EQ(pin + phone + address, u"keepkeepkeep");
    EXPECT_EQ(port, 42);
    EXPECT_EQ(parameters.channel, 42);
}

TEST_F(ModemTest, InitializeModemWalksFromOffOrOnToInit) {
    openQuietly();
    for (const std::string from : {"OFF", "ON"}) {
        peer.clearReceived();
        useModem(ScriptedModem(from));
        EXPECT_TRUE(receiver.InitializeModem()) << from;
        std::vector<std::string> expected = {"$PQVXQ,MDM", "$PQVXS,MDM,INI", "$PQVXQ,MDM"};
        if (from == "OFF") expected.insert(expected.begin() + 1, "$PQVXS,MDM,ON");
        EXPECT_EQ(sent(), expected) << from;
    }
}

TEST_F(ModemTest, InitializeModemOnlyAsksAgainWhenAlreadyInitialised) {
    openQuietly();
    useModem(ScriptedModem("INIT"));
    EXPECT_TRUE(receiver.InitializeModem());
    EXPECT_EQ(sent(), (std::vector<std::string>{"$PQVXQ,MDM", "$PQVXQ,MDM"}));
}

TEST_F(ModemTest, InitializeModemFailsOnRefusalFailureSilenceOrABusyModem) {
    timeouts.longReplyMs = 200;
    receiver.setTimeouts(timeouts);
    openQuietly();
    useModem(ScriptedModem("ON", "OK", true));
    EXPECT_FALSE(receiver.InitializeModem());
    useModem(ScriptedModem("ON", "FAIL"));
    EXPECT_FALSE(receiver.InitializeModem());
    useModem(ScriptedModem("ON", ""));
    EXPECT_FALSE(receiver.InitializeModem());

    peer.clearReceived();
    useModem(ScriptedModem("DIALING"));
    EXPECT_FALSE(receiver.InitializeModem());
    EXPECT_EQ(sent(), std::vector<std::string>{"$PQVXQ,MDM"});
}

TEST_F(InternalReceiverTest, MountPointConnectsOnItsOkEvenRightBehindTheAcknowledgement) {
    answer("$PQVXS,NTR,MTP,MUNI00DEU0", kAck + withChecksum("PQVXR,NTR,OK"));
    answer("$PQVXS,NTR,MTP,AUGS00DEU0", kAck + withChecksum("PQVXR,NTR,FAIL"));
    openQuietly();
    for (int i = 0; i < 20; ++i)
        EXPECT_TRUE(receiver.ConnectMountPoint(u"MUNI00DEU0")) << i;
    EXPECT_FALSE(receiver.ConnectMountPoint(u"AUGS00DEU0"));
}

TEST_F(InternalReceiverTest, DamagedMountPointResultFailsTheConnectAtOnce) {
    timeouts.ntripMs = 5000;
    receiver.setTimeouts(timeouts);
    std::string damaged = withChecksum("PQVXR,NTR,OK");
    damaged[damaged.size() - 3] ^= 1;
    answer("$PQVXS,NTR,MTP,MUNI00DEU0", kAck + damaged);
    openQuietly();
    const auto start = Clock::now();
    EXPECT_FALSE(receiver.ConnectMountPoint(u"MUNI00DEU0"));
    EXPECT_LT(elapsedMs(start), 1000);
}

TEST_F(InternalReceiverTest, MountPointResultIsAwaitedPastOtherReplies) {
    timeouts.ntripMs = 3000;
    receiver.setTimeouts(timeouts);
    // Another reply comes first; the result follows a moment later.
    answer("$PQVXS,NTR,MTP,MUNI00DEU0", kAck + withChecksum("PQVXR,BAS,B,RT3"));
    openQuietly();
    std::thread caster([&] {
        if (!peer.waitForLines(1, 2000)) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        peer.write(withChecksum("PQVXR,NTR,OK"));
    });
    EXPECT_TRUE(receiver.ConnectMountPoint(u"MUNI00DEU0"));
    caster.join();
}

TEST_F(InternalReceiverTest, MountPointFailsWithinTheAcknowledgementWaitWhenRefusedOrUnheard) {
    timeouts.replyMs = 200;
    timeouts.ntripMs = 5000;
    receiver.setTimeouts(timeouts);
    refuse("$PQVXS,NTR,MTP,MUNI00DEU0");
    answer("$PQVXS,NTR,MTP,AUGS00DEU0", "");
    openQuietly();
    auto start = Clock::now();
    EXPECT_FALSE(receiver.ConnectMountPoint(u"MUNI00DEU0"));
    EXPECT_LT(elapsedMs(start), 150);
    start = Clock::now();
    EXPECT_FALSE(receiver.ConnectMountPoint(u"AUGS00DEU0"));
    EXPECT_GE(elapsedMs(start), 190);
    EXPECT_LT(elapsedMs(start), 1500);
}

TEST_F(InternalReceiverTest, MountPointWithoutResultFailsEvenAfterAnEarlierSuccess) {
    timeouts.ntripMs = 200;
    receiver.setTimeouts(timeouts);
    answer("$PQVXS,NTR,MTP,MUNI00DEU0", kAck + withChecksum("PQVXR,NTR,OK"));
    openQuietly();
    ASSERT_TRUE(receiver.ConnectMountPoint(u"MUNI00DEU0"));
    answer("$PQVXS,NTR,MTP,MUNI00DEU0", kAck + withChecksum("PQVXR,NTR,MTP,MUNI00DEU0"));
    EXPECT_FALSE(receiver.ConnectMountPoint(u"MUNI00DEU0"));
}

TEST_F(InternalReceiverTest, SourceTableLoadsIntoStations) {
    answer("$PQVXS,NTR,LOD", kAck + withChecksum("PQVXR,NTR,OK"));
    answer("$PQVXQ,NTR,TBL", kTable);
    openQuietly();
    StationList stations;
    ASSERT_TRUE(receiver.LoadSourceTable(stations));
    EXPECT_EQ(sent(), (std::vector<std::string>{"$PQVXS,NTR,LOD", "$PQVXQ,NTR,TBL"}));
    ASSERT_EQ(stations.count(), 2u);
    StationRecord first;
    ASSERT_TRUE(stations.get(0, first));
    EXPECT_EQ(first.mountPoint, "MUNI00DEU0");
    EXPECT_EQ(first.identifier, "Muenchen");
    EXPECT_EQ(first.formatDetails, "1004(1),1005(10)");
    EXPECT_EQ(first.country, "DEU");
    EXPECT_DOUBLE_EQ(first.latitude, 48.14);
    EXPECT_DOUBLE_EQ(first.longitude, 11.58);
    EXPECT_EQ(first.nmea, 1);
    EXPECT_EQ(first.bitRate, 9600);
    StationRecord last;
    ASSERT_TRUE(stations.get(5, last));
    EXPECT_EQ(last.mountPoint, "AUGS00DEU0");
    EXPECT_EQ(last.bitRate, 4800);
}

TEST_F(InternalReceiverTest, FailedSourceTableLoadKeepsTheStationsItHad) {
    timeouts.ntripMs = 200;
    receiver.setTimeouts(timeouts);
    answer("$PQVXS,NTR,LOD", kAck + withChecksum("PQVXR,NTR,OK"));
    answer("$PQVXQ,NTR,TBL", kTable);
    openQuietly();
    StationList stations;
    ASSERT_TRUE(receiver.LoadSourceTable(stations));

    // The caster could not be reached; the receiver has no table; the block is no table.
    const std::string failures[][2] = {
        {kAck + withChecksum("PQVXR,NTR,FAIL"), kTable},
        {kNak, kTable},
        {kAck + withChecksum("PQVXR,NTR,OK"), withChecksum("PQVXR,NTR,FAIL")},
        {kAck + withChecksum("PQVXR,NTR,OK"),
         "$PQVXR,NTR,TBL\r\nHTTP/1.1 404 Not Found\r\nENDSOURCETABLE\r\n"},
        {kAck, kTable},
    };
    for (const auto& failure : failures) {
        answer("$PQVXS,NTR,LOD", failure[0]);
        answer("$PQVXQ,NTR,TBL", failure[1]);
        EXPECT_FALSE(receiver.LoadSourceTable(stations));
        EXPECT_EQ(stations.count(), 2u);
    }
}

TEST_F(InternalReceiverTest, SourceTableOfThreeThousandStationsLoadsWhole) {
    std::string table = "$PQVXR,NTR,TBL\r\nSOURCETABLE 200 OK\r\n\r\n";
    for (int i = 0; i < 3000; ++i)
        table += "STR;MP" + std::to_string(i) +
                 ";Station;RTCM 3.2;1004(1),1005(10),1012(1);2;GPS+GLO;QNET;DEU;48.10;11.50;1;0;"
                 "QRL caster;none;B;N;9600;a note long enough to make the table realistic\r\n";
    table += "ENDSOURCETABLE\r\n";
    ASSERT_GT(table.size(), 32768u * 10);
    answer("$PQVXS,NTR,LOD", kAck + withChecksum("PQVXR,NTR,OK"));
    answer("$PQVXQ,NTR,TBL", table);
    openQuietly();
    StationList stations;
    ASSERT_TRUE(receiver.LoadSourceTable(stations));
    ASSERT_EQ(stations.count(), 3000u);
    StationRecord last;
    ASSERT_TRUE(stations.get(2999, last));
    EXPECT_EQ(last.mountPoint, "MP2999");
}
