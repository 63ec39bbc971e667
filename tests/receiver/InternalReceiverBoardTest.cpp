// The board receiver against the simulated board, end to end through a pty.
#include <cmath>
#include <thread>
#include <vector>

#include "BoardReceiverFixture.h"
#include "platform/SerialPort.h"
#include "receiver/link/SentenceReader.h"

using namespace quorrel;
using namespace quorrel::test;

namespace {

// Sends `command` on a port of its own and returns the first line beginning with `reply`.
std::string exchange(const std::string& device, std::uint32_t rate, const std::string& command,
                     const std::string& reply) {
    SerialPort port;
    port.open(device);
    port.setBaudRate(rate);
    std::size_t written = 0;
    port.write(command.data(), command.size(), written);
    std::atomic<bool> stop{false};
    SentenceReader reader(port, stop);
    std::vector<char> buffer(SentenceReader::kSentenceLimit);
    SentenceType type;
    std::string found;
    const auto start = Clock::now();
    while (found.empty() && elapsedMs(start) < 3000 &&
           reader.readSentence(type, buffer.data(), buffer.size()))
        if (std::string(buffer.data()).rfind(reply, 0) == 0) found = buffer.data();
    port.close();
    return found;
}

}  // namespace

TEST_F(BoardReceiverTest, OpensAt57600OnTheFirstTry) {
    startBoard();
    ASSERT_TRUE(open());
    EXPECT_EQ(board->listeningBaud(), 57600u);
    EXPECT_EQ(board->receivedCount("$PQVXQ,PRT"), 2u);  // the search's query, then open's
    EXPECT_EQ(board->receivedCount("$PQVXS,NPT,1,0"), 1u);
    EXPECT_EQ(board->receivedCount("$PQVXS,NME,"), 7u);
    EXPECT_TRUE(receiver.IsEpochAvailable());
}

TEST_F(BoardReceiverTest, OpensAt9600OnTheThirdTry) {
    config.baudRate = 9600;
    timeouts.replyMs = 400;
    timeouts.aliveMs = 400;
    startBoard();
    const auto start = Clock::now();
    ASSERT_TRUE(open());
    // Two rates went unanswered first, each costing a query and an alive wait.
    EXPECT_GE(elapsedMs(start), 2 * (timeouts.replyMs + timeouts.aliveMs));
    EXPECT_TRUE(receiver.IsConnected());
    EXPECT_TRUE(receiver.IsEpochAvailable());
}

TEST_F(BoardReceiverTest, EpochsCarryTheBoardsPositionAndSky) {
    startAndOpen();
    ASSERT_TRUE(receiver.IsEpochAvailable());
    ASSERT_TRUE(receiver.IsEpochAvailable());
    PositionRecord position;
    ASSERT_TRUE(receiver.GetPosition(position));
    EXPECT_NEAR(position.latitude, config.latitudeDeg, 0.001);
    EXPECT_NEAR(position.longitude, config.longitudeDeg, 0.001);
    EXPECT_NEAR(position.ellipsoidHeight, config.heightM, 5.0);
    EXPECT_GT(position.solutionType, 0);
    EXPECT_GT(position.utcYear, 2000);
    SatelliteTable satellites{};
    EXPECT_GE(receiver.GetSatellites(satellites), 4);
    EXPECT_NE(satellites[0].prn, 0);
}

TEST_F(BoardReceiverTest, QueriesReportTheBoardsState) {
    startAndOpen();
    std::u16string text, gnss, system, version;
    bool flag = false;
    int number = -1, other = -1;
    double value = -1;
    ASSERT_TRUE(receiver.QuerySiteName(text));
    EXPECT_EQ(text, u"QRL1");
    ASSERT_TRUE(receiver.QuerySbas(flag));
    EXPECT_TRUE(flag);
    ASSERT_TRUE(receiver.QueryGlonass(flag));
    EXPECT_TRUE(flag);
    ASSERT_TRUE(receiver.QueryTrackingMode(number));
    EXPECT_EQ(number, 1);
    ASSERT_TRUE(receiver.QueryElevationMask(number));
    EXPECT_EQ(number, 10);
    ASSERT_TRUE(receiver.QueryAntennaReduction(number));
    EXPECT_EQ(number, 1);
    ASSERT_TRUE(receiver.QueryAntennaName(text));
    EXPECT_EQ(text, u"RZA221771");
    ASSERT_TRUE(receiver.QueryAntennaHeight(value, number));
    EXPECT_EQ(value, 0.0);
    ASSERT_TRUE(receiver.QueryOwnPort(number, other));
    EXPECT_EQ(number, 0);
    ASSERT_TRUE(receiver.QueryBluetoothName(text));
    EXPECT_EQ(text, u"NONE");
    ASSERT_TRUE(receiver.QueryMemory(number));
    EXPECT_EQ(number, 0);
    ASSERT_TRUE(receiver.QueryRecordingInterval(value));
    EXPECT_DOUBLE_EQ(value, 1.0);
    EXPECT_FALSE(receiver.QueryCurrentFile(text));  // "NONE": not recording
    ASSERT_TRUE(receiver.QueryVersion(gnss, system, version));
    EXPECT_EQ(gnss, u"3.8.5");
    EXPECT_EQ(system, u"4.12.0");
    EXPECT_EQ(version, u"QB-2.31");
    std::string serial;
    EXPECT_EQ(receiver.QuerySerialNumber(serial), SerialNumberAnswer::Known);
    EXPECT_EQ(serial, "QB1204357");
    NmeaOutputRecord output;
    ASSERT_TRUE(receiver.QueryNmeaOutput(0, output));
    std::vector<int> running;  // the standard output, but VEC, which NMO does not name
    for (int i = 0; i < output.count; ++i)
        if (output.entries[i].periodSeconds > 0) running.push_back(output.entries[i].code);
    EXPECT_EQ(running, (std::vector<int>{kMsgGga, kMsgGsa, kMsgGst, kMsgGsv, kMsgVtg, kMsgZda}));
}

TEST_F(BoardReceiverTest, SetCommandsChangeTheBoardsState) {
    startAndOpen();
    std::u16string text;
    bool flag = true;
    int number = 0, type = 0;
    double height = 0;
    ASSERT_TRUE(receiver.SetSiteName(u"BS7"));
    ASSERT_TRUE(receiver.QuerySiteName(text));
    EXPECT_EQ(text, u"BS7");
    ASSERT_TRUE(receiver.SetSbas(false));
    ASSERT_TRUE(receiver.QuerySbas(flag));
    EXPECT_FALSE(flag);
    ASSERT_TRUE(receiver.SetTrackingMode(3));
    ASSERT_TRUE(receiver.QueryTrackingMode(number));
    EXPECT_EQ(number, 3);
    ASSERT_TRUE(receiver.SetElevationMask(15));
    ASSERT_TRUE(receiver.QueryElevationMask(number));
    EXPECT_EQ(number, 15);
    ASSERT_TRUE(receiver.SetAntennaHeight(1.875, 1));
    ASSERT_TRUE(receiver.QueryAntennaHeight(height, type));
    EXPECT_DOUBLE_EQ(height, 1.875);
    EXPECT_EQ(type, 1);
    ASSERT_TRUE(receiver.SetAntennaReduction(2));
    ASSERT_TRUE(receiver.QueryAntennaReduction(number));
    EXPECT_EQ(number, 2);
    ASSERT_TRUE(receiver.SetBluetoothName(u"QX01"));
    ASSERT_TRUE(receiver.QueryBluetoothName(text));
    EXPECT_EQ(text, u"QX01");
    ASSERT_TRUE(receiver.SetPortBaud(3, 6, 0));
    ASSERT_TRUE(receiver.QueryPortBaud(3, number));
    EXPECT_EQ(number, 6);
    ASSERT_TRUE(receiver.SetMemory(1));
    ASSERT_TRUE(receiver.QueryMemory(number));
    EXPECT_EQ(number, 1);
    EXPECT_EQ(board->receivedCount("$PQVXS,"), 10u);  // the bluetooth name takes two
}

TEST_F(BoardReceiverTest, PositionWithFewMinutesReachesTheBoardIntact) {
    startAndOpen();
    const double latitude = -(33 + 5.5 / 60), longitude = 151 + 0.25 / 60;
    ASSERT_TRUE(receiver.SetPosition(latitude, longitude, 12.5));
    EXPECT_TRUE(board->hasReceived("$PQVXS,POS,3305.5000000,S,15100.2500000,E"));
    double lat = 0, lon = 0, height = 0;
    ASSERT_TRUE(receiver.QueryBasePosition(lat, lon, height));
    EXPECT_NEAR(lat, latitude, 1e-6);
    EXPECT_NEAR(lon, longitude, 1e-6);
    EXPECT_NEAR(height, 12.5, 1e-3);
}

TEST_F(BoardReceiverTest, TextGoesOutAsLatin1BytesAndTextWithoutOneIsRefused) {
    startAndOpen();
    ASSERT_TRUE(receiver.SetSiteName(u"Café"));
    EXPECT_EQ(board->lastReceived(), "$PQVXS,STI,Caf\xE9");
    std::u16string name;
    ASSERT_TRUE(receiver.QuerySiteName(name));
    EXPECT_EQ(name, u"Café");
    receiver.SetAntennaName(u"Müller");  // an antenna the board does not know
    EXPECT_EQ(board->lastReceived(), "$PQVXS,ANP,OWN,M\xFCller");

    board->clearLog();
    EXPECT_FALSE(receiver.SetSiteName(u"5€"));
    EXPECT_FALSE(receiver.SetAntennaName(u"ANT€"));
    EXPECT_EQ(board->receivedCount("$"), 0u);
}

TEST_F(BoardReceiverTest, RefusalFailsASetCommandAtOnce) {
    timeouts.replyMs = 5000;
    startAndOpen();
    board->nak("PQVXS,GLO");
    const auto start = Clock::now();
    EXPECT_FALSE(receiver.SetGlonass(false));
    EXPECT_LT(elapsedMs(start), 1000);
    bool on = false;
    ASSERT_TRUE(receiver.QueryGlonass(on));
    EXPECT_TRUE(on);  // unchanged
}

TEST_F(BoardReceiverTest, DamagedReplyFailsItsQueryAsSoonAsItArrives) {
    timeouts.replyMs = 5000;
    startAndOpen();
    board->corruptChecksum("PEM", 1);
    int mask = -1;
    const auto start = Clock::now();
    EXPECT_FALSE(receiver.QueryElevationMask(mask));
    EXPECT_LT(elapsedMs(start), 1000);
    EXPECT_EQ(mask, -1);
    EXPECT_TRUE(receiver.QueryElevationMask(mask));  // the next one is whole again
    EXPECT_EQ(mask, 10);
}

TEST_F(BoardReceiverTest, UnpluggedBoardFailsEveryLaterCommandWithoutDelay) {
    timeouts.replyMs = 5000;
    timeouts.epochMs = 5000;
    startAndOpen();
    board->unplug();
    // The listener hears of the loss just after the link is marked down.
    for (int i = 0; i < 200 && (receiver.IsConnected() || linkLost == 0); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_FALSE(receiver.IsConnected());
    EXPECT_EQ(linkLost, 1);
    const auto start = Clock::now();
    int number = 0, other = 0;
    std::u16string text;
    EXPECT_FALSE(receiver.IsEpochAvailable());
    EXPECT_FALSE(receiver.SetElevationMask(5));
    EXPECT_FALSE(receiver.QueryOwnPort(number, other));
    EXPECT_FALSE(receiver.QuerySiteName(text));
    EXPECT_FALSE(receiver.SetCorrectionMessages(4));
    EXPECT_LT(elapsedMs(start), 500);
}

TEST_F(BoardReceiverTest, CloseAfterPowerOffSendsNothingMore) {
    startBoard();
    ASSERT_TRUE(receiver.SetStopOutputOnClose(true));
    ASSERT_TRUE(open());
    ASSERT_TRUE(receiver.PowerOff());
    board->clearLog();
    const auto start = Clock::now();
    EXPECT_TRUE(receiver.Close());
    EXPECT_LT(elapsedMs(start), 500);
    EXPECT_EQ(board->receivedCount("$"), 0u);
}

TEST_F(BoardReceiverTest, CloseSwitchesOutputOffAndRestoresNpt) {
    startBoard();
    ASSERT_FALSE(exchange(board->devicePath(), 57600, "$PQVXS,NPT,0,1\r\n", "$PQVXR,ACK").empty());
    ASSERT_TRUE(receiver.SetStopOutputOnClose(true));
    ASSERT_TRUE(open());
    EXPECT_TRUE(receiver.Close());
    EXPECT_EQ(board->receivedCount("$PQVXS,NME,ALL,A,OFF"), 1u);
    EXPECT_EQ(board->lastReceived(), "$PQVXS,NPT,0,1");
    const std::string npt = exchange(board->devicePath(), 57600, "$PQVXQ,NPT\r\n", "$PQVXR,NPT");
    EXPECT_EQ(npt.substr(0, 15), "$PQVXR,NPT,0,1*");
    EXPECT_EQ(linkLost, 0);
}
