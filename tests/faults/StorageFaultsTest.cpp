// Files the program keeps or writes, when the disk or an earlier run left them in a bad
// state: nothing crashes, what is sound is kept, and a failure to write is reported.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <QDir>
#include <QTemporaryDir>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "../app/AppTestSupport.h"
#include "FaultRig.h"
#include "app/shell/SettingsStore.h"
#include "receiver/external/CExternalNmeaReceiver.h"
#include "receiver/external/Utf16Text.h"
#include "ui/link/ConnectionHistory.h"

using namespace quorrel;
using namespace quorrel::test;
namespace fs = std::filesystem;

namespace {

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

struct HistoryCase {
    const char* legend;
    std::function<void(const std::string& path)> damage;
    const char* firstKey;  // of what survives the load, nullptr for nothing in particular
};

}  // namespace

// A damaged history loads as far as it is sound; the next release writes a sound file with
// the new entry. A history whose file cannot be opened at all is empty and leaves it alone.
TEST(StorageFaults, DamagedHistoriesLoadWhatIsSoundAndAreWrittenWholeAgain) {
    const HistoryCase cases[] = {
        {"cut off in the middle of the second field kind",
         [](const std::string& p) { std::ofstream(p, std::ios::binary) << "alpha;beta\r\n21"; },
         "alpha"},
        {"binary bytes",
         [](const std::string& p) {
             std::string junk;
             for (int i = 0; i < 4096; ++i)
                 junk += char((i * 73 + 11) & 0xFF);
             std::ofstream(p, std::ios::binary) << junk;
         },
         0},
    };
    for (const HistoryCase& c : cases) {
        SCOPED_TRACE(c.legend);
        QTemporaryDir folder;
        const std::string path =
            folder.filePath(QString::fromLatin1(HistoryLayout::directIp().fileName)).toStdString();
        c.damage(path);
        std::size_t loaded = 0;
        {
            ConnectionHistory history(HistoryLayout::directIp(), folder.path());
            loaded = history.entries().size();
            if (c.firstKey) {
                ASSERT_GT(loaded, 0u);
                EXPECT_EQ(history.entries().front().value(0), c.firstKey);
            }
            EXPECT_TRUE(history.add(HistoryEntry({"gamma", "2102"})));
            EXPECT_TRUE(history.release());
        }
        ConnectionHistory reloaded(HistoryLayout::directIp(), folder.path());
        EXPECT_EQ(reloaded.entries().size(), loaded + 1);
        EXPECT_EQ(reloaded.entries().back().value(0), "gamma");
    }

    // A folder where the file should be: cannot be read or replaced, and stays as it was.
    QTemporaryDir folder;
    const QString path = folder.filePath(QString::fromLatin1(HistoryLayout::gsm().fileName));
    ASSERT_TRUE(QDir().mkpath(path + QStringLiteral("/inside")));
    ConnectionHistory history(HistoryLayout::gsm(), folder.path());
    EXPECT_TRUE(history.entries().empty());
    history.add(HistoryEntry({"", "5551234"}));
    EXPECT_FALSE(history.release());
    EXPECT_TRUE(QDir(path + QStringLiteral("/inside")).exists());
}

// Settings the program cannot read give the defaults rather than nonsense, and the next save
// writes a file that reads back whole.
TEST(StorageFaults, CorruptSettingsFileGivesDefaultsAndIsWrittenSoundAgain) {
    TemporarySettings temp;
    const QString title = QStringLiteral("GNSS Quorrel");
    QByteArray junk;
    for (int i = 0; i < 2048; ++i)
        junk.append(char((i * 151 + 7) & 0xFF));
    temp.writeFile(QString::fromLatin1(junk), title);
    SettingsStore store(title);
    EXPECT_EQ(store.load(), AppSettings{});

    AppSettings values;
    values.ntripAddress = QStringLiteral("caster.example.net");
    values.ntripPort = 2101;
    values.ntripMountPoint = QStringLiteral("MNT1");
    values.networkProtocol = 1;
    store.save(values);
    EXPECT_EQ(SettingsStore(title).load(), values);
}

namespace {

// The module recording into a temporary documents folder.
struct RecordingRig {
    RecordingRig() {
        RawDataPlaces places;
        places.documentsFolder = documents.filePath(QStringLiteral("Documents")).toStdString();
        places.removableParents = {documents.filePath(QStringLiteral("media")).toStdString()};
        module().SetRawDataPlaces(places);
    }
    CExternalNmeaReceiver& module() { return static_cast<CExternalNmeaReceiver&>(*link.receiver); }
    // Records until the recorder gives up or `ms` pass; true when it gave up.
    bool recordUntilStopped(int ms) {
        if (!module().SetRecording(true)) return false;
        return pollFor([this] { return module().PollRecordingStopped(); }, ms);
    }

    QTemporaryDir documents;
    ModuleLink link;
};

// Keeps the process's file-size limit at `bytes` (writes past it fail as on a full disk)
// for the lifetime of the object.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &m_saved);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { ::setrlimit(RLIMIT_FSIZE, &m_saved); }

private:
    rlimit m_saved{};
};

}  // namespace

// Raw data with nowhere to go: a folder that cannot be made, or a disk that fills up. The
// recorder stops and says so (the main menu's poll shows it); what reached the disk stays.
TEST(StorageFaults, RawDataRecorderStopsAndSaysSoWhenItCannotWrite) {
    {
        SCOPED_TRACE("a file where the documents folder should be");
        RecordingRig rig;
        std::ofstream(rig.documents.filePath(QStringLiteral("Documents")).toStdString())
            << "not a folder";
        ASSERT_TRUE(rig.link.open());
        EXPECT_TRUE(rig.recordUntilStopped(5000));
        EXPECT_FALSE(rig.module().IsRecording());
    }
    {
        SCOPED_TRACE("the disk fills up while recording");
        RecordingRig rig;
        ASSERT_TRUE(rig.link.open());
        constexpr rlim_t kRoomLeft = 8192;
        std::u16string name;
        {
            const FileSizeLimit full(kRoomLeft);
            EXPECT_TRUE(rig.recordUntilStopped(15000));
            EXPECT_TRUE(rig.module().GetCurrentFileName(name));
        }
        EXPECT_FALSE(rig.module().IsRecording());
        const std::string kept = readBytes(utf16ToUtf8(name));
        EXPECT_GT(kept.size(), 0u);
        EXPECT_LE(kept.size(), kRoomLeft);
    }
}
