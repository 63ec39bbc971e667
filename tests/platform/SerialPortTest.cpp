#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

#include "platform/PseudoTerminal.h"
#include "platform/SerialPort.h"

using namespace quorrel;
using Clock = std::chrono::steady_clock;

namespace {

class SerialPortTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(pty.isOpen());
        port.open(pty.slavePath());
        ASSERT_TRUE(port.isOpen());
    }
    void TearDown() override { port.close(); }

    PseudoTerminal pty;
    SerialPort port;
};

}  // namespace

TEST_F(SerialPortTest, OpeningAnOpenPortChangesNothing) {
    const int fd = port.fileDescriptor();
    port.open("/dev/null");
    EXPECT_EQ(port.fileDescriptor(), fd);
    EXPECT_EQ(port.name(), pty.slavePath());
}

TEST_F(SerialPortTest, OpenFailsQuietlyOnMissingDevice) {
    SerialPort other;
    other.open("/dev/quorrel-no-such-device");
    EXPECT_FALSE(other.isOpen());
    EXPECT_EQ(other.lastError(), ENOENT);
    EXPECT_FALSE(other.close());
    other.open("/dev/null");  // opens, but is no terminal
    EXPECT_FALSE(other.isOpen());
    EXPECT_EQ(other.lastError(), ENOTTY);
}

// 50 ms is waited for in poll(); 200 ms becomes the driver's own timer.
TEST_F(SerialPortTest, ReadTimesOutWithZeroBytes) {
    for (int timeoutMs : {50, 200}) {
        std::uint8_t buffer[16];
        std::size_t got = 99;
        const auto start = Clock::now();
        EXPECT_TRUE(port.read(buffer, sizeof buffer, got, timeoutMs));
        EXPECT_EQ(got, 0u);
        EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(timeoutMs - 5));
    }
}

TEST_F(SerialPortTest, ReadsWhatTheOtherSideWrote) {
    ASSERT_EQ(::write(pty.masterFd(), "$GPGGA\r\n", 8), 8);
    std::uint8_t buffer[16];
    std::size_t got = 0;
    ASSERT_TRUE(port.read(buffer, sizeof buffer, got, 1000));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), got), "$GPGGA\r\n");
}

TEST_F(SerialPortTest, WritesReachTheOtherSideUnchanged) {
    const char text[] = "$PQVXQ,PRT\r\n";
    std::size_t written = 0;
    ASSERT_TRUE(port.write(text, std::strlen(text), written));
    EXPECT_EQ(written, std::strlen(text));
    char buffer[32] = {};
    ASSERT_EQ(::read(pty.masterFd(), buffer, sizeof buffer), ssize_t(std::strlen(text)));
    EXPECT_STREQ(buffer, text);
}

// Both read paths (poll() and the driver timer) and the write path show their bytes.
TEST_F(SerialPortTest, TrafficObserverSeesEveryByteWithItsDirection) {
    std::string seen;
    port.setTrafficObserver(
        [&seen](TrafficDirection direction, const std::uint8_t* bytes, std::size_t length) {
            seen += direction == TrafficDirection::In ? "<" : ">";
            seen.append(reinterpret_cast<const char*>(bytes), length);
        });
    std::size_t count = 0;
    ASSERT_TRUE(port.write("$Q\r\n", 4, count));
    std::uint8_t buffer[16];
    for (int timeoutMs : {50, 200}) {
        ASSERT_EQ(::write(pty.masterFd(), "$R", 2), 2);
        ASSERT_TRUE(port.read(buffer, sizeof buffer, count, timeoutMs));
    }
    EXPECT_TRUE(port.read(buffer, sizeof buffer, count, 50));  // nothing: nothing shown
    EXPECT_EQ(seen, ">$Q\r\n<$R<$R");
}

// Both read paths: poll() and the driver timer.
TEST_F(SerialPortTest, VanishedDeviceIsAReadFailureNotATimeout) {
    for (int timeoutMs : {50, 1500}) {
        PseudoTerminal other;
        SerialPort device;
        device.open(other.slavePath());
        ASSERT_TRUE(device.isOpen());
        other.closeMaster();
        std::uint8_t buffer[16];
        std::size_t got = 0;
        const auto start = Clock::now();
        EXPECT_FALSE(device.read(buffer, sizeof buffer, got, timeoutMs)) << timeoutMs;
        EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(500));
        device.close();
    }
}

TEST_F(SerialPortTest, DataArrivingDuringADriverTimedReadEndsItAtOnce) {
    std::thread writer([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        ASSERT_EQ(::write(pty.masterFd(), "$G", 2), 2);
    });
    std::uint8_t buffer[16];
    std::size_t got = 0;
    const auto start = Clock::now();
    ASSERT_TRUE(port.read(buffer, sizeof buffer, got, 2000));
    EXPECT_EQ(got, 2u);
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(1000));
    writer.join();
}

TEST_F(SerialPortTest, EveryTableRateRoundTripsThroughTheDevice) {
    for (unsigned rate :
         {300u, 600u, 1200u, 2400u, 4800u, 9600u, 19200u, 38400u, 57600u, 115200u}) {
        ASSERT_TRUE(port.setBaudRate(rate)) << rate;
        EXPECT_EQ(port.lineSettings().baudRate, rate);
        EXPECT_EQ(pty.slaveBaudRate(), rate);
    }
}

TEST_F(SerialPortTest, UnsupportedRateKeepsThePreviousOne) {
    ASSERT_TRUE(port.setBaudRate(9600));
    EXPECT_FALSE(port.setBaudRate(12345));
    EXPECT_EQ(port.lineSettings().baudRate, 9600u);
    EXPECT_EQ(pty.slaveBaudRate(), 9600u);
}

TEST_F(SerialPortTest, WriteTimeoutsApplyOnlyAfterAReadWithANewTimeout) {
    EXPECT_EQ(port.cachedTimeouts().writeTotalPerByteMs, 10u);
    EXPECT_EQ(port.cachedTimeouts().writeTotalConstantMs, 1000u);
    EXPECT_EQ(port.appliedTimeouts().writeTotalConstantMs, 0u);

    std::uint8_t buffer[4];
    std::size_t got = 0;
    ASSERT_TRUE(port.read(buffer, sizeof buffer, got, 0));  // same as the device's constant
    EXPECT_EQ(port.appliedTimeouts().writeTotalConstantMs, 0u);

    ASSERT_TRUE(port.read(buffer, sizeof buffer, got, 5));
    EXPECT_EQ(port.appliedTimeouts().writeTotalPerByteMs, 10u);
    EXPECT_EQ(port.appliedTimeouts().writeTotalConstantMs, 1000u);
    EXPECT_EQ(port.appliedTimeouts().readTotalConstantMs, 5u);
}

TEST_F(SerialPortTest, PurgeDiscardsPendingInput) {
    ASSERT_EQ(::write(pty.masterFd(), "stale", 5), 5);
    usleep(20000);
    port.purge();
    std::uint8_t buffer[16];
    std::size_t got = 0;
    ASSERT_TRUE(port.read(buffer, sizeof buffer, got, 50));
    EXPECT_EQ(got, 0u);
}

TEST_F(SerialPortTest, DestroyingThePortLeavesTheDeviceOpen) {
    int fd = -1;
    {
        SerialPort other;
        PseudoTerminal second;
        other.open(second.slavePath());
        fd = other.fileDescriptor();
        ASSERT_GE(fd, 0);
    }
    EXPECT_NE(::fcntl(fd, F_GETFD), -1);
    ::close(fd);
}
