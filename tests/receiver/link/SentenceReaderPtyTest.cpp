#include <gtest/gtest.h>

#include <unistd.h>
#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "platform/PseudoTerminal.h"
#include "platform/SerialPort.h"
#include "receiver/link/SentenceReader.h"

using namespace quorrel;
using Clock = std::chrono::steady_clock;

namespace {

class SentenceReaderPtyTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(pty.isOpen());
        port.open(pty.slavePath());
        ASSERT_TRUE(port.isOpen());
    }
    void TearDown() override {
        if (writer.joinable()) writer.join();
        port.close();
    }

    // Writes `pieces` to the master side, pausing `gapMs` between them.
    void feed(std::vector<std::string> pieces, int gapMs) {
        writer = std::thread([this, pieces = std::move(pieces), gapMs] {
            for (const std::string& piece : pieces) {
                ASSERT_EQ(::write(pty.masterFd(), piece.data(), piece.size()),
                          ssize_t(piece.size()));
                std::this_thread::sleep_for(std::chrono::milliseconds(gapMs));
            }
        });
    }

    PseudoTerminal pty;
    SerialPort port;
    std::atomic<bool> stop{false};
    std::thread writer;
    std::vector<char> buffer = std::vector<char>(SentenceReader::kBufferSize);
};

std::string sourceTable(int stations) {
    std::string table = "$PQVXR,NTR,TBL\r\nSOURCETABLE 200 OK\r\n";
    for (int i = 0; i < stations; ++i)
        table += "STR;M" + std::to_string(i) +
                 ";Town;RTCM 3.2;1004(1);2;GPS;NET;DEU;50.1;8.7;0;0;gen;none;B;N;9600\r\n";
    return table;
}

}  // namespace

TEST_F(SentenceReaderPtyTest, WholeSourceTableArrivesInChunks) {
    const std::string table = sourceTable(400) + "ENDSOURCETABLE\r\n";
    std::vector<std::string> chunks;
    for (std::size_t i = 0; i < table.size(); i += 997)
        chunks.push_back(table.substr(i, 997));
    feed(chunks, 1);

    SentenceReader reader(port, stop);
    SentenceType type = SentenceType::UNKNOWN;
    ASSERT_TRUE(reader.readSentence(type, buffer.data(), buffer.size()));
    EXPECT_EQ(type, SentenceType::NTR);
    EXPECT_EQ(std::string(buffer.data()), table);
}

TEST_F(SentenceReaderPtyTest, SilenceBeforeEndOfTableDeliversWhatCame) {
    const std::string partial = sourceTable(20);
    feed({partial.substr(0, 500), partial.substr(500)}, 5);

    SentenceReader reader(port, stop);
    reader.setSilenceMs(100);
    SentenceType type = SentenceType::UNKNOWN;
    ASSERT_TRUE(reader.readSentence(type, buffer.data(), buffer.size()));
    EXPECT_EQ(type, SentenceType::NTR);
    EXPECT_EQ(std::string(buffer.data()), partial);
}

TEST_F(SentenceReaderPtyTest, StopRequestEndsAWaitingReadWithinTheSilenceTime) {
    SentenceReader reader(port, stop);
    reader.setSilenceMs(200);
    std::thread stopper([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        stop = true;
    });
    const auto start = Clock::now();
    SentenceType type;
    EXPECT_FALSE(reader.readSentence(type, buffer.data(), buffer.size()));
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(1000));
    stopper.join();
}

TEST_F(SentenceReaderPtyTest, VanishingDeviceEndsTheReader) {
    feed({"$GPZDA,1\r\n"}, 0);
    writer.join();
    SentenceReader reader(port, stop);
    SentenceType type;
    ASSERT_TRUE(reader.readSentence(type, buffer.data(), buffer.size()));
    pty.closeMaster();
    EXPECT_FALSE(reader.readSentence(type, buffer.data(), buffer.size()));
}
