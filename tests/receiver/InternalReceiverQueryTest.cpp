// The board receiver's queries, unsolicited readings and the recording poll.
#include <thread>

#include "InternalReceiverFixture.h"

using namespace quorrel;
using namespace quorrel::test;

TEST_F(InternalReceiverTest, QueriesReturnWhatTheReceiverReported) {
    answer("$PQVXQ,STI", withChecksum("PQVXR,STI,BS01"));
    answer("$PQVXQ,SBA", withChecksum("PQVXR,SBA,ON"));
    answer("$PQVXQ,GLO", withChecksum("PQVXR,GLO,OFF"));
    answer("$PQVXQ,PEM", withChecksum("PQVXR,PEM,12"));
    answer("$PQVXQ,ANH", withChecksum("PQVXR,ANH,1.250,S"));
    answer("$PQVXQ,ANR", withChecksum("PQVXR,ANR,ARP"));
    answer("$PQVXQ,ANP,OWN", withChecksum("PQVXR,ANP,OWN,TRM57971.00"));
    answer("$PQVXQ,MEM", withChecksum("PQVXR,MEM,1"));
    answer("$PQVXQ,DRI", withChecksum("PQVXR,DRI,5.00"));
    answer("$PQVXQ,BTH", withChecksum("PQVXR,BTH,PRT,QVX01"));
    answer("$PQVXQ,PRT,D", withChecksum("PQVXR,PRT,D,7"));
    answer("$PQVXQ,CPD,POS", withChecksum("PQVXR,CPD,POS,-33.5,151.25,12.5"));
    openQuietly();

    std::u16string text;
    bool flag = false;
    int number = 0, type = 0;
    double height = 0, latitude = 0, longitude = 0;
    ASSERT_TRUE(receiver.QuerySiteName(text));
    EXPECT_EQ(text, u"BS01");
    ASSERT_TRUE(receiver.QuerySbas(flag));
    EXPECT_TRUE(flag);
    ASSERT_TRUE(receiver.QueryGlonass(flag));
    EXPECT_FALSE(flag);
    ASSERT_TRUE(receiver.QueryElevationMask(number));
    EXPECT_EQ(number, 12);
    ASSERT_TRUE(receiver.QueryAntennaHeight(height, type));
    EXPECT_DOUBLE_EQ(height, 1.25);
    EXPECT_EQ(type, 1);
    ASSERT_TRUE(receiver.QueryAntennaReduction(number));
    EXPECT_EQ(number, 2);
    ASSERT_TRUE(receiver.QueryAntennaName(text));
    EXPECT_EQ(text, u"TRM57971.00");
    ASSERT_TRUE(receiver.QueryMemory(number));
    EXPECT_EQ(number, 1);
    ASSERT_TRUE(receiver.QueryRecordingInterval(height));
    EXPECT_DOUBLE_EQ(height, 5.0);
    ASSERT_TRUE(receiver.QueryBluetoothName(text));
    EXPECT_EQ(text, u"QVX01");
    ASSERT_TRUE(receiver.QueryPortBaud(3, number));
    EXPECT_EQ(number, 7);
    ASSERT_TRUE(receiver.QueryOwnPort(number, type));
    EXPECT_EQ(number, 1);
    EXPECT_EQ(type, 8);
    ASSERT_TRUE(receiver.QueryBasePosition(latitude, longitude, height));
    EXPECT_DOUBLE_EQ(latitude, -33.5);
    EXPECT_DOUBLE_EQ(longitude, 151.25);
    EXPECT_DOUBLE_EQ(height, 12.5);
}

TEST_F(InternalReceiverTest, QueryFailsWhenItsReplyIsDamagedAsSoonAsItArrives) {
    timeouts.replyMs = 3000;
    receiver.setTimeouts(timeouts);
    std::string damaged = withChecksum("PQVXR,PEM,12");
    damaged[damaged.size() - 3] ^= 1;
    answer("$PQVXQ,PEM", damaged);
    openQuietly();
    int mask = 99;
    const auto start = Clock::now();
    EXPECT_FALSE(receiver.QueryElevationMask(mask));
    EXPECT_LT(elapsedMs(start), 1000);
    EXPECT_EQ(mask, 99);
}

TEST_F(InternalReceiverTest, QueryFailsWhenAnotherReplyEndsTheWait) {
    answer("$PQVXQ,GLO", withChecksum("PQVXR,SBA,ON"));
    openQuietly();
    bool on = true;
    EXPECT_FALSE(receiver.QueryGlonass(on));
    EXPECT_TRUE(on);
}

TEST_F(InternalReceiverTest, AntennaNameOfAnEarlierReplyServesWhenAnotherReplyEndsTheWait) {
    answer("$PQVXQ,ANP,OWN", withChecksum("PQVXR,ANP,OWN,FIRST"));
    openQuietly();
    std::u16string name;
    ASSERT_TRUE(receiver.QueryAntennaName(name));
    answer("$PQVXQ,ANP,OWN", "$PQVXR,ACK\r\n");
    name.clear();
    EXPECT_TRUE(receiver.QueryAntennaName(name));
    EXPECT_EQ(name, u"FIRST");
}

TEST_F(InternalReceiverTest, TrackingModeOutsideTheKnownModesSucceedsWithoutAValue) {
    answer("$PQVXQ,GNS,CFG", withChecksum("PQVXR,GNS,CFG,7"));
    openQuietly();
    int mode = 2;
    EXPECT_TRUE(receiver.QueryTrackingMode(mode));
    EXPECT_EQ(mode, 2);
    answer("$PQVXQ,GNS,CFG", withChecksum("PQVXR,GNS,CFG,4"));
    EXPECT_TRUE(receiver.QueryTrackingMode(mode));
    EXPECT_EQ(mode, 4);
}

TEST_F(InternalReceiverTest, NmeaOutputCountsOnlyThePairsOfTheLastReply) {
    answer("$PQVXQ,NMO,A", withChecksum("PQVXR,NMO,A,0,1.00,03,GGA,1.00,GSA,1.00,ZDA,0.50"));
    answer("$PQVXQ,NMO,C", withChecksum("PQVXR,NMO,C,0,1.00,01,VTG,0.20"));
    openQuietly();
    NmeaOutputRecord output;
    ASSERT_TRUE(receiver.QueryNmeaOutput(0, output));
    EXPECT_EQ(output.count, 3);
    EXPECT_EQ(output.entries[2].code, kMsgZda);
    EXPECT_FLOAT_EQ(output.entries[2].periodSeconds, 0.5f);
    ASSERT_TRUE(receiver.QueryNmeaOutput(2, output));
    EXPECT_EQ(output.count, 1);
    EXPECT_EQ(output.entries[0].code, kMsgVtg);
}

TEST_F(InternalReceiverTest, VersionAndSerialNumber) {
    answer("$PQVXQ,VERSION",
           "RECEIVER VERSION: 2.1\r\nSYS fw: 1.07\r\nGNSS fw: 3.40\r\nSERIAL NO: QX123\r\n");
    openQuietly();
    std::u16string gnss, system, version;
    ASSERT_TRUE(receiver.QueryVersion(gnss, system, version));
    EXPECT_EQ(gnss, u"3.40");
    EXPECT_EQ(system, u"1.07");
    EXPECT_EQ(version, u"2.1");
    std::string serial;
    EXPECT_EQ(receiver.QuerySerialNumber(serial), SerialNumberAnswer::Known);
    EXPECT_EQ(serial, "QX123");

    answer("$PQVXQ,VERSION", "RECEIVER VERSION: 2.1\r\nSYS fw: 1.07\r\nGNSS fw: 3.40\r\n-\r\n");
    serial = "kept";
    EXPECT_EQ(receiver.QuerySerialNumber(serial), SerialNumberAnswer::Unknown);
    EXPECT_EQ(serial, "kept");
    answer("$PQVXQ,VERSION", "");
    timeouts.replyMs = 100;
    receiver.setTimeouts(timeouts);
    EXPECT_EQ(receiver.QuerySerialNumber(serial), SerialNumberAnswer::NotAsked);
}

TEST_F(InternalReceiverTest, CurrentFileNoneMeansNoFile) {
    answer("$PQVXQ,FIL,CUR", withChecksum("PQVXR,FIL,CUR,NONE"));
    openQuietly();
    std::u16string name = u"kept";
    EXPECT_FALSE(receiver.QueryCurrentFile(name));
    EXPECT_FALSE(receiver.GetCurrentFileName(name));
    answer("$PQVXQ,FIL,CUR", withChecksum("PQVXR,FIL,CUR,DATA0001.QX,12"));
    EXPECT_TRUE(receiver.QueryCurrentFile(name));
    EXPECT_EQ(name, u"DATA0001.QX");
    name.clear();
    EXPECT_TRUE(receiver.GetCurrentFileName(name));  // no query
    EXPECT_EQ(name, u"DATA0001.QX");
}

TEST_F(InternalReceiverTest, AtlQueriesShareOneReply) {
    answer("$PQVXQ,ATL", withChecksum("PQVXR,ATL,ON,3,REC"));
    openQuietly();
    EXPECT_EQ(receiver.QueryAtlRecording(), 1);
    AtlState state;
    ASSERT_TRUE(receiver.QueryAtlState(state));
    EXPECT_EQ(state.on, 1);
    EXPECT_EQ(state.value, 3);
    EXPECT_EQ(state.recording, 1);
}

TEST_F(InternalReceiverTest, UnsolicitedReportsAreReadWithoutAQuery) {
    openQuietly();
    EXPECT_EQ(receiver.GetWti(), 0);
    EXPECT_EQ(receiver.GetA2dValue0(), 0);
    peer.write(withChecksum("PQVXR,WTI,0042,1") + withChecksum("PQVXR,A2D,1,0") +
               withChecksum("PQVXR,OBI,120000.00,2.50,00017") +
               withChecksum("PQVXR,VEC,0,0,0,0,0,0,0,0,0,0,0,0,1"));
    ASSERT_TRUE(receiver.IsEpochAvailable());
    EXPECT_EQ(receiver.GetWti(), 42);
    EXPECT_EQ(receiver.GetA2dValue0(), 1);
    EXPECT_EQ(receiver.GetA2dValue1(), 1);
    EXPECT_EQ(receiver.GetA2dValue2(), 0);
    float value = 0;
    int count = 0;
    ASSERT_TRUE(receiver.GetObiValues(value, count));
    EXPECT_FLOAT_EQ(value, 2.5f);
    EXPECT_EQ(count, 17);
    EXPECT_TRUE(sent().empty());
}

TEST_F(InternalReceiverTest, RecordingPollAsksAtMostOncePerPeriodUntilTheRecordingStops) {
    openQuietly();
    ASSERT_TRUE(receiver.SetRecording(true));
    ASSERT_TRUE(peer.waitForLines(2, 1000));
    EXPECT_EQ(sent(), (std::vector<std::string>{"$PQVXS,REC,Y", "$PQVXQ,REC"}));
    for (int i = 0; i < 10; ++i)
        EXPECT_FALSE(receiver.PollRecordingStopped());
    std::this_thread::sleep_for(std::chrono::milliseconds(timeouts.recordingPollMs + 50));
    for (int i = 0; i < 10; ++i)
        EXPECT_FALSE(receiver.PollRecordingStopped());
    ASSERT_TRUE(peer.waitForLines(3, 1000));
    EXPECT_EQ(sent().size(), 3u);

    peer.write(withChecksum("PQVXR,REC,S") + withChecksum("PQVXR,VEC,0,0,0,0,0,0,0,0,0,0,0,0,1"));
    ASSERT_TRUE(receiver.IsEpochAvailable());
    EXPECT_TRUE(receiver.PollRecordingStopped());
    EXPECT_TRUE(receiver.PollRecordingStopped());  // until cleared
    receiver.ClearRecordingStopped();
    EXPECT_FALSE(receiver.PollRecordingStopped());
}
