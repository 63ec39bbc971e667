#include <gtest/gtest.h>

#include "ParserTestSupport.h"

using namespace quorrel;
using quorrel::test::damaged;
using quorrel::test::feed;
using quorrel::test::feedAs;
using quorrel::test::sentence;

TEST(ReplyDispatch, RepliesWakeTheWaiterAndUnsolicitedReportsDoNot) {
    ReceiverStatus status;
    EXPECT_EQ(feed(status, sentence("PQVXR,PRT,B,9")), SentenceEvent::Reply);
    EXPECT_EQ(feed(status, damaged("PQVXR,SBA,ON")), SentenceEvent::Reply);
    EXPECT_EQ(feed(status, sentence("PQVXR,OBI,120000.000,1.50,00042")), SentenceEvent::None);
    EXPECT_EQ(feed(status, sentence("PQVXR,A2D,1,0")), SentenceEvent::None);
    EXPECT_EQ(feed(status, sentence("PQVXR,REC,R")), SentenceEvent::None);
    EXPECT_EQ(feed(status, sentence("PQVXR,WTI,0012,1")), SentenceEvent::None);
    EXPECT_EQ(feed(status, "$GPRMC,1\r\n"), SentenceEvent::None);
    EXPECT_EQ(feed(status, "$PQVXR,ACK,SBA\r\n"), SentenceEvent::Reply);
    EXPECT_TRUE(status.ack);
    EXPECT_EQ(feed(status, "$PQVXR,NAK,SBA\r\n"), SentenceEvent::Reply);
    EXPECT_FALSE(status.ack);
}

TEST(ReplyParsers, DamagedReplyLeavesItsFlagClearAndItsSlotUnchanged) {
    ReceiverStatus status;
    feed(status, sentence("PQVXR,PRT,B,9"));
    status.clearTransactionFlags();
    feed(status, damaged("PQVXR,PRT,D,3"));
    EXPECT_FALSE(status.received(ReplyKind::Prt));
    EXPECT_EQ(status.port.get(), (PortReply{1, 9}));
}

TEST(ReplyParsers, TransactionStartKeepsOnlyAnpNptAndRecordingStopped) {
    ReceiverStatus status;
    feed(status, sentence("PQVXR,ANP,OWN,ANT1"));
    feed(status, sentence("PQVXR,NPT,1,0"));
    feed(status, sentence("PQVXR,REC,S"));
    feed(status, sentence("PQVXR,GLO,ON"));
    feed(status, "$PQVXR,ACK,X\r\n");
    status.clearTransactionFlags();
    EXPECT_TRUE(status.received(ReplyKind::Anp));
    EXPECT_TRUE(status.received(ReplyKind::Npt));
    EXPECT_TRUE(status.recordingStopped);
    EXPECT_FALSE(status.received(ReplyKind::Glo));
    EXPECT_FALSE(status.received(ReplyKind::Rec));
    EXPECT_FALSE(status.ack);
}

TEST(PrtReply, PortLetterAndBaudDigit) {
    struct Case {
        const char* body;
        PortReply expected;
    } cases[] = {
        {"PQVXR,PRT,A,8", {0, 8}}, {"PQVXR,PRT,C,0", {2, 0}}, {"PQVXR,PRT,D,9", {3, 9}},
        {"PQVXR,PRT,F,4", {5, 4}}, {"PQVXR,PRT,E,7", {0, 7}},  // no port E in this reply
        {"PQVXR,PRT,B,X", {1, 5}}, {"PQVXR,PRT,,", {0, 5}},
    };
    for (const Case& c : cases) {
        ReceiverStatus status;
        feed(status, sentence(c.body));
        EXPECT_TRUE(status.received(ReplyKind::Prt)) << c.body;
        EXPECT_EQ(status.port.get(), c.expected) << c.body;
    }
}

TEST(NptReply, NonZeroValuesBecomeOne) {
    ReceiverStatus status;
    feed(status, sentence("PQVXR,NPT,7,0"));
    EXPECT_EQ(status.npt.get(), (NptReply{1, 0}));
}

TEST(NmoReply, KeepsFourteenRecognisedPairsAndCountsThem) {
    std::string body = "PQVXR,NMO,A,0,1.00,20";
    const char* names[] = {"GGA", "VEC", "GSA", "XYZ", "GSV", "POS", "SAT", "GLL", "GST", "RMC",
                           "RRE", "VTG", "ZDA", "A2D", "OBI", "WTI", "GGA", "GSA", "GSV", "ZDA"};
    for (int i = 0; i < 20; ++i)
        body += std::string(",") + names[i] + "," + std::to_string(i);
    ReceiverStatus status;
    feed(status, sentence(body));
    const NmeaOutputReply reply = status.nmeaOutput.get();
    ASSERT_EQ(reply.count, 14);
    EXPECT_EQ(reply.pairs[0], (NmeaOutputPair{2, 0.0f}));
    EXPECT_EQ(reply.pairs[1], (NmeaOutputPair{4, 2.0f}));  // VEC and XYZ are skipped
    EXPECT_EQ(reply.pairs[2], (NmeaOutputPair{6, 4.0f}));
    EXPECT_EQ(reply.pairs[13], (NmeaOutputPair{14, 15.0f}));
}

TEST(NmoReply, ShorterReplyCountsOnlyItsOwnPairs) {
    ReceiverStatus status;
    feed(status, sentence("PQVXR,NMO,A,0,1.00,03,GGA,1.00,GSA,0.50,ZDA,2.00"));
    feed(status, sentence("PQVXR,NMO,B,0,1.00,05,VTG,0.20"));  // the list ends early
    const NmeaOutputReply reply = status.nmeaOutput.get();
    EXPECT_EQ(reply.count, 1);
    EXPECT_EQ(reply.pairs[0], (NmeaOutputPair{9, 0.2f}));
    EXPECT_EQ(reply.pairs[1], (NmeaOutputPair{4, 0.5f}));  // left from the earlier reply
}

TEST(SettingReplies, EachStoresItsValue) {
    ReceiverStatus status;
    feed(status, sentence("PQVXR,SBA,ON"));
    feed(status, sentence("PQVXR,GLO,OFF"));
    feed(status, sentence("PQVXR,GNS,CFG,3"));
    feed(status, sentence("PQVXR,PEM,15"));
    feed(status, sentence("PQVXR,MEM,2"));
    feed(status, sentence("PQVXR,ANH,1.5055,S"));
    feed(status, sentence("PQVXR,STI,BASE1"));
    feed(status, sentence("PQVXR,DRI,12.50"));
    feed(status, sentence("PQVXR,ATL,ON,42,REC"));
    feed(status, sentence("PQVXR,FIL,CUR,LOG0001.DAT,1024"));
    EXPECT_EQ(status.sbas.get(), 1);
    EXPECT_EQ(status.glonass.get(), 0);
    EXPECT_EQ(status.trackingMode.get(), 3);
    EXPECT_EQ(status.elevationMask.get(), 15);
    EXPECT_EQ(status.memory.get(), 2);
    EXPECT_EQ(status.antennaHeight.get().slant, 1);
    EXPECT_NEAR(status.antennaHeight.get().height, 1.505, 1e-12);  // three decimals kept
    EXPECT_EQ(status.siteName.get(), "BASE");
    EXPECT_DOUBLE_EQ(status.recordingInterval.get(), 12.5);
    EXPECT_EQ(status.atl.get(), (AtlReply{1, 42, 1}));
    std::string file;
    EXPECT_TRUE(status.currentFileName(file));
    EXPECT_EQ(file, "LOG0001.DAT");
    for (ReplyKind kind :
         {ReplyKind::Sba, ReplyKind::Glo, ReplyKind::Gns, ReplyKind::Pem, ReplyKind::Mem,
          ReplyKind::Anh, ReplyKind::Sti, ReplyKind::Dri, ReplyKind::Atl, ReplyKind::Fil})
        EXPECT_TRUE(status.received(kind));
}

TEST(SettingReplies, FileNameNoneMeansNoFile) {
    ReceiverStatus status;
    feed(status, sentence("PQVXR,FIL,CUR,NONE"));
    std::string file = "kept";
    EXPECT_FALSE(status.currentFileName(file));
    EXPECT_EQ(file, "kept");
}

TEST(AnrReply, TokensAndDefault) {
    const std::pair<const char*, int> cases[] = {{"OFF", 0}, {"ON", 1}, {"ARP", 2}, {"XX", 1}};
    for (const auto& [token, value] : cases) {
        ReceiverStatus status;
        feed(status, sentence(std::string("PQVXR,ANR,") + token));
        EXPECT_EQ(status.antennaReduction.get(), value) << token;
    }
}

TEST(AnpReply, DamagedReplyClearsTheFlagOfAnEarlierOne) {
    ReceiverStatus status;
    feed(status, sentence("PQVXR,ANP,OWN,TRM57971.00_NONE_WITH_A_VERY_LONG_NAME"));
    EXPECT_EQ(status.antennaName.get(), "TRM57971.00_NONE_WITH_A_VERY_LO");  // 31 kept
    status.clearTransactionFlags();
    EXPECT_TRUE(status.received(ReplyKind::Anp));
    feed(status, damaged("PQVXR,ANP,OWN,OTHER"));
    EXPECT_FALSE(status.received(ReplyKind::Anp));
    EXPECT_EQ(status.antennaName.get(), "TRM57971.00_NONE_WITH_A_VERY_LO");
}

TEST(UnsolicitedReports, ObiA2dWtiAndRecordingState) {
    ReceiverStatus status;
    feed(status, sentence("PQVXR,OBI,123456.500,12.75,00042"));
    feed(status, sentence("PQVXR,A2D,0,1"));
    feed(status, sentence("PQVXR,WTI,0123,1"));
    EXPECT_EQ(status.obi.get(), (ObiReply{12 * 3600 + 34 * 60 + 56.5, 12.75f, 42}));
    EXPECT_EQ(status.a2d.get(), (A2dReply{1, 0, 1}));
    EXPECT_EQ(status.wti.get(), 123);

    feed(status, sentence("PQVXR,REC,Y"));
    EXPECT_EQ(status.recording.get(), 1);
    EXPECT_FALSE(status.recordingStopped);
    feed(status, sentence("PQVXR,REC,N"));
    EXPECT_EQ(status.recording.get(), 0);
    EXPECT_TRUE(status.recordingStopped);
}

TEST(BthReply, NameAfterItsKeyOrThreeCharactersOnWhenTheFirstFieldIsEmpty) {
    ReceiverStatus status;
    feed(status, sentence("PQVXR,BTH,PRT,QVX0123"));
    EXPECT_EQ(status.bluetoothName.get(), "QVX01");
    feed(status, sentence("PQVXR,BTH,,,NAME"));
    EXPECT_EQ(status.bluetoothName.get(), "NAME");
    feed(status, sentence("PQVXR,BTH,"));
    EXPECT_EQ(status.bluetoothName.get(), "");
}

TEST(VersionReply, FourLinesWithSerialNumber) {
    ReceiverStatus status;
    const std::string text =
        "RECEIVER VERSION: QX 2.10\r\nSYS fw: 1.07.3\r\nGNSS fw: 3.40-build-12345\r\n"
        "SERIAL NO: QX12345678\r\n";
    EXPECT_EQ(feedAs(status, SentenceType::VERSION, text), SentenceEvent::Reply);
    EXPECT_TRUE(status.received(ReplyKind::Version));
    VersionReply expected;
    expected.receiverVersion = "QX2.10";
    expected.systemFirmware = "1.07.3";
    expected.gnssFirmware = "3.40-build";  // ten characters kept
    expected.hasSerialNumber = true;
    expected.serialNumber = "QX12345678";
    EXPECT_EQ(status.version.get(), expected);
}

TEST(VersionReply, WithoutSerialLineTheNumberIsUnknown) {
    ReceiverStatus status;
    feedAs(status, SentenceType::VERSION,
           "RECEIVER VERSION: 1\r\nSYS fw: 2\r\nGNSS fw: 3\r\nCOPYRIGHT\r\n");
    const VersionReply reply = status.version.get();
    EXPECT_EQ(reply.gnssFirmware, "3");
    EXPECT_FALSE(reply.hasSerialNumber);
    EXPECT_EQ(reply.serialNumber, "");
}
