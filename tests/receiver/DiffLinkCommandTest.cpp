// The board receiver's differential-link set commands: the sentences sent and the refusals.
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

std::vector<SetCase> linkSetCommands() {
    return {
        {"$PQVXS,RDP,ON", [](auto& r) { return r.RadioOn(); }},
        {"$PQVXS,RDP,OFF", [](auto& r) { return r.RadioOff(); }},
        {"$PQVXS,RDP,TYP,D,UNKNOWN", [](auto& r) { return r.DetectRadioType(); }},
        {"$PQVXS,MDP,B,232", [](auto& r) { return r.SetPortInterface(1, 0); }},
        {"$PQVXS,MDP,A,422", [](auto& r) { return r.SetPortInterface(5, 1); }},  // no F here
        {"$PQVXS,MDM,DAL,1", [](auto& r) { return r.SetModemAutoDial(); }},
        {"$PQVXS,MDM,DAL,0", [](auto& r) { return r.ClearModemAutoDial(); }},
        {"$PQVXS,MDM,PAR,PTC,0", [](auto& r) { return r.SetModemCsd(); }},
        {"$PQVXS,MDM,PAR,PTC,1,IPT,1,ADL,N", [](auto& r) { return r.SetModemGprsProtocol(1); }},
        {"$PQVXS,MDM,PAR,PTC,1,IPT,0,ADL,N", [](auto& r) { return r.SetModemGprsProtocol(7); }},
        {"$PQVXS,MDM,PAR,PIN,1234,PTC,0,PHN,+4989123456,ADL,N",
         [](auto& r) { return r.SetModemCsdParameters(u"1234", u"+4989123456"); }},
        {"$PQVXS,MDM,PAR,PTC,0,PHN,0891234,ADL,N",
         [](auto& r) { return r.SetModemCsdParameters(u"", u"0891234"); }},
        {"$PQVXS,MDM,PAR,PIN,0000,PTC,1,APN,internet.t-d1.de,LGN,t-mobile,PWD,tm",
         [](auto& r) {
             return r.SetModemGprsParameters(u"0000", u"internet.t-d1.de", u"t-mobile", u"tm");
         }},
        {"$PQVXS,MDM,PAR,PTC,1,APN,web,LGN,,PWD,",
         [](auto& r) { return r.SetModemGprsParameters(u"", u"web", u"", u""); }},
        {"$PQVXS,DIP,RIP,10.0.0.7,PRT,9000",
         [](auto& r) { return r.SetDirectIp(u"10.0.0.7", 9000); }},
        {"$PQVXS,DIP,RIP,rtk.example.net,PRT,2101,LGN,surveyor,PWD,s3cret",
         [](auto& r) { return r.SetDirectIpEx(u"rtk.example.net", 2101, u"surveyor", u"s3cret"); }},
        {"$PQVXS,DIP,OFF", [](auto& r) { return r.DirectIpOff(); }},
        {"$PQVXS,NTR,PAR,ADD,caster.example.org,PRT,2101,LGN,user,PWD,pass,TYP,1",
         [](auto& r) {
             return r.SetNtripParameters(u"caster.example.org", 2101, u"user", u"pass", 1);
         }},
        {"$PQVXS,NTR,MTP,OFF", [](auto& r) { return r.DisconnectMountPoint(); }},
        {"$PQVXS,CPD,MOD,BAS", [](auto& r) { return r.SetCpdMode(0); }},
        {"$PQVXS,CPD,MOD,ROV", [](auto& r) { return r.SetCpdMode(1); }},
        {"$PQVXS,CPD,MOD,ROV,3", [](auto& r) { return r.SetCpdModeEx(1, 3); }},
        {"$PQVXS,CPD,MOD,ROV", [](auto& r) { return r.SetRover(); }},
        {"$PQVXS,BAS,B,RT2", [](auto& r) { return r.SetBaseOutput(1, 1); }},
        {"$PQVXS,BAS,E,CMP", [](auto& r) { return r.SetBaseOutput(4, 4); }},
        {"$PQVXS,BAS,A,RT3", [](auto& r) { return r.SetBaseOutput(9, 0); }},
        {"$PQVXS,BAS,C,CMR,F,ATM", [](auto& r) { return r.SetBaseOutput2(2, 3, 5, 5); }},
        {"$PQVXS,BAS,D,RT3,A,RT3", [](auto& r) { return r.SetBaseOutput2(3, 2, -1, 8); }},
    };
}

// Port index → the letter of the radio commands that know port F.
const char* const kRadioPortLetters[] = {"A", "B", "A", "D", "A", "F", "A"};

}  // namespace

TEST_F(InternalReceiverTest, EveryLinkSetCommandSendsItsSentenceAndSucceedsOnAck) {
    openQuietly();
    for (const SetCase& c : linkSetCommands()) {
        peer.clearReceived();
        EXPECT_TRUE(c.run(receiver)) << c.sentence;
        EXPECT_EQ(sent(), std::vector<std::string>{c.sentence});
    }
}

TEST_F(InternalReceiverTest, RadioTypeGoesToRadioPortsBDAndF) {
    openQuietly();
    const char* const tokens[] = {"PDL", "ADL", "CVL", "MDL", "LFE", "LFA", "NONE"};
    std::vector<std::string> expected;
    for (int port = -1; port <= 6; ++port)
        for (int type = 0; type <= 6; ++type) {
            EXPECT_TRUE(receiver.SetRadioType(port, type));
            expected.push_back(std::string("$PQVXS,RDP,TYP,") +
                               (port < 0 ? "A" : kRadioPortLetters[port]) + "," + tokens[type]);
        }
    EXPECT_EQ(sent(), expected);
}

TEST_F(InternalReceiverTest, RadioParametersTakeTheFormOfTheRadioTypeAndPort) {
    openQuietly();
    struct Case {
        int port, type, speed, channel, sensitivity, protocol, selection;
        const char* sentence;
    };
    const Case cases[] = {
        {3, 0, 3, 5, 1, 0, 1, "$PQVXS,RDP,PAR,D,PDL,5,MAN,1,9600,MED"},
        {3, 3, 5, 12, 2, 4, 0, "$PQVXS,RDP,PAR,D,MDL,12,AUT,3,19200,HIG"},
        {3, 1, 0, 2, 3, 1, 1, "$PQVXS,RDP,PAR,D,ADL,2,,0,4800,OFF"},  // ADL: never a selection
        {1, 0, 1, 5, 0, 2, 1, "$PQVXS,RDP,PAR,B,PDL,5,,1,7600,LOW"},
        {5, 3, 2, 7, 9, 3, 1, "$PQVXS,RDP,PAR,F,MDL,7,,2,8000,LOW"},     // unknown sensitivity
        {0, 1, 4, 31, 1, 9, 0, "$PQVXS,RDP,PAR,A,ADL,31,,0,16000,MED"},  // unknown protocol
        {3, 2, 99, 4, 0, 0, 0, "$PQVXS,RDP,PAR,D,CVL,4"},
        {1, 4, 0, 2, 0, 0, 1, "$PQVXS,RDP,PAR,B,LFE,2"},
        {7, 5, 0, 49, 0, 0, 1, "$PQVXS,RDP,PAR,A,LFA,49"},
    };
    for (const Case& c : cases) {
        peer.clearReceived();
        EXPECT_TRUE(receiver.SetRadioParameters(c.port, c.type, c.speed, c.channel, c.sensitivity,
                                                c.protocol, c.selection))
            << c.sentence;
        EXPECT_EQ(sent(), std::vector<std::string>{c.sentence});
    }
}

TEST_F(InternalReceiverTest, LinkCommandsWithoutASentenceAreRefusedUnsent) {
    openQuietly();
    EXPECT_FALSE(receiver.SetRadioType(1, 7));
    EXPECT_FALSE(receiver.SetRadioType(1, 9));
    EXPECT_FALSE(receiver.SetRadioType(1, -1));
    for (const int type : {-1, 6, 7, 12})
        EXPECT_FALSE(receiver.SetRadioParameters(3, type, 0, 1, 0, 0, 0)) << type;
    EXPECT_FALSE(receiver.SetRadioParameters(3, 0, 6, 1, 0, 0, 0));   // no such air speed
    EXPECT_FALSE(receiver.SetRadioParameters(1, 1, -1, 1, 0, 0, 0));  // no such air speed
    EXPECT_FALSE(receiver.SetCpdMode(2));
    EXPECT_FALSE(receiver.SetCpdMode(-1));
    EXPECT_FALSE(receiver.SetCpdModeEx(2, 0));
    EXPECT_FALSE(receiver.SetPortInterface(1, 2));
    EXPECT_TRUE(sent().empty());
}

TEST_F(InternalReceiverTest, LinkTextsUpToTheirMaximaAreSentLongerOnesAreNot) {
    openQuietly();
    const std::u16string pin11(11, u'1'), phone23(23, u'2'), text35(35, u'x');
    EXPECT_TRUE(receiver.SetModemCsdParameters(pin11, phone23));
    EXPECT_TRUE(receiver.SetModemGprsParameters(pin11, text35, text35, text35));
    EXPECT_TRUE(receiver.SetDirectIpEx(text35, 1, text35, text35));
    EXPECT_TRUE(receiver.SetNtripParameters(text35, 2101, text35, text35, 0));
    EXPECT_EQ(sent().size(), 4u);
    peer.clearReceived();

    const std::u16string pin12(12, u'1'), phone24(24, u'2'), text36(36, u'x');
    EXPECT_FALSE(receiver.SetModemCsdParameters(pin12, u"1"));
    EXPECT_FALSE(receiver.SetModemCsdParameters(u"1", phone24));
    EXPECT_FALSE(receiver.SetModemGprsParameters(pin12, u"a", u"", u""));
    EXPECT_FALSE(receiver.SetModemGprsParameters(u"", text36, u"", u""));
    EXPECT_FALSE(receiver.SetModemGprsParameters(u"", u"a", text36, u""));
    EXPECT_FALSE(receiver.SetModemGprsParameters(u"", u"a", u"", text36));
    EXPECT_FALSE(receiver.SetDirectIp(text36, 1));
    EXPECT_FALSE(receiver.SetDirectIpEx(u"h", 1, text36, u""));
    EXPECT_FALSE(receiver.SetDirectIpEx(u"h", 1, u"", text36));
    EXPECT_FALSE(receiver.SetNtripParameters(text36, 1, u"", u"", 0));
    EXPECT_FALSE(receiver.SetNtripParameters(u"h", 1, text36, u"", 0));
    EXPECT_FALSE(receiver.SetNtripParameters(u"h", 1, u"", text36, 0));
    EXPECT_FALSE(receiver.ConnectMountPoint(text36));
    EXPECT_TRUE(sent().empty());
}

TEST_F(InternalReceiverTest, LinkTextThatCouldBreakASentenceIsRefusedUnsent) {
    openQuietly();
    for (const std::u16string& bad :
         {std::u16string(u"a,b"), std::u16string(u"a*"), std::u16string(u"$GP"),
          std::u16string(u"x\r\n$PQVXS,PWR,OFF"), std::u16string(u"\u20ac")}) {
        EXPECT_FALSE(receiver.SetModemCsdParameters(bad, u"1"));
        EXPECT_FALSE(receiver.SetModemCsdParameters(u"1", bad));
        EXPECT_FALSE(receiver.SetModemGprsParameters(u"", bad, u"", u""));
        EXPECT_FALSE(receiver.SetModemGprsParameters(u"", u"a", bad, u""));
        EXPECT_FALSE(receiver.SetModemGprsParameters(u"", u"a", u"", bad));
        EXPECT_FALSE(receiver.SetDirectIp(bad, 1));
        EXPECT_FALSE(receiver.SetDirectIpEx(u"h", 1, bad, u"p"));
        EXPECT_FALSE(receiver.SetNtripParameters(u"h", 1, u"l", bad, 0));
        EXPECT_FALSE(receiver.ConnectMountPoint(bad));
    }
    EXPECT_TRUE(sent().empty());
}

TEST_F(InternalReceiverTest, ModemPowerAndDirectIpWaitLongerThanOtherCommands) {
    timeouts.replyMs = 50;
    timeouts.longReplyMs = 3000;
    timeouts.directIpMs = 3000;
    receiver.setTimeouts(timeouts);
    openQuietly();
    // The modem and the server connection take longer than a plain command to acknowledge.
    peer.setResponder([&](const std::string& line) -> std::string {
        if (line.rfind("$PQVXS,MDM,O", 0) == 0 || line.rfind("$PQVXS,DIP,RIP", 0) == 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(150));
        return script(line);
    });
    EXPECT_TRUE(receiver.ModemOn());
    EXPECT_TRUE(receiver.ModemOff());
    EXPECT_TRUE(receiver.SetDirectIp(u"10.0.0.7", 9000));
}
