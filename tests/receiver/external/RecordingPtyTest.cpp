#include <gtest/gtest.h>

#include <unistd.h>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "ModuleFixture.h"
#include "SkyRecords.h"
#include "platform/Clock.h"

using namespace quorrel;
namespace fs = std::filesystem;

namespace {

class RecordingTest : public ModuleFixture {
protected:
    void SetUp() override {
        startModule(9600);
        receiver.SetDeviceIdentifier(u"0143-77-A1B2");
        ASSERT_TRUE(open());
    }

    std::string rawFolder() const { return documents / "Documents/GPS Raw Data"; }

    bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 2000) {
        const std::uint32_t start = tickCountMs();
        while (!condition()) {
            if (int(tickCountMs() - start) > timeoutMs) return false;
            sleepMs(5);
        }
        return true;
    }

    // Records for `epochs` fixes and returns the file's contents.
    std::string record(int epochs) {
        EXPECT_TRUE(receiver.SetRecording(true));
        EXPECT_TRUE(waitUntil([this] { return receiver.IsRecording(); }));
        for (int i = 0; i < epochs; ++i)
            EXPECT_TRUE(receiver.IsEpochAvailable());
        EXPECT_TRUE(receiver.SetRecording(false));
        EXPECT_FALSE(receiver.IsRecording());
        std::u16string name;
        EXPECT_TRUE(receiver.GetCurrentFileName(name));
        return readWholeFile(utf16ToUtf8(name));
    }

    // How many whole frames of what the module sent, in order, `bytes` is made of (0 when it
    // is anything else).
    std::size_t sentFramesIn(const std::string& bytes) const {
        const std::vector<std::vector<std::uint8_t>> sent = module->sentFrames();
        for (std::size_t first = 0; first < sent.size(); ++first) {
            std::size_t at = 0, count = 0;
            for (std::size_t k = first; k < sent.size() && at < bytes.size(); ++k, ++count) {
                const std::string frame(sent[k].begin(), sent[k].end());
                if (bytes.compare(at, frame.size(), frame) != 0) break;
                at += frame.size();
            }
            if (at == bytes.size() && count > 0) return count;
        }
        return 0;
    }
};

std::string gpsdecodeJson(const std::string& path) {
    std::string json;
    const std::string command = "gpsdecode -j < '" + path + "' 2>/dev/null";
    if (std::FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
            json.append(buffer, n);
        ::pclose(pipe);
    }
    return json;
}

bool haveGpsdecode() {
    return std::system("command -v gpsdecode >/dev/null 2>&1") == 0;
}

}  // namespace

TEST_F(RecordingTest, ClassOneFileHoldsHeaderThenExactlyTheFramesReceived) {
    receiver.SetDeviceClass(1);
    const std::string contents = record(5);
    std::u16string name;
    ASSERT_TRUE(receiver.QueryCurrentFile(name));
    EXPECT_EQ(utf16ToUtf8(name), rawFolder() + "/A1B210053100.grw");
    ASSERT_GT(contents.size(), 3u);
    EXPECT_EQ(contents.substr(0, 3), "GP3");
    EXPECT_GE(sentFramesIn(contents.substr(3)), 10u);
}

TEST_F(RecordingTest, ClassZeroFileHasNoHeaderAndTakesTheNextFreeNumber) {
    fs::create_directories(rawFolder());
    writeWholeFile(rawFolder() + "/A1B210053100.grw", "");
    writeWholeFile(rawFolder() + "/A1B210053101.grw", "");
    const std::string contents = record(3);
    std::u16string name;
    ASSERT_TRUE(receiver.GetCurrentFileName(name));
    EXPECT_EQ(utf16ToUtf8(name), rawFolder() + "/A1B210053102.grw");
    ASSERT_GT(contents.size(), 2u);
    EXPECT_EQ(std::uint8_t(contents[0]), 0xA0);
    EXPECT_GT(sentFramesIn(contents), 0u);
}

TEST_F(RecordingTest, StartingAgainKeepsTheRunningFile) {
    ASSERT_TRUE(receiver.SetRecording(true));
    ASSERT_TRUE(waitUntil([this] { return receiver.IsRecording(); }));
    std::u16string first, second;
    ASSERT_TRUE(receiver.GetCurrentFileName(first));
    ASSERT_TRUE(receiver.SetRecording(true));
    ASSERT_TRUE(receiver.GetCurrentFileName(second));
    EXPECT_EQ(first, second);
    EXPECT_TRUE(receiver.IsRecording());
}

TEST_F(RecordingTest, FolderThatCannotBeWrittenSetsTheStoppedFlag) {
    writeWholeFile(documents / "Documents", "a file where the folder should be");
    EXPECT_FALSE(receiver.PollRecordingStopped());
    EXPECT_TRUE(receiver.SetRecording(true));
    EXPECT_TRUE(waitUntil([this] { return receiver.PollRecordingStopped(); }));
    EXPECT_FALSE(receiver.IsRecording());
    receiver.ClearRecordingStopped();
    EXPECT_FALSE(receiver.PollRecordingStopped());
}

TEST_F(RecordingTest, StorageCardChoiceNeedsARemovableMedium) {
    ASSERT_TRUE(receiver.SetMemory(1));
    int memory = 0;
    ASSERT_TRUE(receiver.QueryMemory(memory));
    EXPECT_EQ(memory, 1);
    EXPECT_FALSE(receiver.SetRecording(true));
    EXPECT_TRUE(receiver.PollRecordingStopped());
    receiver.ClearRecordingStopped();

    fs::create_directories(documents / "media/CARD");
    ASSERT_TRUE(receiver.SetRecording(true));
    std::u16string name;
    ASSERT_TRUE(receiver.GetCurrentFileName(name));
    EXPECT_EQ(utf16ToUtf8(name), documents / "media/CARD/GPS Raw Data/A1B210053100.grw");
    EXPECT_TRUE(waitUntil([this] { return receiver.IsRecording(); }));
}

TEST_F(RecordingTest, StopReturnsWhileTheModuleIsSilentAndAfterItVanished) {
    ASSERT_TRUE(receiver.SetRecording(true));
    ASSERT_TRUE(waitUntil([this] { return receiver.IsRecording(); }));
    module->silence(true);
    sleepMs(2 * kEpochMs);
    EXPECT_TRUE(receiver.SetRecording(false)) << "the reader closes the file between reads";
    EXPECT_FALSE(receiver.IsRecording());

    module->silence(false);
    ASSERT_TRUE(receiver.SetRecording(true));
    ASSERT_TRUE(waitUntil([this] { return receiver.IsRecording(); }));
    module->unplug();
    ASSERT_TRUE(waitUntil([this] { return !receiver.IsConnected(); }));
    EXPECT_FALSE(receiver.IsRecording()) << "the ending reader closed the file";
    const std::uint32_t start = tickCountMs();
    EXPECT_TRUE(receiver.SetRecording(false));
    EXPECT_LT(tickCountMs() - start, 50u);
    EXPECT_FALSE(receiver.SetRecording(true)) << "no reader left to write a file";
}

TEST_F(RecordingTest, IndependentDecoderReadsTheSameSatellitesFromTheFile) {
    if (!haveGpsdecode()) GTEST_SKIP() << "gpsdecode (package gpsd-clients) is not installed";
    const std::string contents = record(6);
    std::u16string name;
    ASSERT_TRUE(receiver.GetCurrentFileName(name));
    const std::vector<SkyRecord> theirs = skyRecordsFromJson(gpsdecodeJson(utf16ToUtf8(name)));
    const std::vector<SkyRecord> ours = skyRecordsFromFrames(contents);
    ASSERT_GE(ours.size(), 5u);
    EXPECT_SAME_SKY(ours, theirs);
}
