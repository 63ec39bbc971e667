// The board receiver's command catalogue: the sentences sent and how replies become results.
#include <cmath>
#include <functional>
#include <thread>

#include "InternalReceiverFixture.h"

using namespace quorrel;
using namespace quorrel::test;

namespace {

struct SetCase {
    const char* sentence;
    std::function<bool(CInternalReceiver&)> run;
};

std::vector<SetCase> setCommands() {
    return {
        {"$PQVXS,STI,BS01", [](auto& r) { return r.SetSiteName(u"BS01"); }},
        {"$PQVXS,POS,3330.0000000,S,15115.0000000,E,12.500000",
         [](auto& r) { return r.SetPosition(-33.5, 151.25, 12.5); }},
        {"$PQVXS,KPI,4404.1237962,N,12118.8472460,W,1112.260000,ARP",
         [](auto& r) {
             return r.SetKnownPoint(44.06872993666667, -121.31412076666667, 1112.26, 1);
         }},
        {"$PQVXS,KPI,000.0000000,N,000.0000000,E,0.000000,SPT",
         [](auto& r) { return r.SetKnownPoint(0, 0, 0, 7); }},
        {"$PQVXS,CPD,RST", [](auto& r) { return r.ResetCpd(); }},
        {"$PQVXS,CPD,ARR,LEN,2.500000", [](auto& r) { return r.SetArrowLength(2.5); }},
        {"$PQVXS,CPD,ARR,MOD,OFF", [](auto& r) { return r.SetArrowMode(false); }},
        {"$PQVXS,DYN,3", [](auto& r) { return r.SetDynamics(3); }},
        {"$PQVXS,OCC,7,0,Point A,Note",
         [](auto& r) { return r.SetOccupationStart(7, u"Point A", u"Note"); }},
        {"$PQVXS,OCC,7,1,,", [](auto& r) { return r.SetOccupationEnd(7, u"", u""); }},
        {"$PQVXS,SBA,ON", [](auto& r) { return r.SetSbas(true); }},
        {"$PQVXS,GLO,OFF", [](auto& r) { return r.SetGlonass(false); }},
        {"$PQVXS,GNS,CFG,2", [](auto& r) { return r.SetTrackingMode(2); }},
        {"$PQVXS,PEM,15", [](auto& r) { return r.SetElevationMask(15); }},
        {"$PQVXS,ANH,1.500000,S", [](auto& r) { return r.SetAntennaHeight(1.5, 1); }},
        {"$PQVXS,ANH,2.000000,V", [](auto& r) { return r.SetAntennaHeight(2.0, 4); }},
        {"$PQVXS,ANT,0.123,-0.0450,1.0000",
         [](auto& r) { return r.SetAntennaOffsets(0.1234, -0.045, 1.0); }},
        {"$PQVXS,ANR,ON", [](auto& r) { return r.SetAntennaReduction(5); }},
        {"$PQVXS,ANR,ARP", [](auto& r) { return r.SetAntennaReduction(2); }},
        {"$PQVXS,ANP,OWN,TRM57971.00", [](auto& r) { return r.SetAntennaName(u"TRM57971.00"); }},
        {"$PQVXS,ANP,OUT,ADVNULLANTENNA", [](auto& r) { return r.SetVirtualAntenna(true); }},
        {"$PQVXS,NME,GSV,D,ON,0.50", [](auto& r) { return r.SetNmeaMessage(3, 6, true, 0.5f); }},
        {"$PQVXS,NME,WTI,A,OFF", [](auto& r) { return r.SetNmeaMessage(9, 14, false, 1.0f); }},
        {"$PQVXS,NME,POS,E,ON", [](auto& r) { return r.SetPositionOutput(true, 4); }},
        {"$PQVXS,NME,ALL,F,OFF", [](auto& r) { return r.SetPositionOutput(false, 5); }},
        {"$PQVXS,PRT,A,9,ON", [](auto& r) { return r.SetPortBaud(4, 9, 0); }},  // no port E
        {"$PQVXS,PRT,F,5,OFF", [](auto& r) { return r.SetPortBaud(5, 5, 1); }},
        {"$PQVXS,PRT,C,0", [](auto& r) { return r.SetPortBaud(2, 0, 2); }},
        {"$PQVXS,PWR,OFF", [](auto& r) { return r.PowerOff(); }},
        {"$PQVXS,RST", [](auto& r) { return r.ResetReceiver(); }},
        {"$PQVXS,INI,1", [](auto& r) { return r.InitializeMemory(1); }},
        {"$PQVXS,MEM,2", [](auto& r) { return r.SetMemory(2); }},
        {"$PQVXS,REC,N", [](auto& r) { return r.SetRecording(false); }},
        {"$PQVXS,DRI,0.500000", [](auto& r) { return r.SetRecordingInterval(0.5); }},
        {"$PQVXS,ATL,ON", [](auto& r) { return r.SetAtlRecording(true); }},
        {"$PQVXS,OBI,RST", [](auto& r) { return r.ResetObservationBuffer(); }},
        {"$PQVXS,NME,OBI,B,ON,1.00", [](auto& r) { return r.SetObiOutput(true); }},
        {"$PQVXS,NME,WTI,B,ON,1.00", [](auto& r) { return r.EnableWtiOutput(); }},
        {"$PQVXS,NME,A2D,B,ON,1.00", [](auto& r) { return r.EnableA2dOutput(); }},
        {"$PQVXS,RTC,TYP,1000", [](auto& r) { return r.SetRtcmMessage(1000, 5); }},
        {"$PQVXS,RTC,TYP,1004,1", [](auto& r) { return r.SetRtcmMessage(1004, 1); }},
        {"$PQVXS,RNX,TYP,4,1,31", [](auto& r) { return r.SetAtomMessage(4, 1, 31); }},
        {"$PQVXS,CMR,TYP,2,30", [](auto& r) { return r.SetCmrMessage(2, 30); }},
        {"$PQVXS,RNX,TYP,101,1,31", [](auto& r) { return r.SetCorrectionMessages(2); }},
    };
}

}  // namespace

TEST_F(InternalReceiverTest, EverySetCommandSendsItsSentenceAndSucceedsOnAck) {
    openQuietly();
    for (const SetCase& c : setCommands()) {
        peer.clearReceived();
        EXPECT_TRUE(c.run(receiver)) << c.sentence;
        EXPECT_EQ(sent(), std::vector<std::string>{c.sentence});
    }
}

TEST_F(InternalReceiverTest, PositionMinutesKeepTwoDigitsAndCarryIntoTheDegrees) {
    openQuietly();
    ASSERT_TRUE(receiver.SetPosition(-(33 + 5.5 / 60), -(5 + 0.25 / 60), 0));
    ASSERT_TRUE(receiver.SetKnownPoint(10 + 59.999999999 / 60, 179.99999999999, -1.5, 0));
    EXPECT_EQ(sent(), (std::vector<std::string>{
                          "$PQVXS,POS,3305.5000000,S,500.2500000,W,0.000000",
                          "$PQVXS,KPI,1100.0000000,N,18000.0000000,E,-1.500000,PC1"}));
}

TEST_F(InternalReceiverTest, PositionThatIsNoPlaceOnEarthIsNotSent) {
    openQuietly();
    EXPECT_FALSE(receiver.SetPosition(91.0, 0, 0));
    EXPECT_FALSE(receiver.SetPosition(0, -180.5, 0));
    EXPECT_FALSE(receiver.SetKnownPoint(0, 0, std::nan(""), 0));
    EXPECT_FALSE(receiver.SetArrowLength(INFINITY));
    EXPECT_TRUE(sent().empty());
}

TEST_F(InternalReceiverTest, TextThatCouldBreakASentenceIsRefusedWithoutSending) {
    openQuietly();
    for (const std::u16string& text :
         {std::u16string(u"A,B"), std::u16string(u"A*"), std::u16string(u"$GP"),
          std::u16string(u"A\r\n$PQVXS,PWR,OFF"), std::u16string(u"5 \u20ac"),
          std::u16string(u"tab\there")}) {
        EXPECT_FALSE(receiver.SetSiteName(text));
        EXPECT_FALSE(receiver.SetAntennaName(text));
        EXPECT_FALSE(receiver.SetBluetoothName(text));
        EXPECT_FALSE(receiver.SetOccupationStart(1, text, u"ok"));
        EXPECT_FALSE(receiver.SetOccupationEnd(1, u"ok", text));
    }
    EXPECT_FALSE(receiver.SetOccupationStart(1, std::u16string(256, u'x'), u""));
    EXPECT_FALSE(receiver.SetPortBaud(1, 10, 0));
    EXPECT_FALSE(receiver.SetNmeaMessage(1, 15, true, 1.0f));
    EXPECT_TRUE(sent().empty());
}

TEST_F(InternalReceiverTest, NakFailsASetCommandWithoutWaiting) {
    timeouts.replyMs = 3000;
    receiver.setTimeouts(timeouts);
    openQuietly();
    refuse("$PQVXS,GLO,ON");
    const auto start = Clock::now();
    EXPECT_FALSE(receiver.SetGlonass(true));
    EXPECT_LT(elapsedMs(start), 1000);
}

TEST_F(InternalReceiverTest, SetCommandFailsWhenTheReceiverStaysSilent) {
    timeouts.replyMs = 100;
    receiver.setTimeouts(timeouts);
    openQuietly();
    answer("$PQVXS,PEM,5", "");
    const auto start = Clock::now();
    EXPECT_FALSE(receiver.SetElevationMask(5));
    EXPECT_GE(elapsedMs(start), 90);
}

TEST_F(InternalReceiverTest, CorrectionPresetStopsAtTheFirstRefusal) {
    openQuietly();
    refuse("$PQVXS,RTC,TYP,1006,13");
    EXPECT_FALSE(receiver.SetCorrectionMessages(3));
    EXPECT_EQ(sent(), (std::vector<std::string>{"$PQVXS,RTC,TYP,1000", "$PQVXS,RTC,TYP,1004,1",
                                                "$PQVXS,RTC,TYP,1006,13"}));
    peer.clearReceived();
    EXPECT_TRUE(receiver.SetCorrectionMessages(6));
    EXPECT_EQ(sent(), (std::vector<std::string>{"$PQVXS,CMR,TYP,0,1", "$PQVXS,CMR,TYP,1,30",
                                                "$PQVXS,CMR,TYP,2,30", "$PQVXS,CMR,TYP,3,1"}));
    peer.clearReceived();
    EXPECT_TRUE(receiver.SetCorrectionMessages(7));  // no such preset: nothing to do
    EXPECT_TRUE(sent().empty());
}

TEST_F(InternalReceiverTest, BluetoothNameSwitchesPortCAfterItsAcknowledgement) {
    openQuietly();
    EXPECT_TRUE(receiver.SetBluetoothName(u"QVX01"));
    EXPECT_TRUE(receiver.SetBluetoothName(u"NONE"));
    refuse("$PQVXS,BTH,PRT,BAD");
    EXPECT_FALSE(receiver.SetBluetoothName(u"BAD"));
    EXPECT_EQ(sent(), (std::vector<std::string>{"$PQVXS,BTH,PRT,QVX01", "$PQVXS,PRT,C,,ON",
                                                "$PQVXS,BTH,PRT,NONE", "$PQVXS,PRT,C,,OFF",
                                                "$PQVXS,BTH,PRT,BAD"}));
}
