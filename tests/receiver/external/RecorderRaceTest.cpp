// The raw data recorder when a slow medium holds the reader thread inside the file's creation.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "TempFolder.h"
#include "platform/Clock.h"
#include "receiver/external/RawDataRecorder.h"
#include "receiver/external/SirfFrame.h"

using namespace quorrel;

namespace {

// Reads `path` (a FIFO) from when the medium "answers" until the writer closes it.
std::string drainAfter(const std::string& path, int delayMs) {
    sleepMs(delayMs);
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    std::string bytes;
    char chunk[512];
    for (ssize_t n; fd >= 0 && (n = ::read(fd, chunk, sizeof chunk)) > 0;)
        bytes.append(chunk, std::size_t(n));
    if (fd >= 0) ::close(fd);
    return bytes;
}

}  // namespace

// Opening a FIFO for writing blocks until someone reads it: the slow card of the test.
TEST(RawDataRecorderRace, StopAndStartWhileTheReaderCreatesTheFileMoveTheDataToTheNewFile) {
    TempFolder folder;
    const std::string slow = folder / "slow.grw";
    const std::string next = folder / "next.grw";
    ASSERT_EQ(::mkfifo(slow.c_str(), 0600), 0);
    const std::vector<std::uint8_t> bytes = encodeSirfFrame({4, 1, 2});
    const RecordedFrame frame{bytes.data(), bytes.size(), false, false};

    RawDataRecorder recorder;
    ASSERT_TRUE(recorder.start(slow, "", 0));
    std::atomic<bool> stop{false};
    std::thread reader([&] {
        while (!stop) {
            recorder.service(&frame, nullptr);
            sleepMs(5);
        }
        recorder.closeFile();
    });
    std::string oldFile;
    std::thread card([&] { oldFile = drainAfter(slow, 300); });
    sleepMs(100);  // the reader is inside the creation now

    EXPECT_TRUE(recorder.stop(2000));
    ASSERT_TRUE(recorder.start(next, "", 2000));
    EXPECT_EQ(recorder.path(), next);
    for (int i = 0; i < 200 && !recorder.isRecording(); ++i)
        sleepMs(10);
    sleepMs(50);  // a few frames
    stop = true;
    reader.join();
    card.join();

    EXPECT_EQ(oldFile, "") << "frames went on into the old file";
    EXPECT_FALSE(readWholeFile(next).empty()) << "nothing reached the new file";
    EXPECT_FALSE(recorder.hasFailed());
}
