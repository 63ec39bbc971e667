#include <gtest/gtest.h>

#include <sys/stat.h>
#include <filesystem>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "receiver/external/RawDataLocation.h"
#include "receiver/external/RawDataRecorder.h"
#include "receiver/external/SirfFrame.h"
#include "receiver/external/Utf16Text.h"

using namespace quorrel;
namespace fs = std::filesystem;

namespace {

std::tm date(int year, int month, int day) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    return t;
}

std::string frameText(std::vector<std::uint8_t> payload) {
    const std::vector<std::uint8_t> frame = encodeSirfFrame(payload);
    return std::string(frame.begin(), frame.end());
}

RecordedFrame recorded(const std::string& frame, bool geodetic = false, bool fix = false) {
    return {reinterpret_cast<const std::uint8_t*>(frame.data()), frame.size(), geodetic, fix};
}

}  // namespace

TEST(RawDataLocation, BaseNameFromIdentifierAndDate) {
    EXPECT_EQ(rawDataBaseName(u"0143-2210-A1B2", date(2010, 5, 31)), "A1B2100531");
    EXPECT_EQ(rawDataBaseName(u"", date(2010, 5, 31)), "XXXX100531");
    EXPECT_EQ(rawDataBaseName(u"AB1", date(2024, 12, 1)), "XXXX241201");
    // A path separator or a control character in the identifier must not reach the path.
    EXPECT_EQ(rawDataBaseName(u"01/.\n", date(2024, 1, 2)), "1_._240102");
    EXPECT_EQ(rawDataBaseName(u"xÄ€𝄞", date(2024, 1, 2)), utf16ToUtf8(u"Ä€𝄞") + "240102");
}

TEST(RawDataLocation, SequenceNumberSkipsFilesOfToday) {
    TempFolder folder;
    EXPECT_EQ(firstFreeRawDataFile(folder.path(), "A1B2100531"), folder / "A1B210053100.grw");
    writeWholeFile(folder / "A1B210053100.grw", "x");
    writeWholeFile(folder / "A1B210053101.grw", "x");
    writeWholeFile(folder / "A1B210060100.grw", "x");  // another day
    EXPECT_EQ(firstFreeRawDataFile(folder.path(), "A1B2100531"), folder / "A1B210053102.grw");
}

TEST(RawDataLocation, FoldersForEachStorageChoice) {
    TempFolder root;
    RawDataPlaces places;
    places.documentsFolder = root / "Documents";
    places.removableParents = {root / "media", root / "run-media"};
    EXPECT_EQ(rawDataFolder(places, 0), root / "Documents/GPS Raw Data");
    EXPECT_EQ(rawDataFolder(places, 2), root / "Documents/GPS Raw Data");
    EXPECT_EQ(rawDataFolder(places, 1), "") << "no removable medium";
    fs::create_directories(root / "run-media/STICK");
    fs::create_directories(root / "media/CARD");
    EXPECT_EQ(rawDataFolder(places, 1), root / "media/CARD/GPS Raw Data");
}

TEST(RawDataLocation, DocumentsFolderFromXdgUserDirs) {
    TempFolder root;
    EXPECT_EQ(documentsFolderFrom(root / "missing", "/home/ann"), "/home/ann/Documents");
    writeWholeFile(root / "user-dirs.dirs",
                   "# comment\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
                   "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n");
    EXPECT_EQ(documentsFolderFrom(root / "user-dirs.dirs", "/home/ann"), "/home/ann/Dokumente");
    writeWholeFile(root / "user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"/data/docs\"\n");
    EXPECT_EQ(documentsFolderFrom(root / "user-dirs.dirs", "/home/ann"), "/data/docs");
}

TEST(RawDataRecorder, RecordsHeaderAndFramesButNoLines) {
    TempFolder folder;
    const std::string path = folder / "file.grw";
    const std::string f4 = frameText({4, 1, 2, 3});
    const std::string f41 = frameText({41, 9, 9});
    RawDataRecorder recorder;
    int polls = 0;
    const auto poll = [&polls] { ++polls; };

    ASSERT_TRUE(recorder.start(path, "GP3", 0));
    EXPECT_FALSE(recorder.isRecording()) << "the reader thread creates the file";
    const RecordedFrame first = recorded(f4);
    recorder.service(&first, poll);
    EXPECT_TRUE(recorder.isRecording());
    recorder.service(nullptr, poll);  // a line or an idle read writes nothing
    const RecordedFrame fix = recorded(f41, true, true);
    recorder.service(&fix, poll);
    recorder.service(&fix, poll);

    EXPECT_FALSE(recorder.stop(0)) << "still open until the reader thread acts";
    recorder.service(nullptr, poll);
    EXPECT_FALSE(recorder.isRecording());
    EXPECT_TRUE(recorder.stop(0));
    EXPECT_EQ(readWholeFile(path), "GP3" + f4 + f41 + f41);
    EXPECT_GE(polls, 1) << "the first fix asks for the ephemeris";
    EXPECT_LE(polls, 2) << "once for the fix, at most once for the ten-minute poll";
    EXPECT_FALSE(recorder.hasFailed());
}

TEST(RawDataRecorder, NeverWritesOverAFileThatHoldsData) {
    TempFolder folder;
    const std::string f4 = frameText({4, 7});
    const RecordedFrame frame = recorded(f4);
    const std::string kept = folder / "kept.grw";
    writeWholeFile(kept, "old contents");
    const std::string empty = folder / "empty.grw";
    writeWholeFile(empty, "");

    RawDataRecorder recorder;
    ASSERT_TRUE(recorder.start(kept, "", 0));
    recorder.service(&frame, nullptr);
    EXPECT_TRUE(recorder.hasFailed());
    EXPECT_EQ(readWholeFile(kept), "old contents");

    recorder.clearFailure();
    ASSERT_TRUE(recorder.start(empty, "", 0));  // nothing in it to lose
    recorder.service(&frame, nullptr);
    recorder.closeFile();
    EXPECT_FALSE(recorder.hasFailed());
    EXPECT_EQ(readWholeFile(empty), f4);
}

TEST(RawDataRecorder, FileThatCannotBeCreatedStopsTheRecording) {
    TempFolder folder;
    writeWholeFile(folder / "plain", "a file, not a folder");
    RawDataRecorder recorder;
    ASSERT_TRUE(recorder.start(folder / "plain/file.grw", "GP3", 0));
    recorder.service(nullptr, nullptr);
    EXPECT_TRUE(recorder.hasFailed());
    EXPECT_FALSE(recorder.isRecording());
    recorder.service(nullptr, nullptr);
    EXPECT_TRUE(recorder.hasFailed()) << "stays until cleared";
    recorder.clearFailure();
    EXPECT_FALSE(recorder.hasFailed());
}

TEST(RawDataRecorder, FullMediumSetsTheFailure) {
    RawDataRecorder recorder;
    ASSERT_TRUE(recorder.start("/dev/full", "", 0));
    const std::string big(8192, 'x');
    const RecordedFrame frame = recorded(big);
    recorder.service(&frame, nullptr);
    recorder.service(&frame, nullptr);
    recorder.closeFile();
    EXPECT_TRUE(recorder.hasFailed());
}
