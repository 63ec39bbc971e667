#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "BoardFixture.h"
#include "platform/SerialPort.h"

using namespace quorrel;
using namespace quorrel::test;
using Clock = std::chrono::steady_clock;

class BoardFaultTest : public BoardTest {};

namespace {

// Raw bytes from the device for `ms` at `baud`.
std::string readRaw(const std::string& device, std::uint32_t baud, int ms) {
    SerialPort port;
    port.open(device);
    if (!port.isOpen() || !port.setBaudRate(baud)) return {};
    port.purge();
    std::string bytes;
    const auto end = Clock::now() + std::chrono::milliseconds(ms);
    while (Clock::now() < end) {
        std::uint8_t buffer[4096];
        std::size_t got = 0;
        if (!port.read(buffer, sizeof buffer, got, 20)) break;
        bytes.append(reinterpret_cast<char*>(buffer), got);
    }
    port.close();
    return bytes;
}

}  // namespace

// At a rate other than its own the board is line noise: bytes, but never a "$", so never a
// sentence head that would make the program think it found the receiver; and it hears nothing.
TEST_F(BoardFaultTest, WrongRateGivesNoiseWithoutSentenceHeads) {
    config.outputRateHz = 20;
    board = std::make_unique<BoardSimulator>(config);
    ASSERT_TRUE(board->start());
    for (std::uint32_t rate : {115200u, 9600u, 4800u, 19200u, 38400u}) {
        const std::string noise = readRaw(board->devicePath(), rate, 150);
        EXPECT_GT(noise.size(), 100u) << rate;
        EXPECT_EQ(noise.find('$'), std::string::npos) << rate;
    }
    EXPECT_NE(readRaw(board->devicePath(), 57600, 150).find("$GPGGA,"), std::string::npos);

    ASSERT_TRUE(client.open(board->devicePath(), 9600));
    ASSERT_TRUE(client.send("$PQVXQ,PRT"));
    EXPECT_TRUE(client.collect(200).empty());
    EXPECT_EQ(board->receivedCount("$PQVXQ"), 0u);
    ASSERT_TRUE(client.setBaudRate(57600));
    EXPECT_EQ(query("$PQVXQ,PRT", "$PQVXR,PRT"), "PQVXR,PRT,A,8");
}

TEST_F(BoardFaultTest, NakAndIgnoreLeaveTheStateAlone) {
    startBoard();
    board->nak("PQVXS,SBA", 1);
    board->ignore("$PQVXQ,GLO");
    ASSERT_TRUE(client.send("$PQVXS,SBA,OFF"));
    const auto nak = client.waitForAny({"$PQVXR,ACK", "$PQVXR,NAK"});
    ASSERT_TRUE(nak);
    EXPECT_EQ(bodyOf(nak->text), "PQVXR,NAK,SBA");
    EXPECT_EQ(query("$PQVXQ,SBA", "$PQVXR,SBA"), "PQVXR,SBA,ON");
    expectAck("$PQVXS,SBA,OFF");  // the fault was good for one command only
    EXPECT_FALSE(client.request("$PQVXQ,GLO", "$PQVXR,", 300));
    EXPECT_EQ(board->receivedCount("$PQVXQ,GLO"), 1u);
    board->clearFaults();
    EXPECT_EQ(query("$PQVXQ,GLO", "$PQVXR,GLO"), "PQVXR,GLO,ON");
}

TEST_F(BoardFaultTest, CorruptedChecksumSpoilsOnlyTheNamedReply) {
    config.outputRateHz = 10;
    startBoard();
    board->corruptChecksum("PRT");
    board->corruptChecksum("GGA", 2);
    const auto prt = client.request("$PQVXQ,PRT", "$PQVXR,PRT");
    ASSERT_TRUE(prt);
    EXPECT_EQ(bodyOf(prt->text), "PQVXR,PRT,A,8");
    EXPECT_FALSE(hasGoodChecksum(prt->text));
    const auto sba = client.request("$PQVXQ,SBA", "$PQVXR,SBA");
    ASSERT_TRUE(sba);
    EXPECT_TRUE(hasGoodChecksum(sba->text));
    client.clear();
    int bad = 0, good = 0;
    for (const auto& r : client.collect(600))
        if (r.text.starts_with("$GPGGA")) (hasGoodChecksum(r.text) ? good : bad) += 1;
    EXPECT_LE(bad, 2);
    EXPECT_GE(good, 3);
}

// Silent: nothing goes out and nothing is done, though what arrives is logged.
TEST_F(BoardFaultTest, SilentBoardNeitherSpeaksNorActs) {
    config.outputRateHz = 10;
    startBoard();
    ASSERT_TRUE(client.waitFor("$GPGGA", 1000));
    board->silence(true);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    client.clear();
    ASSERT_TRUE(client.send("$PQVXS,SBA,OFF"));
    EXPECT_TRUE(client.collect(400).empty());
    EXPECT_TRUE(board->waitForReceived("$PQVXS,SBA,OFF", 100));
    board->silence(false);
    EXPECT_EQ(query("$PQVXQ,SBA", "$PQVXR,SBA"), "PQVXR,SBA,ON");
    EXPECT_TRUE(client.waitFor("$GPGGA", 1000));
}

TEST_F(BoardFaultTest, UnpluggedDeviceFailsTheProgramsRead) {
    config.outputRateHz = 5;
    startBoard();
    ASSERT_TRUE(client.waitFor("$GPGGA", 1000));
    board->unplug();
    const auto deadline = Clock::now() + std::chrono::seconds(2);
    while (!client.readFailed() && Clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_TRUE(client.readFailed());
    while (board->isRunning() && Clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_FALSE(board->isRunning());
}

// Replies are held back; the epochs keep their time meanwhile.
TEST_F(BoardFaultTest, DelayedRepliesLetEpochsPass) {
    config.outputRateHz = 20;
    startBoard();
    board->delayReplies(300);
    client.clear();
    const auto sent = Clock::now();
    ASSERT_TRUE(client.send("$PQVXQ,PEM"));
    const auto epoch = client.waitFor("$GPGGA", 1000);
    const auto reply = client.waitFor("$PQVXR,PEM", 1000);
    ASSERT_TRUE(epoch && reply);
    EXPECT_LT(epoch->time, reply->time);
    EXPECT_GE(reply->time - sent, std::chrono::milliseconds(290));
}

TEST_F(BoardFaultTest, LogKeepsEveryLineInOrderWithItsTime) {
    startBoard();
    EXPECT_TRUE(board->receivedLog().empty());
    const auto before = Clock::now();
    for (const char* command : {"$PQVXQ,PRT", "$PQVXQ,NPT", "$GPGGA,not,for,the,board"})
        ASSERT_TRUE(client.send(command));
    ASSERT_TRUE(board->waitForReceived("GPGGA", 1000));
    const auto log = board->receivedLog();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0].text, "$PQVXQ,PRT");
    EXPECT_EQ(log[1].text, "$PQVXQ,NPT");
    EXPECT_EQ(log[2].text, "$GPGGA,not,for,the,board");
    EXPECT_GE(log[0].time, before);
    EXPECT_LE(log[0].time, log[1].time);
    EXPECT_LE(log[1].time, log[2].time);
    EXPECT_EQ(board->receivedCount("PQVXQ"), 2u);
    EXPECT_FALSE(board->waitForReceived("$PQVXS", 50));
    board->clearLog();
    EXPECT_TRUE(board->receivedLog().empty());
}

TEST_F(BoardFaultTest, PowerOffEndsAllOutput) {
    config.outputRateHz = 10;
    startBoard();
    expectAck("$PQVXS,PWR,OFF");
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    client.clear();
    ASSERT_TRUE(client.send("$PQVXQ,PRT"));
    EXPECT_TRUE(client.collect(400).empty());
    EXPECT_TRUE(board->status().poweredOff);
}

// A reset: quiet while it reboots, then the satellites are searched for again.
TEST_F(BoardFaultTest, ResetRebootsAndSearchesAgain) {
    config.outputRateHz = 20;
    config.startWithFix = false;
    config.timeScale = 0.1;
    startBoard();
    ASSERT_TRUE(client.waitFor("$GPGGA", 1000));
    expectAck("$PQVXS,RST");
    const auto acknowledged = Clock::now();
    client.clear();
    const auto got = client.collect(1000);
    ASSERT_FALSE(got.empty());
    EXPECT_GE(got.front().time - acknowledged, std::chrono::milliseconds(100));
    bool searching = false, fixed = false;
    for (const auto& r : got) {
        if (!r.text.starts_with("$GPGGA")) continue;
        const std::string quality = fieldsOf(r.text)[6];
        searching = searching || quality == "0";
        fixed = fixed || (searching && quality != "0");
    }
    EXPECT_TRUE(searching);
    EXPECT_TRUE(fixed);
}
