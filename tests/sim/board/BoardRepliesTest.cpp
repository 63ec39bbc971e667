#include <gtest/gtest.h>

#include <chrono>
#include <regex>
#include <thread>

#include "BoardFixture.h"
#include "receiver/link/Classifier.h"

using namespace quorrel;
using namespace quorrel::test;

class BoardRepliesTest : public BoardTest {
protected:
    // Repeats `command` until its answer matches `reply` (two seconds at most).
    bool eventually(const std::string& command, const std::string& reply) {
        for (int i = 0; i < 100; ++i) {
            if (std::regex_match(query(command, "$PQVXR,"), std::regex(reply))) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return false;
    }
};

// Every query, on a board just switched on, answered in the layout the program's parsers
// read: the right head (so the classifier files it), a good checksum, the fields in order.
TEST_F(BoardRepliesTest, EveryQueryIsAnsweredInItsLayout) {
    struct Case {
        const char* query;
        const char* reply;  // regular expression for the body
        SentenceType type;
    };
    const Case cases[] = {
        {"$PQVXQ,PRT", "PQVXR,PRT,A,8", SentenceType::PRT},
        {"$PQVXQ,PRT,C", "PQVXR,PRT,C,9", SentenceType::PRT},
        {"$PQVXQ,NPT", "PQVXR,NPT,1,0", SentenceType::NPT},
        {"$PQVXQ,NMO,A", "PQVXR,NMO,A,N,0\\.00,13(,[A-Z2]{3},0\\.00){13}", SentenceType::NMO},
        {"$PQVXQ,SBA", "PQVXR,SBA,ON", SentenceType::SBA},
        {"$PQVXQ,GLO", "PQVXR,GLO,ON", SentenceType::GLO},
        {"$PQVXQ,GNS,CFG", "PQVXR,GNS,CFG,1", SentenceType::GNS},
        {"$PQVXQ,PEM", "PQVXR,PEM,10", SentenceType::PEM},
        {"$PQVXQ,ANH", "PQVXR,ANH,0\\.000,V", SentenceType::ANH},
        {"$PQVXQ,ANR", "PQVXR,ANR,ON", SentenceType::ANR},
        {"$PQVXQ,ANP,OWN", "PQVXR,ANP,OWN,RZA221771", SentenceType::ANP},
        {"$PQVXQ,STI", "PQVXR,STI,QRL1", SentenceType::STI},
        {"$PQVXQ,CPD,MOD", "PQVXR,CPD,MOD,ROV,0", SentenceType::CPD},
        {"$PQVXQ,CPD,POS", "PQVXR,CPD,POS,4808\\.2292\\d{2},N,01134\\.5674\\d{2},E,560\\.0000",
         SentenceType::CPD},
        {"$PQVXQ,BAS", "PQVXR,BAS,B,RT3", SentenceType::BAS},
        {"$PQVXQ,DRI", "PQVXR,DRI,1\\.00", SentenceType::DRI},
        {"$PQVXQ,ATL", "PQVXR,ATL,OFF,0,IDLE", SentenceType::ATL},
        {"$PQVXQ,MEM", "PQVXR,MEM,0", SentenceType::MEM},
        {"$PQVXQ,REC", "PQVXR,REC,S", SentenceType::REC},
        {"$PQVXQ,FIL,CUR", "PQVXR,FIL,CUR,NONE,0", SentenceType::FIL},
        {"$PQVXQ,BTH", "PQVXR,BTH,,,NONE", SentenceType::BTH},
        {"$PQVXQ,MDM",
         "PQVXR,MDM,GSM,99,OFF,PWR,OFF,PIN,,BND,0,PTC,1,CBS,0,APN,internet,LGN,,PWD,,IPT,0,"
         "PHN,,ADL,N,RNO,0",
         SentenceType::MDM},
        {"$PQVXQ,DIP", "PQVXR,DIP,RIP,,PRT,0", SentenceType::DIP},
        {"$PQVXQ,NTR", "PQVXR,NTR,ADD,,PRT,0,LGN,,PWD,,TYP,0", SentenceType::NTR},
        {"$PQVXQ,NTR,MTP", "PQVXR,NTR,MTP,OFF", SentenceType::NTR},
        {"$PQVXQ,NTR,TBL", "PQVXR,NTR,FAIL", SentenceType::NTR},
        {"$PQVXQ,RDP,TYP,D", "PQVXR,RDP,TYP,D,PDL", SentenceType::RDP},
        {"$PQVXQ,RDP,TYP,B", "PQVXR,RDP,TYP,B,NONE", SentenceType::RDP},
        {"$PQVXQ,RDP,CHT,D", "PQVXR,RDP,CHT,D,PDL,16", SentenceType::RDP},
        {"$PQVXQ,RDP,PAR,D", "PQVXR,RDP,PAR,D,PDL,OFF,00,AUT,1,9600,MED", SentenceType::RDP},
    };
    startBoard();
    for (const Case& c : cases) {
        const auto reply = client.request(c.query, "$PQVXR,");
        ASSERT_TRUE(reply) << c.query;
        EXPECT_TRUE(std::regex_match(bodyOf(reply->text), std::regex(c.reply)))
            << c.query << " -> " << reply->text;
        EXPECT_TRUE(hasGoodChecksum(reply->text)) << reply->text;
        EXPECT_EQ(classifySentence(reply->text.c_str(), reply->text.size()), c.type) << c.query;
    }
}

TEST_F(BoardRepliesTest, VersionIsFourLinesOfText) {
    config.serialNumber = "SN-0042";
    startBoard();
    ASSERT_TRUE(client.send("$PQVXQ,VERSION"));
    const auto reply = client.waitFor("RECEIVER VERSION", 2000);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->type, SentenceType::VERSION);
    EXPECT_EQ(
        reply->text,
        "RECEIVER VERSION: QB-2.31\r\nSYS fw: 4.12.0\r\nGNSS fw: 3.8.5\r\nSERIAL NO: SN-0042\r\n");
}

// Each set command is acknowledged with its code and shows in the matching query.
TEST_F(BoardRepliesTest, SetCommandsAreAcknowledgedAndTakeEffect) {
    struct Case {
        const char* set;
        const char* query;
        const char* reply;
    };
    const Case cases[] = {
        {"$PQVXS,SBA,OFF", "$PQVXQ,SBA", "PQVXR,SBA,OFF"},
        {"$PQVXS,GLO,OFF", "$PQVXQ,GLO", "PQVXR,GLO,OFF"},
        {"$PQVXS,GNS,CFG,3", "$PQVXQ,GNS,CFG", "PQVXR,GNS,CFG,3"},
        {"$PQVXS,PEM,5", "$PQVXQ,PEM", "PQVXR,PEM,05"},
        {"$PQVXS,ANH,1.234000,S", "$PQVXQ,ANH", "PQVXR,ANH,1.234,S"},
        {"$PQVXS,ANR,ARP", "$PQVXQ,ANR", "PQVXR,ANR,ARP"},
        {"$PQVXS,ANP,OWN,RZA100", "$PQVXQ,ANP,OWN", "PQVXR,ANP,OWN,RZA100"},
        {"$PQVXS,STI,AB12", "$PQVXQ,STI", "PQVXR,STI,AB12"},
        {"$PQVXS,CPD,MOD,BAS,2", "$PQVXQ,CPD,MOD", "PQVXR,CPD,MOD,BAS,2"},
        {"$PQVXS,CPD,MOD,ROV", "$PQVXQ,CPD,MOD", "PQVXR,CPD,MOD,ROV,2"},
        {"$PQVXS,POS,3330.0000000,S,15115.0000000,E,12.500000", "$PQVXQ,CPD,POS",
         "PQVXR,CPD,POS,3330.000000,S,15115.000000,E,12.5000"},
        {"$PQVXS,BAS,D,CMR,F,RT2", "$PQVXQ,BAS", "PQVXR,BAS,D,CMR,F,RT2"},
        {"$PQVXS,BAS,B,ATM", "$PQVXQ,BAS", "PQVXR,BAS,B,ATM"},
        {"$PQVXS,DRI,0.500000", "$PQVXQ,DRI", "PQVXR,DRI,0.50"},
        {"$PQVXS,MEM,1", "$PQVXQ,MEM", "PQVXR,MEM,1"},
        {"$PQVXS,NPT,0,1", "$PQVXQ,NPT", "PQVXR,NPT,0,1"},
        {"$PQVXS,PRT,B,5,ON", "$PQVXQ,PRT,B", "PQVXR,PRT,B,5"},
        {"$PQVXS,BTH,PRT,COM1", "$PQVXQ,BTH", "PQVXR,BTH,,,COM1"},
        {"$PQVXS,PRT,C,,ON", "$PQVXQ,PRT,C", "PQVXR,PRT,C,9"},
        {"$PQVXS,NTR,PAR,ADD,caster.example,PRT,2101,LGN,user,PWD,secret,TYP,0", "$PQVXQ,NTR",
         "PQVXR,NTR,ADD,caster.example,PRT,2101,LGN,user,PWD,secret,TYP,0"},
        {"$PQVXS,RDP,TYP,B,ADL", "$PQVXQ,RDP,TYP,B", "PQVXR,RDP,TYP,B,ADL"},
        {"$PQVXS,RDP,PAR,D,PDL,5,MAN,2,19200,HIG", "$PQVXQ,RDP,PAR,D",
         "PQVXR,RDP,PAR,D,PDL,OFF,05,MAN,2,19200,HIG"},
        {"$PQVXS,RDP,PAR,B,ADL,12,,3,16000,LOW", "$PQVXQ,RDP,PAR,B",
         "PQVXR,RDP,PAR,B,ADL,OFF,12,AUT,3,16000,LOW"},
        {"$PQVXS,RDP,ON", "$PQVXQ,RDP,CHT,B", "PQVXR,RDP,CHT,B,ADL,32"},
        {"$PQVXS,NME,GGA,B,ON,0.50", "$PQVXQ,NMO,B",
         "PQVXR,NMO,B,N,2.00,13,GGA,0.50,GLL,0.00,GSA,0.00,GST,0.00,GSV,0.00,RMC,0.00,RRE,0.00,"
         "VTG,0.00,ZDA,0.00,VEC,0.00,A2D,0.00,OBI,0.00,WTI,0.00"},
        {"$PQVXS,MDM,PAR,PIN,1234,PTC,0,PHN,0891234567,ADL,N", "$PQVXQ,MDM",
         "PQVXR,MDM,GSM,99,OFF,PWR,OFF,PIN,1234,BND,0,PTC,0,CBS,0,APN,internet,LGN,,PWD,,"
         "IPT,0,PHN,0891234567,ADL,N,RNO,0"},
        {"$PQVXS,ATL,ON", "$PQVXQ,ATL", "PQVXR,ATL,ON,0,IDLE"},
    };
    startBoard();
    for (const Case& c : cases) {
        expectAck(c.set);
        EXPECT_EQ(query(c.query, "$PQVXR,"), c.reply) << c.set;
    }
}

TEST_F(BoardRepliesTest, MalformedCommandsAreRefusedAndChangeNothing) {
    const char* refused[] = {
        "$PQVXS,SBA,MAYBE",
        "$PQVXS,GNS,CFG,7",
        "$PQVXS,PEM,91",
        "$PQVXS,NME,GGA,A,ON,0.01",
        "$PQVXS,NME,GGA,G,ON,1.00",
        "$PQVXS,NME,XYZ,A,ON,1.00",
        "$PQVXS,NME,GGA,A,ON",
        "$PQVXS,NME,ALL,A,ON,1.00",
        "$PQVXS,PRT,A,12",
        "$PQVXS,PRT,A",
        "$PQVXS,STI,TOOLONG",
        "$PQVXS,ANH,1.0,X",
        "$PQVXS,RDP,TYP,D,FOO",
        "$PQVXS,RDP,PAR,D,PDL,40,AUT,1,9600,MED",
        "$PQVXS,RDP,PAR,D,PDL,4",
        "$PQVXS,MDM,PAR,PTC,2",
        "$PQVXS,MDM,PAR,XYZ,1",
        "$PQVXS,CPD,MOD,XXX",
        "$PQVXS,CPD,MOD,ROV,4",
        "$PQVXS,POS,4875.0,N,01115.0,E,1",
        "$PQVXS,KPI,4830.0,N,01115.0,E,1,XYZ",
        "$PQVXS,BAS,B,RT9",
        "$PQVXS,RTC,TYP,x",
        "$PQVXS,RNX,TYP,4,1",
        "$PQVXS,MEM,2",
        "$PQVXS,REC,MAYBE",
        "$PQVXS,XYZ,1",
        "$PQVXQ,NMO,Z",
        "$PQVXQ,FOO",
        "$PQVXQ,RDP,XYZ,D",
    };
    startBoard();
    for (const char* command : refused) {
        ASSERT_TRUE(client.send(command));
        const auto reply = client.waitFor("$PQVXR,", 2000);
        ASSERT_TRUE(reply) << command;
        EXPECT_EQ(bodyOf(reply->text), "PQVXR,NAK," + fieldsOf(command)[1]) << command;
    }
    EXPECT_EQ(query("$PQVXQ,SBA", "$PQVXR,SBA"), "PQVXR,SBA,ON");
    EXPECT_EQ(query("$PQVXQ,PEM", "$PQVXR,PEM"), "PQVXR,PEM,10");
    EXPECT_EQ(query("$PQVXQ,PRT", "$PQVXR,PRT"), "PQVXR,PRT,A,8");
}

// The acknowledgement still goes out at the old rate; the board listens at the new one after.
TEST_F(BoardRepliesTest, NewRateOfTheOwnPortTakesEffectAfterTheAcknowledgement) {
    startBoard();
    expectAck("$PQVXS,PRT,A,5,ON");
    client.clear();
    EXPECT_FALSE(client.request("$PQVXQ,PRT", "$PQVXR,PRT", 400));
    ASSERT_TRUE(client.setBaudRate(9600));
    EXPECT_EQ(query("$PQVXQ,PRT", "$PQVXR,PRT"), "PQVXR,PRT,A,5");
    EXPECT_EQ(board->status().listeningBaud, 9600u);
}

// Radios detect their type; recording names a file and counts what it wrote.
TEST_F(BoardRepliesTest, RadioDetectionAndRecordingChangeWithTime) {
    config.timeScale = 0.2;  // detection 0.4 s, debug recorder start 0.3 s
    startBoard();
    expectAck("$PQVXS,RDP,TYP,D,UNKNOWN");
    EXPECT_EQ(query("$PQVXQ,RDP,TYP,D", "$PQVXR,RDP"), "PQVXR,RDP,TYP,D,UNKNOWN");
    EXPECT_TRUE(eventually("$PQVXQ,RDP,TYP,D", "PQVXR,RDP,TYP,D,PDL"));

    expectAck("$PQVXS,REC,Y");
    EXPECT_EQ(query("$PQVXQ,REC", "$PQVXR,REC"), "PQVXR,REC,R");
    const auto file = fieldsOf("$" + query("$PQVXQ,FIL,CUR", "$PQVXR,FIL"));
    ASSERT_EQ(file.size(), 5u);
    EXPECT_TRUE(std::regex_match(file[3], std::regex("RAM/QRL1\\d{4}\\.\\d{2}R"))) << file[3];
    expectAck("$PQVXS,REC,N");
    EXPECT_EQ(query("$PQVXQ,FIL,CUR", "$PQVXR,FIL"), "PQVXR,FIL,CUR,NONE,0");

    expectAck("$PQVXS,ATL,ON");
    EXPECT_EQ(query("$PQVXQ,ATL", "$PQVXR,ATL"), "PQVXR,ATL,ON,0,IDLE");
    EXPECT_TRUE(eventually("$PQVXQ,ATL", "PQVXR,ATL,ON,\\d+,REC"));
    ASSERT_TRUE(client.send("$PQVXS,MEM,1"));
    ASSERT_TRUE(client.waitFor("$PQVXR,NAK,MEM"));
}

// Every set command as the program formats it is accepted.
TEST_F(BoardRepliesTest, EverySetCommandOfTheProgramIsAccepted) {
    const char* accepted[] = {
        "$PQVXS,KPI,4808.2292400,N,1134.5674400,E,560.000000,ARP",
        "$PQVXS,ANT,0.123,0.0010,-0.0020",
        "$PQVXS,ANP,OUT,ADVNULLANTENNA",
        "$PQVXS,ANP,OUT,OFF",
        "$PQVXS,OCC,12,0,PT1,first point",
        "$PQVXS,OCC,12,1,PT1,first point",
        "$PQVXS,DYN,2",
        "$PQVXS,RTC,TYP,1000",
        "$PQVXS,RTC,TYP,1006,13",
        "$PQVXS,RNX,TYP,101,1,31",
        "$PQVXS,CMR,TYP,1,30",
        "$PQVXS,MDP,B,422",
        "$PQVXS,CPD,ARR,LEN,2.500000",
        "$PQVXS,CPD,ARR,MOD,ON",
        "$PQVXS,CPD,RST",
        "$PQVXS,OBI,RST",
        "$PQVXS,INI,1",
        "$PQVXS,NME,POS,A,ON",
        "$PQVXS,NME,GGA,E,ON,5.00",
        "$PQVXS,NME,GGA,E,OFF",
        "$PQVXS,NME,ALL,A,OFF",
        "$PQVXS,PRT,B,7",
        "$PQVXS,PRT,D,7,OFF",
        "$PQVXS,PRT,C,,OFF",
        "$PQVXS,BTH,PRT,NONE",
        "$PQVXS,MDM,DAL,0",
        "$PQVXS,MDM,PAR,PTC,1,IPT,1,ADL,N",
        "$PQVXS,MDM,PAR,PIN,1234,PTC,1,APN,internet.example,LGN,web,PWD,web",
        "$PQVXS,NTR,MTP,OFF",
        "$PQVXS,NTR,PAR,ADD,,PRT,0,LGN,,PWD,,TYP,0",
        "$PQVXS,DIP,OFF",
        "$PQVXS,RDP,OFF",
        "$PQVXS,RDP,TYP,D,NONE",
        "$PQVXS,RDP,PAR,A,CVL,3",
        "$PQVXS,RDP,PAR,A,LFA,49",
        "$PQVXS,RDP,PAR,D,MDL,7,AUT,0,7600,OFF",
        "$PQVXS,SBA,ON",
        "$PQVXS,GLO,ON",
        "$PQVXS,ATL,OFF",
        "$PQVXS,MEM,0",
        "$PQVXS,REC,N",
        "$PQVXS,STI,SITE",
    };
    startBoard();
    for (const char* command : accepted)
        expectAck(command);
}
