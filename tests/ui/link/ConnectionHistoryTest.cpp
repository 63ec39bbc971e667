#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <csignal>
#include <fstream>
#include <sstream>

#include "HistoryTestSupport.h"
#include "ui/link/ConnectionHistory.h"

using namespace quorrel;
using quorrel::test::entry;

namespace {

const HistoryLayout& kDip = HistoryLayout::directIp();
const HistoryLayout& kGsm = HistoryLayout::gsm();
const HistoryLayout& kNtrip = HistoryLayout::ntrip();

class ConnectionHistoryTest : public ::testing::Test {
protected:
    std::string path(const char* name) const { return m_dir.filePath(name).toStdString(); }
    QString folder() const { return m_dir.path(); }

    void writeFile(const char* name, const std::string& bytes) const {
        std::ofstream(path(name), std::ios::binary) << bytes;
    }
    std::string readFile(const char* name) const {
        std::ifstream in(path(name), std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }
    mode_t mode(const std::string& file) const {
        struct stat info {};
        return ::stat(file.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
    }

private:
    QTemporaryDir m_dir;
};

struct AddCase {
    const char* legend;
    const HistoryLayout& layout;
    std::vector<HistoryEntry> added;
    std::string bytes;  // the file after release
};

const std::vector<AddCase> kAddCases = {
    {"no entries write a 0-byte file", kDip, {}, ""},
    {"the direct IP example",
     kDip,
     {entry({"alpha", "2101"}), entry({"beta", "80"})},
     "alpha;beta\r\n2101;80"},
    {"GSM with an empty PIN", kGsm, {entry({"", "5551234"})}, "\r\n5551234"},
    {"NTRIP without a login",
     kNtrip,
     {entry({"caster.example", "2101", "", "", "MNT1"})},
     "caster.example\r\n2101\r\n\r\n\r\nMNT1"},
    {"the same key takes the new port in place",
     kDip,
     {entry({"alpha", "2101"}), entry({"beta", "80"}), entry({"alpha", "9000"})},
     "alpha;beta\r\n9000;80"},
    {"the same NTRIP host takes every other field in place",
     kNtrip,
     {entry({"a", "1", "u", "p", "M1"}), entry({"b", "2", "", "", "M2"}),
      entry({"a", "3", "v", "q", "M3"})},
     "a;b\r\n3;2\r\nv;\r\nq;\r\nM3;M2"},
    {"keys differing only in case are two entries",
     kDip,
     {entry({"Caster", "1"}), entry({"caster", "2"})},
     "Caster;caster\r\n1;2"},
    {"an empty key, a \";\" and a line break are not stored",
     kDip,
     {entry({"", "1"}), entry({"a;b", "2"}), entry({"a\rb", "3"}), entry({"a\nb", "4"})},
     ""},
    {"values are cut to their fields' capacities",
     kNtrip,
     {entry({std::string(40, 'h'), "2101", std::string(40, 'u'), "p", std::string(150, 'm')})},
     std::string(32, 'h') + "\r\n2101\r\n" + std::string(32, 'u') + "\r\np\r\n" +
         std::string(100, 'm')},
    {"a direct IP host keeps 35 characters",
     kDip,
     {entry({std::string(36, 'h'), "1"})},
     std::string(35, 'h') + "\r\n1"},
};

}  // namespace

TEST_F(ConnectionHistoryTest, ReleaseWritesExactBytesAndReloadGivesTheSameEntries) {
    for (const AddCase& c : kAddCases) {
        SCOPED_TRACE(c.legend);
        std::vector<HistoryEntry> stored;
        {
            ConnectionHistory history(c.layout, folder());
            ASSERT_TRUE(history.isHeld());
            for (const HistoryEntry& e : c.added)
                history.add(e);
            stored = history.entries();
            EXPECT_TRUE(history.release());
        }
        EXPECT_EQ(readFile(c.layout.fileName), c.bytes);
        {
            ConnectionHistory reloaded(c.layout, folder());
            EXPECT_EQ(reloaded.entries(), stored);
        }
        EXPECT_EQ(readFile(c.layout.fileName), c.bytes) << "after a reload and release";
        std::remove(path(c.layout.fileName).c_str());
    }
}

TEST_F(ConnectionHistoryTest, RemembersAtMost99KeysButKeepsAHundredFromItsFile) {
    auto numbered = [](int i) { return entry({"h" + std::to_string(i), std::to_string(i)}); };
    {
        ConnectionHistory history(kDip, folder());
        for (int i = 0; i < 100; ++i)
            EXPECT_EQ(history.add(numbered(i)), i < 99) << i;
        EXPECT_EQ(history.entries().size(), 99u);
    }
    std::string hosts = "h0", ports = "0";
    for (int i = 1; i < 99; ++i) {
        hosts += ";h" + std::to_string(i);
        ports += ";" + std::to_string(i);
    }
    EXPECT_EQ(readFile("dip_data.txt"), hosts + "\r\n" + ports);

    writeFile("dip_data.txt", hosts + ";h99\r\n" + ports + ";99");
    ConnectionHistory full(kDip, folder());
    EXPECT_EQ(full.entries().size(), 100u);
    EXPECT_FALSE(full.add(entry({"new", "1"})));
    EXPECT_TRUE(full.add(entry({"h99", "7"})));
    EXPECT_EQ(full.entries().back(), entry({"h99", "7"}));
}

TEST_F(ConnectionHistoryTest, PageTextGoesToTheFileAsLatin1) {
    {
        ConnectionHistory history(kNtrip, folder());
        HistoryEntry e;
        e.setText(NtripField::Host, QStringLiteral("Z\u00FCrich"));
        e.setNumber(NtripField::Port, 2101);
        e.setText(NtripField::MountPoint, QStringLiteral("\u20ACuro"));
        ASSERT_TRUE(history.add(e));
    }
    EXPECT_EQ(readFile("ntrip_data.txt"), "Z\xFCrich\r\n2101\r\n\r\n\r\n?uro");
    ConnectionHistory reloaded(kNtrip, folder());
    ASSERT_EQ(reloaded.entries().size(), 1u);
    EXPECT_EQ(reloaded.entries()[0].text(NtripField::Host), QStringLiteral("Z\u00FCrich"));
    EXPECT_EQ(reloaded.entries()[0].number(NtripField::Port), 2101);
}

TEST_F(ConnectionHistoryTest, FolderIsCreatedPrivateAndFilesReadableByTheOwnerOnly) {
    const QString nested = folder() + "/share/gnss-quorrel";
    {
        ConnectionHistory history(kGsm, nested);
        EXPECT_EQ(mode(nested.toStdString()), 0700u);
        EXPECT_EQ(mode(history.filePath().toStdString()), 0600u) << "created on load";
    }
    // A file made by someone else is replaced by a private one on release.
    writeFile("dip_data.txt", "alpha\r\n1");
    ::chmod(path("dip_data.txt").c_str(), 0644);
    ConnectionHistory history(kDip, folder());
    EXPECT_TRUE(history.release());
    EXPECT_EQ(mode(path("dip_data.txt")), 0600u);
    EXPECT_EQ(readFile("dip_data.txt"), "alpha\r\n1");
}

// Sound behaviour: the new file is written beside the old one and renamed over it, so a
// release that stops before the rename leaves the remembered entries whole.
TEST_F(ConnectionHistoryTest, ReleaseInterruptedBeforeTheRenameLeavesTheOldFileWhole) {
    const std::string old = "alpha;beta\r\n2101;80";
    writeFile("dip_data.txt", old);
    {
        ConnectionHistory history(kDip, folder());
        history.add(entry({"gamma", "9"}));
        QDir(folder()).mkdir("dip_data.txt.tmp");  // the temporary cannot be created
        EXPECT_FALSE(history.release());
    }
    EXPECT_EQ(readFile("dip_data.txt"), old);
    QDir(folder()).rmdir("dip_data.txt.tmp");

    // A full disk: the write of the temporary fails after its first bytes.
    ConnectionHistory history(kDip, folder());
    history.add(entry({"gamma", "9"}));
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 8;
    ::setrlimit(RLIMIT_FSIZE, &small);
    const bool written = history.release();
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_FALSE(written);
    EXPECT_EQ(readFile("dip_data.txt"), old);
    EXPECT_FALSE(QFile::exists(folder() + "/dip_data.txt.tmp"));
}

TEST_F(ConnectionHistoryTest, FileHeldByAnotherHistoryIsNeitherReadNorWritten) {
    writeFile("dip_data.txt", "alpha\r\n1");
    ConnectionHistory first(kDip, folder());
    {
        ConnectionHistory second(kDip, folder());
        EXPECT_FALSE(second.isHeld());
        EXPECT_TRUE(second.entries().empty());
        second.add(entry({"beta", "2"}));
        EXPECT_FALSE(second.release());
    }
    EXPECT_EQ(readFile("dip_data.txt"), "alpha\r\n1");
    first.add(entry({"gamma", "3"}));
    EXPECT_TRUE(first.release());
    ConnectionHistory third(kDip, folder());
    EXPECT_TRUE(third.isHeld());
    EXPECT_EQ(third.entries().size(), 2u);
}

TEST_F(ConnectionHistoryTest, FileThatCannotBeOpenedGivesAnEmptyHistory) {
    ASSERT_TRUE(QDir(folder()).mkdir("ntrip_data.txt"));
    ConnectionHistory history(kNtrip, folder());
    EXPECT_FALSE(history.isHeld());
    EXPECT_TRUE(history.entries().empty());
    history.add(entry({"a", "1", "", "", "M"}));
    EXPECT_FALSE(history.release());
    EXPECT_TRUE(QFileInfo(history.filePath()).isDir());
}

TEST_F(ConnectionHistoryTest, DefaultFolderIsTheProgramsXdgDataFolder) {
    const QByteArray saved = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(folder()));
    QCoreApplication::setApplicationName(QStringLiteral("quorrel-history-test"));
    EXPECT_EQ(ConnectionHistory::defaultFolder(), folder() + "/quorrel-history-test");
    {
        ConnectionHistory history(kGsm);
        EXPECT_TRUE(history.isHeld());
    }
    EXPECT_TRUE(QFile::exists(folder() + "/quorrel-history-test/gsm_data.txt"));
    if (saved.isNull())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", saved);
}
