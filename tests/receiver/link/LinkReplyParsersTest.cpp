#include <gtest/gtest.h>

#include "ParserTestSupport.h"

using namespace quorrel;
using quorrel::test::damaged;
using quorrel::test::feed;
using quorrel::test::sentence;

TEST(MdmReply, StateAndKeyedSettings) {
    ReceiverStatus status;
    feed(status, sentence("PQVXR,MDM,0,0,DIALING,PWR,ON,PIN,123456789,BND,2,PTC,1,CBS,7,"
                          "APN,internet.example,LGN,user,PWD,secret,IPT,0,PHN,+4912345,ADL,N,"
                          "RNO,5,XYZ,skipped"));
    ModemReply expected;
    expected.modemState = 4;
    expected.power = "ON";
    expected.pin = "12345678";  // eight kept
    expected.band = '2';
    expected.protocol = '1';
    expected.cbs = '7';
    expected.accessPoint = "internet.example";
    expected.login = "user";
    expected.password = "secret";
    expected.ipType = '0';
    expected.phoneNumber = "+4912345";
    expected.autoDial = 'N';
    EXPECT_EQ(status.modem.get(), expected);
    EXPECT_TRUE(status.received(ReplyKind::Mdm));
}

TEST(MdmReply, StateTextIsMatchedExactly) {
    const std::pair<const char*, int> cases[] = {{"OFF", 1},    {"ON", 2},   {"INIT", 3},
                                                 {"ONLINE", 5}, {"NONE", 0}, {"ONX", 0}};
    for (const auto& [text, state] : cases) {
        ReceiverStatus status;
        feed(status, sentence(std::string("PQVXR,MDM,0,0,") + text));
        EXPECT_EQ(status.modem.get().modemState, state) << text;
    }
}

TEST(MdmReply, InitialisationResultSetsOnlyTheOkFlag) {
    ReceiverStatus status;
    status.awaitResult(ResultSource::Modem);
    feed(status, sentence("PQVXR,MDM,INI,OK"));
    EXPECT_TRUE(status.operationOk);
    EXPECT_FALSE(status.received(ReplyKind::Mdm));
    EXPECT_FALSE(status.operationDone);  // not before the reply event is signalled
    status.publishOperationResult();
    EXPECT_TRUE(status.operationDone);
    status.clearTransactionFlags();
    EXPECT_FALSE(status.operationDone);
    status.awaitResult(ResultSource::Modem);
    feed(status, sentence("PQVXR,MDM,INI,FAIL"));
    EXPECT_FALSE(status.operationOk);
    status.publishOperationResult();
    EXPECT_TRUE(status.operationDone);
    EXPECT_EQ(status.modem.get(), ModemReply{});
}

TEST(DipReply, AddressPortAndOptionalLogin) {
    ReceiverStatus status;
    feed(status, sentence("PQVXR,DIP,RIP,192.0.2.7,PRT,2101,LGN,user,PWD,secret"));
    EXPECT_EQ(status.directIp.get(), (DirectIpReply{"192.0.2.7", 2101, "user", "secret"}));
    // Without a login the whole slot is replaced, so the old login goes.
    feed(status, sentence("PQVXR,DIP,RIP,caster.example,PRT,12345"));
    EXPECT_EQ(status.directIp.get(), (DirectIpReply{"caster.example", 12345, "", ""}));
    feed(status, sentence("PQVXR,DIP,OFF"));
    EXPECT_EQ(status.directIp.get(), DirectIpReply{});
    EXPECT_TRUE(status.received(ReplyKind::Dip));
}

TEST(CpdReply, ModeKeepsItsValueForUnknownTextOrDigit) {
    ReceiverStatus status;
    feed(status, sentence("PQVXR,CPD,MOD,ROV,2"));
    EXPECT_EQ(status.cpd.get().mode, 1);
    EXPECT_EQ(status.cpd.get().modeDigit, 2);
    feed(status, sentence("PQVXR,CPD,MOD,XXX,7"));
    EXPECT_EQ(status.cpd.get().mode, 1);
    EXPECT_EQ(status.cpd.get().modeDigit, 2);
    feed(status, sentence("PQVXR,CPD,MOD,BAS,0"));
    EXPECT_EQ(status.cpd.get().mode, 0);
    EXPECT_EQ(status.cpd.get().modeDigit, 0);
}

TEST(CpdReply, ReferencePositionInEitherLayout) {
    ReceiverStatus status;
    feed(status, sentence("PQVXR,CPD,POS,-33.5000000,151.2500000,12.500"));
    EXPECT_DOUBLE_EQ(status.cpd.get().latitude, -33.5);
    EXPECT_DOUBLE_EQ(status.cpd.get().longitude, 151.25);
    EXPECT_DOUBLE_EQ(status.cpd.get().height, 12.5);
    feed(status, sentence("PQVXR,CPD,POS,4404.1237962,N,12118.8472460,W,-20.250"));
    EXPECT_NEAR(status.cpd.get().latitude, 44 + 4.123796 / 60, 1e-12);
    EXPECT_NEAR(status.cpd.get().longitude, -(121 + 18.847246 / 60), 1e-12);
    EXPECT_DOUBLE_EQ(status.cpd.get().height, -20.25);
}

TEST(CpdReply, AcknowledgingSubRepliesSetTheFlagOnly) {
    ReceiverStatus status;
    feed(status, sentence("PQVXR,CPD,FST"));
    EXPECT_TRUE(status.received(ReplyKind::Cpd));
    status.clearTransactionFlags();
    feed(status, sentence("PQVXR,CPD,QQQ"));
    EXPECT_FALSE(status.received(ReplyKind::Cpd));
    EXPECT_EQ(status.cpd.get(), CpdReply{});
}

TEST(RdpReply, ParametersDecodeToTheirCodes) {
    ReceiverStatus status;
    feed(status, sentence("PQVXR,RDP,PAR,D,MDL,ON,05,MAN,1,16000,HIG"));
    RadioRecord r = status.radio.get();
    EXPECT_EQ(r.radioPort, 3);
    EXPECT_EQ(r.radioType, 3);
    EXPECT_EQ(r.powerIndex, 0);
    EXPECT_EQ(r.channel, 5);
    EXPECT_EQ(r.modeIndex, 1);
    EXPECT_EQ(r.protocolIndex, 0);  // digit 1 on an MDL radio
    EXPECT_EQ(r.speedIndex, 4);
    EXPECT_EQ(r.sensitivityIndex, 2);

    feed(status, sentence("PQVXR,RDP,PAR,B,PDL,OFF,12,AUT,1,12000,XXX"));
    r = status.radio.get();
    EXPECT_EQ(r.radioPort, 1);
    EXPECT_EQ(r.radioType, 0);
    EXPECT_EQ(r.powerIndex, 1);
    EXPECT_EQ(r.modeIndex, 0);
    EXPECT_EQ(r.protocolIndex, 2);  // digit 1 on any other radio
    EXPECT_EQ(r.speedIndex, 0);     // an unknown speed reads as the first
    EXPECT_EQ(r.sensitivityIndex, 0);

    const std::pair<const char*, int> protocols[] = {{"2", 3}, {"3", 4}, {"9", 1}, {"", 1}};
    for (const auto& [digit, index] : protocols) {
        feed(status, sentence(std::string("PQVXR,RDP,PAR,F,ADL,ON,01,AUT,") + digit + ",9600,MED"));
        EXPECT_EQ(status.radio.get().protocolIndex, index) << digit;
        EXPECT_EQ(status.radio.get().radioPort, 5);
    }
}

TEST(RdpReply, TypeAndChannelRepliesFillTheirPartOfTheRecord) {
    ReceiverStatus status;
    feed(status, sentence("PQVXR,RDP,PAR,D,PDL,ON,07,AUT,2,9600,LOW"));
    feed(status, sentence("PQVXR,RDP,CHT,D,UNKNOWN,16"));
    RadioRecord r = status.radio.get();
    EXPECT_EQ(r.radioType, 6);  // UNKNOWN reads as NONE in a channel reply
    EXPECT_EQ(r.channelCount, 16);
    EXPECT_EQ(r.channel, 7);  // from the parameter reply
    feed(status, sentence("PQVXR,RDP,TYP,B,UNKNOWN"));
    EXPECT_EQ(status.radio.get().radioType, 7);
    EXPECT_EQ(status.radio.get().radioPort, 1);
    feed(status, sentence("PQVXR,RDP,TYP,A,LFA"));
    EXPECT_EQ(status.radio.get().radioType, 5);
    EXPECT_EQ(status.radio.get().radioPort, 0);
    feed(status, sentence("PQVXR,RDP,TYP,D,WHAT"));
    EXPECT_EQ(status.radio.get().radioType, 6);
    EXPECT_TRUE(status.received(ReplyKind::Rdp));
}

TEST(NtrReply, ResultsMountPointAndParameters) {
    ReceiverStatus status;
    status.awaitResult(ResultSource::Ntrip);
    feed(status, sentence("PQVXR,NTR,OK"));
    EXPECT_TRUE(status.operationOk);
    feed(status, sentence("PQVXR,NTR,FAIL"));
    EXPECT_FALSE(status.operationOk);
    status.publishOperationResult();
    EXPECT_TRUE(status.operationDone);
    status.clearTransactionFlags();
    feed(status, sentence("PQVXR,NTR,MTP,MOUNT_1"));
    status.publishOperationResult();
    EXPECT_FALSE(status.operationDone);  // not a result
    EXPECT_EQ(status.mountPoint.get(), "MOUNT_1");
    EXPECT_TRUE(status.received(ReplyKind::NtrMountPoint));
    feed(status, sentence("PQVXR,NTR,ADD,caster.example,PRT,2101,LGN,user,PWD,pass"));
    EXPECT_EQ(status.ntripParameters.get(),
              (NtripParametersReply{2101, "caster.example", "user", "pass"}));
    EXPECT_TRUE(status.received(ReplyKind::NtrParameters));
}

TEST(NtrReply, SourceTableIsCopiedFromTheLastLetterOfItsHead) {
    ReceiverStatus status;
    const std::string table =
        "SOURCETABLE 200 OK\r\nSTR;M1;Town;RTCM 3.2;1004(1);2;GPS;NET;DEU;50.1;8.7;0;0;g;n;B;N;"
        "9600\r\nENDSOURCETABLE\r\n";
    feed(status, "$PQVXR,NTR,TBL\r\n" + table);
    EXPECT_TRUE(status.received(ReplyKind::NtrSourceTable));
    EXPECT_EQ(status.sourceTable.get(), "L\r\n" + table);

    status.clearTransactionFlags();
    feed(status, "$PQVXR,NTR,TBL\r\nHTTP/1.0 401 Unauthorized\r\n");
    EXPECT_FALSE(status.received(ReplyKind::NtrSourceTable));
    EXPECT_EQ(status.sourceTable.get(), "L\r\n" + table);
}

TEST(NtrReply, WholeLargeSourceTableIsKept) {
    std::string text = "$PQVXR,NTR,TBL\r\nSOURCETABLE 200 OK\r\n";
    while (text.size() < 3'000'000)
        text += "STR;MOUNT;Town;RTCM 3.2;1004(1);2;GPS;NET;DEU;50.1;8.7;0;0;g;n;B;N;9600\r\n";
    text += "ENDSOURCETABLE\r\n";
    ReceiverStatus status;
    feed(status, text);
    EXPECT_EQ(status.sourceTable.get().size(), text.size() - 13);
}

TEST(BasReply, OneOrTwoOutputs) {
    ReceiverStatus status;
    feed(status, sentence("PQVXR,BAS,B,RT3,E,ATM"));
    EXPECT_EQ(status.baseOutput.get(), (BaseOutputReply{1, 2, 4, 5}));
    feed(status, sentence("PQVXR,BAS,D,CMR"));
    EXPECT_EQ(status.baseOutput.get(), (BaseOutputReply{3, 3, 0, 0}));
    feed(status, sentence("PQVXR,BAS,A,XYZ,F,RT2"));
    EXPECT_EQ(status.baseOutput.get(), (BaseOutputReply{0, 0, 5, 1}));
}

TEST(LinkReplies, DamagedRepliesChangeNothing) {
    ReceiverStatus status;
    for (const char* body :
         {"PQVXR,MDM,0,0,ON,PIN,1", "PQVXR,DIP,RIP,1.2.3.4,PRT,1", "PQVXR,CPD,MOD,ROV,1",
          "PQVXR,RDP,TYP,D,ADL", "PQVXR,NTR,MTP,X", "PQVXR,NTR,OK", "PQVXR,BAS,B,RT2"})
        EXPECT_EQ(feed(status, damaged(body)), SentenceEvent::Reply) << body;
    EXPECT_EQ(status.modem.get(), ModemReply{});
    EXPECT_EQ(status.directIp.get(), DirectIpReply{});
    EXPECT_EQ(status.cpd.get(), CpdReply{});
    EXPECT_EQ(status.radio.get(), RadioRecord{});
    EXPECT_EQ(status.mountPoint.get(), "");
    EXPECT_EQ(status.baseOutput.get(), BaseOutputReply{});
    EXPECT_FALSE(status.operationOk);
    status.publishOperationResult();
    EXPECT_FALSE(status.operationDone);  // no result was awaited
    for (ReplyKind kind : {ReplyKind::Mdm, ReplyKind::Dip, ReplyKind::Cpd, ReplyKind::Rdp,
                           ReplyKind::NtrMountPoint, ReplyKind::Bas})
        EXPECT_FALSE(status.received(kind));
}

// Only a result of the kind the running command waits for ends its wait; a damaged reply of
// that kind ends it as a failure, since it may have been the result.
TEST(OperationResults, CountOnlyForTheSourceAwaited) {
    struct Case {
        ResultSource awaited;
        std::string text;
        bool done;
        bool ok;
    };
    const Case cases[] = {
        {ResultSource::Modem, sentence("PQVXR,MDM,INI,OK"), true, true},
        {ResultSource::Modem, sentence("PQVXR,MDM,INI,FAIL"), true, false},
        {ResultSource::Modem, damaged("PQVXR,MDM,INI,OK"), true, false},
        {ResultSource::Modem, sentence("PQVXR,NTR,OK"), false, false},
        {ResultSource::Modem, damaged("PQVXR,NTR,OK"), false, false},
        {ResultSource::Ntrip, sentence("PQVXR,NTR,OK"), true, true},
        {ResultSource::Ntrip, damaged("PQVXR,NTR,OK"), true, false},
        {ResultSource::Ntrip, sentence("PQVXR,MDM,INI,OK"), false, false},
        {ResultSource::Ntrip, damaged("PQVXR,MDM,GSM,0,ONLINE"), false, false},
        {ResultSource::Ntrip, sentence("PQVXR,NTR,MTP,X"), false, false},
        {ResultSource::None, sentence("PQVXR,NTR,OK"), false, false},
        {ResultSource::None, damaged("PQVXR,MDM,INI,OK"), false, false},
    };
    for (const Case& c : cases) {
        ReceiverStatus status;
        status.awaitResult(c.awaited);
        feed(status, c.text);
        status.publishOperationResult();
        EXPECT_EQ(status.operationDone, c.done) << c.text;
        EXPECT_EQ(status.operationOk, c.ok) << c.text;
    }
}
