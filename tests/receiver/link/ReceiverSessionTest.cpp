#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <memory>

#include "ScriptedPeer.h"
#include "platform/PseudoTerminal.h"
#include "platform/SerialPort.h"
#include "platform/WorkerThread.h"
#include "receiver/link/Checksum.h"
#include "receiver/link/ReceiverSession.h"

using namespace quorrel;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kLongWaitMs = 5000;

long elapsedMs(Clock::time_point since) {
    return long(
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - since).count());
}

class ReceiverSessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(pty.isOpen());
        port.open(pty.slavePath());
        ASSERT_TRUE(port.isOpen());
        LinkTimeouts timeouts;
        timeouts.readSilenceMs = 100;
        session.setTimeouts(timeouts);
        session.addLinkLostListener([this] { ++linkLost; });
    }
    void TearDown() override {
        stopReader();
        peer.stop();
        port.close();
    }

    void startReader() {
        session.prepareStart();
        reader = std::make_unique<WorkerThread>(session);
        ASSERT_TRUE(session.waitStarted(kLongWaitMs));
    }
    void stopReader() {
        if (!reader) return;
        reader->requestStop();
        reader->waitForEnd(WorkerThread::kInfinite);
        reader.reset();
    }

    PseudoTerminal pty;
    SerialPort port;
    ReceiverSession session{port};
    test::ScriptedPeer peer{pty};
    std::unique_ptr<WorkerThread> reader;
    std::atomic<int> linkLost{0};
};

}  // namespace

TEST_F(ReceiverSessionTest, AcknowledgementEndsTheWaitWithTheAckFlag) {
    peer.setResponder([](const std::string& line) {
        return line == "$PQVXS,SBA,ON" ? "$PQVXR,ACK,SBA\r\n" : "$PQVXR,NAK,SBA\r\n";
    });
    startReader();
    {
        const auto transaction = session.beginTransaction("$PQVXS,SBA,ON\r\n");
        EXPECT_TRUE(session.sendCommand("$PQVXS,SBA,ON\r\n"));
        ASSERT_TRUE(session.waitReply(kLongWaitMs));
        EXPECT_TRUE(session.status().ack);
    }
    const auto transaction = session.beginTransaction("$PQVXS,SBA,XX\r\n");
    session.sendCommand("$PQVXS,SBA,XX\r\n");
    ASSERT_TRUE(session.waitReply(kLongWaitMs));
    EXPECT_FALSE(session.status().ack);
    EXPECT_EQ(peer.received(), (std::vector<std::string>{"$PQVXS,SBA,ON", "$PQVXS,SBA,XX"}));
}

TEST_F(ReceiverSessionTest, BeginTransactionForgetsAReplyThatCameBefore) {
    startReader();
    peer.write("$PQVXR,ACK,X\r\n");
    ASSERT_TRUE(session.waitAlive(kLongWaitMs));
    ASSERT_TRUE(session.waitReply(kLongWaitMs));  // consumed; signal it again
    peer.write("$PQVXR,ACK,X\r\n");
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    const auto transaction = session.beginTransaction("$PQVXQ,PRT\r\n");
    EXPECT_FALSE(session.status().ack);
    EXPECT_FALSE(session.waitReply(50));
}

TEST_F(ReceiverSessionTest, VecSignalsTheEpochAndPublishesThePosition) {
    startReader();
    peer.write(withChecksum("GPGGA,1,4404.0,N,12118.0,W,1,05,1.0,10.0,M,0.0,M,,") +
               withChecksum("PQVXR,VEC,3,0,0,1.5,2.5,3.5,0,0,0,0,0,0,1"));
    ASSERT_TRUE(session.waitEpoch(kLongWaitMs));
    const PositionRecord position = session.status().position();
    EXPECT_EQ(position.solutionType, 5);
    EXPECT_DOUBLE_EQ(position.vectorZ, 3.5);
    EXPECT_NEAR(position.latitude, 44 + 4.0 / 60, 1e-12);
}

TEST_F(ReceiverSessionTest, WaitsFailAtOnceWhileNoReaderRuns) {
    const auto start = Clock::now();
    EXPECT_FALSE(session.waitReply(kLongWaitMs));
    EXPECT_FALSE(session.waitAlive(kLongWaitMs));
    EXPECT_FALSE(session.waitEpoch(kLongWaitMs));
    EXPECT_FALSE(session.isRunning());
    startReader();
    stopReader();
    EXPECT_FALSE(session.waitReply(kLongWaitMs));
    EXPECT_LT(elapsedMs(start), 1000);
    EXPECT_EQ(linkLost, 0);  // a requested stop is not a lost link
}

TEST_F(ReceiverSessionTest, VanishingDeviceWakesAWaiterAndReportsTheLostLink) {
    startReader();
    auto waiter = std::async(std::launch::async, [this] {
        const auto start = Clock::now();
        const bool replied = session.waitReply(kLongWaitMs);
        return std::make_pair(replied, elapsedMs(start));
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    peer.stop();
    pty.closeMaster();
    const auto [replied, waitedMs] = waiter.get();
    EXPECT_FALSE(replied);
    EXPECT_LT(waitedMs, 2000);
    reader->waitForEnd(WorkerThread::kInfinite);
    EXPECT_EQ(linkLost, 1);
    EXPECT_FALSE(session.isRunning());
    EXPECT_FALSE(session.waitEpoch(kLongWaitMs));
    EXPECT_FALSE(session.sendCommand("$PQVXQ,PRT\r\n"));
}

TEST_F(ReceiverSessionTest, ReaderStartsAgainAfterAStopRequestedTooLate) {
    startReader();
    peer.stop();
    pty.closeMaster();
    reader->waitForEnd(WorkerThread::kInfinite);
    reader->requestStop();  // the application closes after the link was lost
    reader.reset();

    PseudoTerminal second;
    port.close();
    port.open(second.slavePath());
    startReader();
    EXPECT_TRUE(session.isRunning());
    ASSERT_EQ(::write(second.masterFd(), "$PQVXR,ACK,X\r\n", 14), 14);
    EXPECT_TRUE(session.waitReply(kLongWaitMs));
}
