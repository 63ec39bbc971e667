// The board receiver's link: baud search, opening and closing, epochs, a vanishing device.
#include <algorithm>
#include <future>
#include <thread>

#include "InternalReceiverFixture.h"

using namespace quorrel;
using namespace quorrel::test;

namespace {

const std::vector<std::string> kOpening = {
    "$PQVXQ,PRT",                // the baud search's query
    "$PQVXQ,PRT",                // the port the program is on: B
    "$PQVXQ,NPT",                // saved for the close
    "$PQVXS,NPT,1,0",            //
    "$PQVXS,NME,GGA,B,ON,1.00",  // standard output on that port
    "$PQVXS,NME,GSA,B,ON,1.00",  //
    "$PQVXS,NME,GSV,B,ON,1.00",  //
    "$PQVXS,NME,GST,B,ON,1.00",  //
    "$PQVXS,NME,ZDA,B,ON,1.00",  //
    "$PQVXS,NME,VEC,B,ON,1.00",  //
    "$PQVXS,NME,VTG,B,ON,1.00",
};

}  // namespace

TEST_F(InternalReceiverTest, OpensAtTheFirstRateAndStartsStandardOutputOnItsOwnPort) {
    ASSERT_TRUE(open());
    EXPECT_EQ(pty.slaveBaudRate(), 57600u);
    EXPECT_TRUE(receiver.IsConnected());
    EXPECT_EQ(sent(), kOpening);
}

TEST_F(InternalReceiverTest, FindsAReceiverAt9600OnTheThirdTry) {
    timeouts.replyMs = 200;
    timeouts.aliveMs = 200;
    receiver.setTimeouts(timeouts);
    peer.answerOnlyAt(9600);
    ASSERT_TRUE(open());
    EXPECT_EQ(pty.slaveBaudRate(), 9600u);
    const std::vector<std::string> lines = sent();
    ASSERT_EQ(lines.size(), kOpening.size() + 2);  // one unanswered query per rate tried
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 2, lines.end()), kOpening);
}

TEST_F(InternalReceiverTest, OpenFailsAfterAllSixRatesWhenNoReceiverAnswers) {
    peer.answerOnlyAt(300);
    timeouts.replyMs = 100;
    timeouts.aliveMs = 100;
    receiver.setTimeouts(timeouts);
    std::vector<std::vector<int>> tries;
    receiver.setOpenObserver([&](const OpenAttempt& a) {
        tries.push_back({a.baudRate, a.attempt, a.attempts});
    });
    EXPECT_FALSE(open());
    EXPECT_FALSE(receiver.IsConnected());
    EXPECT_EQ(sent(), std::vector<std::string>(6, "$PQVXQ,PRT"));
    EXPECT_EQ(pty.slaveBaudRate(), 38400u);  // the last rate tried
    EXPECT_EQ(linkLost, 0);
    EXPECT_EQ(tries, (std::vector<std::vector<int>>{{57600, 1, 6},
                                                    {115200, 2, 6},
                                                    {9600, 3, 6},
                                                    {4800, 4, 6},
                                                    {19200, 5, 6},
                                                    {38400, 6, 6}}));
    EXPECT_EQ(receiver.openFailure(), OpenFailure::NoAnswer);
}

TEST_F(InternalReceiverTest, OpenOnAnOpenLinkReturnsAtOnceWithTheSameReader) {
    openQuietly();
    const auto start = Clock::now();
    EXPECT_TRUE(open());
    EXPECT_LT(elapsedMs(start), 100);
    EXPECT_TRUE(sent().empty()) << "no second baud search";
    EXPECT_EQ(receiver.openFailure(), OpenFailure::None);
    const auto closing = Clock::now();
    EXPECT_TRUE(receiver.Close());
    EXPECT_LT(elapsedMs(closing), 1000);
    EXPECT_FALSE(receiver.IsConnected());
}

TEST_F(InternalReceiverTest, ATransactionStartedWhileAnotherWaitsFailsAtOnce) {
    openQuietly();
    // The site name query stays unanswered for its whole wait.
    auto first = std::async(std::launch::async, [this] {
        std::u16string name;
        return receiver.QuerySiteName(name);
    });
    ASSERT_TRUE(peer.waitForLines(1, 1000));
    testing::internal::CaptureStderr();
    const auto start = Clock::now();
    EXPECT_FALSE(receiver.SetSbas(true));  // the board would acknowledge it
    EXPECT_LT(elapsedMs(start), 100);
    const std::string complaint = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(first.get());
    EXPECT_EQ(sent(), std::vector<std::string>{"$PQVXQ,STI"});
    EXPECT_EQ(std::count(complaint.begin(), complaint.end(), '\n'), 1) << complaint;
    EXPECT_NE(complaint.find("$PQVXS,SBA"), std::string::npos) << complaint;
    EXPECT_NE(complaint.find("$PQVXQ,STI"), std::string::npos) << complaint;
    EXPECT_TRUE(receiver.SetSbas(true)) << "the next one runs as usual";
}

TEST_F(InternalReceiverTest, OutputRateSetsTheStandardOutputPeriod) {
    EXPECT_EQ(receiver.GetOutputRate(), 1);
    EXPECT_FALSE(receiver.SetOutputRate(0));
    EXPECT_TRUE(receiver.SetOutputRate(5));
    EXPECT_EQ(receiver.GetOutputRate(), 5);
    ASSERT_TRUE(open());
    EXPECT_EQ(sent().back(), "$PQVXS,NME,VTG,B,ON,0.20");
}

TEST_F(InternalReceiverTest, CloseSwitchesOutputOffAndRestoresTheSavedNpt) {
    ASSERT_TRUE(receiver.SetStopOutputOnClose(true));
    openQuietly();
    EXPECT_TRUE(receiver.Close());
    EXPECT_EQ(sent(),
              (std::vector<std::string>{"$PQVXQ,PRT", "$PQVXS,NME,ALL,B,OFF", "$PQVXS,NPT,0,1"}));
    EXPECT_FALSE(receiver.IsConnected());
    EXPECT_FALSE(receiver.Close());  // the port is closed already
    EXPECT_EQ(linkLost, 0);
}

TEST_F(InternalReceiverTest, CloseLeavesOutputOnUnlessTheApplicationOwnsIt) {
    openQuietly();
    EXPECT_TRUE(receiver.Close());
    EXPECT_EQ(sent(), (std::vector<std::string>{"$PQVXS,NPT,0,1"}));
}

TEST_F(InternalReceiverTest, CloseAfterAFailedOpenClosesThePortWithoutWaiting) {
    peer.answerOnlyAt(300);
    timeouts.replyMs = 50;
    timeouts.aliveMs = 50;
    receiver.setTimeouts(timeouts);
    ASSERT_FALSE(open());
    timeouts.replyMs = 5000;
    receiver.setTimeouts(timeouts);
    receiver.SetStopOutputOnClose(true);
    const auto start = Clock::now();
    EXPECT_TRUE(receiver.Close());
    EXPECT_LT(elapsedMs(start), 1000);
    // The port is free again for another program.
    SerialPort other;
    other.open(pty.slavePath());
    EXPECT_TRUE(other.isOpen());
    other.close();
}

TEST_F(InternalReceiverTest, EpochBecomesAvailableWithEachVec) {
    openQuietly();
    EXPECT_FALSE(receiver.IsEpochAvailable());  // nothing sent: the wait times out
    peer.write(withChecksum("GPGGA,1,4404.0,N,12118.0,W,1,05,1.0,10.0,M,0.0,M,,") +
               withChecksum("PQVXR,VEC,2,0,0,3.0,4.0,0.0,0,0,0,0,0,0,1"));
    EXPECT_TRUE(receiver.IsEpochAvailable());
    PositionRecord position;
    ASSERT_TRUE(receiver.GetPosition(position));
    EXPECT_EQ(position.solutionType, 4);
    float length = 0;
    ASSERT_TRUE(receiver.GetVectorLength(length));
    EXPECT_FLOAT_EQ(length, 5.0f);
}

TEST_F(InternalReceiverTest, SatelliteTableComesWholeAfterItsGroup) {
    openQuietly();
    peer.write(withChecksum("GPGSV,2,1,05,01,10,010,30,02,20,020,31,03,30,030,32,04,40,040,33") +
               withChecksum("GPGSV,2,2,05,05,50,050,34") +
               withChecksum("PQVXR,VEC,1,0,0,0,0,0,0,0,0,0,0,0,1"));
    ASSERT_TRUE(receiver.IsEpochAvailable());
    SatelliteTable table{};
    EXPECT_EQ(receiver.GetSatellites(table), 5);
    EXPECT_EQ(table[4], (SatelliteEntry{5, 50, 50, 34, 0}));
}

TEST_F(InternalReceiverTest, EveryCommandFailsAtOnceAfterTheDeviceVanishes) {
    openQuietly();
    timeouts.replyMs = 5000;
    timeouts.epochMs = 5000;
    receiver.setTimeouts(timeouts);
    peer.stop();
    pty.closeMaster();
    // The listener hears of the loss just after the link is marked down.
    for (int i = 0; i < 100 && (receiver.IsConnected() || linkLost == 0); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_FALSE(receiver.IsConnected());
    EXPECT_EQ(linkLost, 1);

    const auto start = Clock::now();
    bool sbas = false;
    int port = 0, baud = 0;
    std::u16string name;
    EXPECT_FALSE(receiver.IsEpochAvailable());
    EXPECT_FALSE(receiver.SetSbas(true));
    EXPECT_FALSE(receiver.QuerySbas(sbas));
    EXPECT_FALSE(receiver.QueryOwnPort(port, baud));
    EXPECT_FALSE(receiver.QueryAntennaName(name));
    EXPECT_FALSE(receiver.SetCorrectionMessages(3));
    std::string serial;
    EXPECT_EQ(receiver.QuerySerialNumber(serial), SerialNumberAnswer::NotAsked);
    EXPECT_LT(elapsedMs(start), 500);
    EXPECT_TRUE(receiver.Close());
    EXPECT_EQ(linkLost, 1);
}

TEST_F(InternalReceiverTest, RemovedListenerHearsNothingOfALostLink) {
    std::atomic<int> removedCalls{0};
    const int id = receiver.addLinkLostListener([&] { ++removedCalls; });
    EXPECT_NE(id, 0);
    openQuietly();
    receiver.removeLinkLostListener(id);
    peer.stop();
    pty.closeMaster();
    for (int i = 0; i < 100 && linkLost == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(linkLost, 1);
    EXPECT_EQ(removedCalls, 0);
}

TEST_F(InternalReceiverTest, OpensAgainAfterTheLinkWasLost) {
    openQuietly();
    peer.stop();
    pty.closeMaster();
    for (int i = 0; i < 100 && receiver.IsConnected(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    receiver.Close();

    PseudoTerminal second;
    ScriptedPeer board(second);
    board.setResponder(script);
    EXPECT_TRUE(receiver.Open(widen(second.slavePath())));
    EXPECT_TRUE(receiver.IsConnected());
    EXPECT_TRUE(receiver.Close());
}

TEST(InternalReceiverLifetime, DestroyingAnOpenReceiverStopsItsReader) {
    PseudoTerminal pty;
    ScriptedPeer peer(pty);
    peer.setResponder(BoardScript{{{"$PQVXQ,PRT", withChecksum("PQVXR,PRT,A,8")},
                                   {"$PQVXQ,NPT", withChecksum("PQVXR,NPT,1,0")}},
                                  {}});
    LinkTimeouts timeouts;
    timeouts.readSilenceMs = 100;
    timeouts.replyMs = 1000;
    {
        CInternalReceiver receiver;
        receiver.setTimeouts(timeouts);
        ASSERT_TRUE(receiver.Open(widen(pty.slavePath())));
    }
    // The port is free again: the reader ended and the port was closed.
    SerialPort other;
    other.open(pty.slavePath());
    EXPECT_TRUE(other.isOpen());
    other.close();
}
