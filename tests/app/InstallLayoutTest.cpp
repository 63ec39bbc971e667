#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "app/LanguageFileLocation.h"
#include "app/shell/ReceiverTarget.h"
#include "support/QtPrinting.h"

using namespace quorrel;

namespace {

// Sets an environment variable for the life of the object, then puts the old value back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const QByteArray& value)
        : m_name(name), m_had(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name)) {
        qputenv(name, value);
    }
    ~ScopedEnv() { m_had ? qputenv(m_name, m_old) : qunsetenv(m_name); }

private:
    const char* m_name;
    bool m_had;
    QByteArray m_old;
};

bool makeFile(const QString& path, QFileDevice::Permissions permissions = {}) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    file.write("x");
    file.close();
    return permissions == QFileDevice::Permissions{} || file.setPermissions(permissions);
}

// A program folder, the user's and the system's data folders, and the prefix's own data
// folder beside the program's; the language file goes into those a case names.
struct Layout {
    QTemporaryDir root;
    QString bin = root.filePath("prefix/bin");
    QString beside = bin + "/Lang.rcc";
    QString user = root.filePath("home/.local/share/gnss-quorrel/Lang.rcc");
    QString system = root.filePath("usr/share/gnss-quorrel/Lang.rcc");
    QString prefix = QDir::cleanPath(bin + "/" QUORREL_DATA_FROM_BIN "/Lang.rcc");
};

}  // namespace

TEST(LanguageFileLocation, BesideTheProgramThenUserThenSystemThenTheInstallPrefix) {
    struct Case {
        const char* legend;
        bool beside, user, system, prefix;
        QString Layout::*expected;
    };
    const Case cases[] = {
        {"a build tree or a copy with its own translation", true, true, true, true,
         &Layout::beside},
        {"the user's own translation over the installed pack", false, true, true, true,
         &Layout::user},
        {"the installed pack", false, false, true, true, &Layout::system},
        {"a prefix outside XDG_DATA_DIRS", false, false, false, true, &Layout::prefix},
        {"none: the built-in texts", false, false, false, false, &Layout::beside},
    };
    for (const Case& c : cases) {
        Layout layout;
        ASSERT_TRUE(QDir().mkpath(layout.bin));
        const ScopedEnv home("XDG_DATA_HOME",
                             QFile::encodeName(layout.root.filePath("home/.local/share")));
        const ScopedEnv dirs("XDG_DATA_DIRS", QFile::encodeName(layout.root.filePath("usr/share")));
        const std::pair<bool, QString> files[] = {{c.beside, layout.beside},
                                                  {c.user, layout.user},
                                                  {c.system, layout.system},
                                                  {c.prefix, layout.prefix}};
        for (const auto& [wanted, path] : files)
            ASSERT_TRUE(!wanted || makeFile(path)) << path.toStdString();
        EXPECT_EQ(findLanguageFile(layout.bin), layout.*c.expected) << c.legend;
    }
}

TEST(SimulatorPath, BesideTheProgramThenOnPath) {
    const auto executable =
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
    struct Case {
        const char* legend;
        bool besideExists, besideExecutable, onPath;
        bool expectOnPath;
    };
    const Case cases[] = {
        {"installed together", true, true, true, false},
        {"not beside the program", false, false, true, true},
        {"beside but not executable", true, false, true, true},
        {"nowhere: the failure names the place beside the program", false, false, false, false},
    };
    for (const Case& c : cases) {
        QTemporaryDir root;
        const QString bin = root.filePath("bin"), path = root.filePath("path");
        ASSERT_TRUE(QDir().mkpath(bin) && QDir().mkpath(path));
        const QString beside = bin + "/quorrel-boardsim", other = path + "/quorrel-boardsim";
        const auto besideMode = c.besideExecutable ? executable : QFileDevice::ReadOwner;
        ASSERT_TRUE(!c.besideExists || makeFile(beside, besideMode));
        ASSERT_TRUE(!c.onPath || makeFile(other, executable));
        const ScopedEnv pathEnv("PATH", QFile::encodeName(path));
        EXPECT_EQ(simulatorPathFor(bin, DeviceClass::OtherCode), c.expectOnPath ? other : beside)
            << c.legend;
    }
}
