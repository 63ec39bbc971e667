#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "BoardFixture.h"

using namespace quorrel;
using namespace quorrel::test;

namespace {

// The state field of an MDM reply.
std::string modemState(const std::string& reply) {
    const auto f = fieldsOf("$" + reply);
    return f.size() > 4 ? f[4] : "(no state in " + reply + ")";
}

}  // namespace

class BoardModemTest : public BoardTest {
protected:
    std::string state() { return modemState(query("$PQVXQ,MDM", "$PQVXR,MDM")); }

    // Polls the modem state, as the dialling monitor does, until it reads `expected`.
    bool reaches(const std::string& expected, int timeoutMs) {
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (std::chrono::steady_clock::now() < deadline) {
            if (state() == expected) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }
};

// OFF → ON (acknowledged once powered) → INI acknowledged at once, its result later → INIT.
TEST_F(BoardModemTest, ModemWalksFromOffToInit) {
    startBoard();
    EXPECT_EQ(state(), "OFF");
    const auto sent = std::chrono::steady_clock::now();
    expectAck("$PQVXS,MDM,ON");
    EXPECT_GE(std::chrono::steady_clock::now() - sent, std::chrono::milliseconds(20));
    const auto powered = fieldsOf("$" + query("$PQVXQ,MDM", "$PQVXR,MDM"));
    EXPECT_EQ(powered[4], "ON");
    EXPECT_EQ(powered[6], "ON");  // PWR
    expectAck("$PQVXS,MDM,INI");
    const auto result = client.waitFor("$PQVXR,MDM,INI", 2000);
    ASSERT_TRUE(result);
    EXPECT_EQ(bodyOf(result->text), "PQVXR,MDM,INI,OK");
    EXPECT_TRUE(hasGoodChecksum(result->text));
    EXPECT_EQ(state(), "INIT");
    expectAck("$PQVXS,MDM,OFF");
    EXPECT_EQ(state(), "OFF");
}

// A CSD call: the number is dialled, the call comes up, corrections flow until FIXED; hanging
// up returns to INIT.
TEST_F(BoardModemTest, CsdCallDialsComesOnlineAndCarriesCorrections) {
    config.timeScale = 0.05;  // the call takes 0.3 s, FIXED another 0.6 s
    startBoard();
    expectAck("$PQVXS,MDM,PAR,PTC,0");
    expectAck("$PQVXS,MDM,ON");
    expectAck("$PQVXS,MDM,INI");
    ASSERT_TRUE(client.waitFor("$PQVXR,MDM,INI,OK", 2000));
    expectAck("$PQVXS,MDM,PAR,PTC,0,PHN,0891234567,ADL,N");
    expectAck("$PQVXS,MDM,DAL,1");
    EXPECT_EQ(state(), "DIALING");
    ASSERT_TRUE(reaches("ONLINE", 2000));
    const auto online = fieldsOf("$" + query("$PQVXQ,MDM", "$PQVXR,MDM"));
    EXPECT_EQ(online[12], "0");           // PTC: CSD
    EXPECT_EQ(online[24], "0891234567");  // PHN
    EXPECT_EQ(online[26], "Y");           // ADL
    switchOnEpochs("0.05");
    bool fixed = false;
    for (int i = 0; i < 100 && !fixed; ++i) {
        const auto vec = client.waitFor("$PQVXR,VEC", 500);
        ASSERT_TRUE(vec);
        fixed = fieldsOf(vec->text)[2] == "3";
    }
    EXPECT_TRUE(fixed);
    EXPECT_EQ(board->status().corrections, CorrectionSource::Csd);
    expectAck("$PQVXS,MDM,DAL,0");
    EXPECT_EQ(state(), "INIT");
}

TEST_F(BoardModemTest, WrongSimPinFailsTheInitialisation) {
    config.simPin = "4711";
    startBoard();
    expectAck("$PQVXS,MDM,PAR,PIN,1234");
    expectAck("$PQVXS,MDM,ON");
    expectAck("$PQVXS,MDM,INI");
    auto result = client.waitFor("$PQVXR,MDM,INI", 2000);
    ASSERT_TRUE(result);
    EXPECT_EQ(bodyOf(result->text), "PQVXR,MDM,INI,FAIL");
    EXPECT_EQ(state(), "ON");
    expectAck("$PQVXS,MDM,PAR,PIN,4711");
    expectAck("$PQVXS,MDM,INI");
    result = client.waitFor("$PQVXR,MDM,INI", 2000);
    ASSERT_TRUE(result);
    EXPECT_EQ(bodyOf(result->text), "PQVXR,MDM,INI,OK");
}

TEST_F(BoardModemTest, CallThatNeverGetsThroughEndsWithTheModemOff) {
    config.dialAnswers = false;
    startBoard();
    expectAck("$PQVXS,MDM,PAR,PTC,0,PHN,110");
    expectAck("$PQVXS,MDM,ON");
    expectAck("$PQVXS,MDM,INI");
    ASSERT_TRUE(client.waitFor("$PQVXR,MDM,INI,OK", 2000));
    expectAck("$PQVXS,MDM,DAL,1");
    EXPECT_TRUE(reaches("OFF", 2000));
}

// Dialling needs an initialised modem and a number; IP links need GPRS.
TEST_F(BoardModemTest, CommandsTheModemCannotFollowAreRefused) {
    startBoard();
    for (const char* command : {"$PQVXS,MDM,INI", "$PQVXS,NTR,LOD", "$PQVXS,NTR,MTP,MNT1",
                                "$PQVXS,DIP,RIP,127.0.0.1,PRT,2101"}) {
        ASSERT_TRUE(client.send(command));
        const auto reply = client.waitForAny({"$PQVXR,ACK", "$PQVXR,NAK"});
        ASSERT_TRUE(reply);
        EXPECT_EQ(fieldsOf(reply->text)[1], "NAK") << command;
    }
    expectAck("$PQVXS,MDM,PAR,PTC,0");
    expectAck("$PQVXS,MDM,ON");
    expectAck("$PQVXS,MDM,INI");
    ASSERT_TRUE(client.waitFor("$PQVXR,MDM,INI,OK", 2000));
    ASSERT_TRUE(client.send("$PQVXS,MDM,DAL,1"));  // no number yet
    EXPECT_TRUE(client.waitFor("$PQVXR,NAK,MDM"));
}

TEST_F(BoardModemTest, BoardWithoutModemSaysNone) {
    config.modemFitted = false;
    startBoard();
    EXPECT_EQ(state(), "NONE");
    ASSERT_TRUE(client.send("$PQVXS,MDM,ON"));
    EXPECT_TRUE(client.waitFor("$PQVXR,NAK,MDM"));
}
