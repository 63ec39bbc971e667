#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <functional>

#include "AppTestSupport.h"
#include "IsolatedConfig.h"
#include "app/CGnssApp.h"
#include "app/CMainMenuDlg.h"
#include "support/RecordingPrompts.h"
#include "support/SimulatedReceivers.h"

using namespace quorrel;

namespace {

// The whole program against the board simulator: start-up, the main menu (driven from a
// timer once it runs), and the settings it leaves behind.
class GnssAppRunTest : public ::testing::Test {
protected:
    AppConfig config() {
        AppConfig c = test::isolatedConfig(programDir, runtime, board.devicePath());
        c.receiverFactory = test::quickReceiver;
        c.features.differentialMode = [this](QWidget*, const ScreenContext&, AppSettings& values) {
            values.ntripMountPoint = QStringLiteral("NEWMNT");
            values.ntripPort = 2102;
            values.connectNtrip = 1;
            values.dialGsm = 1;
            return true;
        };
        return c;
    }
    // Runs the program; once the menu is up, `drive` acts on it.
    int runWithMenu(CGnssApp& app, std::function<void(CMainMenuDlg&)> drive) {
        std::function<void()> poll = [&] {
            auto* menu = qobject_cast<CMainMenuDlg*>(QApplication::activeModalWidget());
            if (menu)
                drive(*menu);
            else
                QTimer::singleShot(10, poll);
        };
        QTimer::singleShot(0, poll);
        return app.run();
    }
    QString value(const char* name, const QString& title = QStringLiteral("GNSS Quorrel")) {
        QSettings file(QStringLiteral("Tavrenk"), title);
        return file.value(QStringLiteral("Settings/") + QLatin1String(name)).toString();
    }

    test::TemporarySettings settings;
    QTemporaryDir runtime;
    QTemporaryDir programDir;
    BoardSimulator board;
    bool started = board.start();
    RecordingPrompts prompts;
    ScopedPrompts usePrompts{prompts};
};

}  // namespace

TEST_F(GnssAppRunTest, OkSavesWhatTheMenuTookBack) {
    settings.writeFile("[Settings]\nNtripAddress=caster.example.net\nNtripMountPoit=OLD\n");
    CGnssApp app(config());
    ASSERT_TRUE(app.start());
    EXPECT_EQ(prompts.busyCount(), 1);
    EXPECT_EQ(test::receivedLines(board, "$PQVXS,NME,WTI").size(), 1u);
    EXPECT_EQ(test::receivedLines(board, "$PQVXS,NME,A2D").size(), 1u);
    EXPECT_EQ(runWithMenu(app,
                          [](CMainMenuDlg& menu) {
                              EXPECT_EQ(menu.settings().ntripMountPoint, "OLD");
                              menu.performFeature(Feature::DifferentialMode);
                              menu.close();
                          }),
              0);
    EXPECT_EQ(value("NtripAddress"), "caster.example.net");
    EXPECT_EQ(value("NtripMountPoit"), "NEWMNT");
    EXPECT_EQ(value("NtripPort"), "2102");
    EXPECT_EQ(value("ConnectNtrip"), "1");
    EXPECT_EQ(value("DialGsm"), "1");
    EXPECT_EQ(value("ConnectIp"), "0");
    EXPECT_FALSE(QSettings("Tavrenk", "GNSS Quorrel").contains("Settings/IsExternalGps"));
    EXPECT_FALSE(test::receivedLines(board, "$PQVXS,NME,ALL").empty())
        << "output switched off at close";
    EXPECT_TRUE(prompts.prompts().empty());
}

TEST_F(GnssAppRunTest, CancelKeepsTheLoadedValuesAndClearsTheConnectFlags) {
    settings.writeFile("[Settings]\nNtripPort=2101\nNtripMountPoit=OLD\nDialGsm=1\nConnectIp=1\n");
    CGnssApp app(config());
    runWithMenu(app, [](CMainMenuDlg& menu) {
        menu.performFeature(Feature::DifferentialMode);
        menu.reject();
    });
    EXPECT_EQ(value("NtripPort"), "2101");
    EXPECT_EQ(value("NtripMountPoit"), "OLD");
    EXPECT_EQ(value("DialGsm"), "0");
    EXPECT_EQ(value("ConnectIp"), "0");
    EXPECT_EQ(value("ConnectNtrip"), "0");
}

TEST_F(GnssAppRunTest, ExternalReceiverFlagOfExactlyOneSuppressesWtiAndA2d) {
    settings.writeFile("[Settings]\nIsExternalGps=1\n");
    {
        CGnssApp app(config());
        ASSERT_TRUE(app.start());
        EXPECT_TRUE(test::receivedLines(board, "$PQVXS,NME,WTI").empty());
        EXPECT_TRUE(test::receivedLines(board, "$PQVXS,NME,A2D").empty());
        app.receiver()->Close();
    }
    settings.writeFile("[Settings]\nIsExternalGps=2\n");
    CGnssApp app(config());
    ASSERT_TRUE(app.start());
    EXPECT_EQ(test::receivedLines(board, "$PQVXS,NME,WTI").size(), 1u);
    EXPECT_EQ(test::receivedLines(board, "$PQVXS,NME,A2D").size(), 1u);
    app.receiver()->Close();
}

TEST_F(GnssAppRunTest, TranslatedTitleDoesNotMoveTheSettings) {
    ASSERT_TRUE(QFile::copy(QStringLiteral(QUORREL_LANG_RCC), programDir.filePath("Lang.rcc")));
    CGnssApp app(config());
    runWithMenu(app, [](CMainMenuDlg& menu) {
        EXPECT_EQ(menu.windowTitle(), "GNSS Quorrel DE");
        menu.close();
    });
    EXPECT_TRUE(QFile::exists(settings.filePath()));
    EXPECT_FALSE(QFile::exists(settings.filePath("GNSS Quorrel DE")));
}

// --simulate: the simulator programs of the build, as child processes.
TEST_F(GnssAppRunTest, SimulateConnectsToABoardSimulatorAndReconnectsToAFreshOne) {
    AppConfig c = config();
    c.simulate = true;
    c.portOverride.clear();
    c.programDir = test::binaryDir();
    CGnssApp app(std::move(c));
    ASSERT_TRUE(app.start());
    const QString first = app.devicePath();
    EXPECT_TRUE(first.startsWith("/dev/pts/")) << first.toStdString();
    EXPECT_TRUE(app.reconnect());
    EXPECT_TRUE(app.devicePath().startsWith("/dev/pts/"));
    EXPECT_TRUE(app.receiver()->IsConnected());
    app.receiver()->Close();
}

TEST_F(GnssAppRunTest, SimulateWithModuleIdConnectsToTheModuleSimulator) {
    AppConfig c = config();
    c.simulate = true;
    c.portOverride.clear();
    c.programDir = test::binaryDir();
    c.deviceIdArg = QStringLiteral("0204ABCD");
    CGnssApp app(std::move(c));
    EXPECT_EQ(app.deviceClass(), DeviceClass::Code0204);
    ASSERT_TRUE(app.start());
    EXPECT_FALSE(app.receiver()->IsBoardReceiver());
    app.receiver()->Close();
}

TEST_F(GnssAppRunTest, MissingSimulatorMeansCannotConnectGps) {
    AppConfig c = config();
    c.simulate = true;
    c.portOverride.clear();
    CGnssApp app(std::move(c));  // an empty program folder
    EXPECT_FALSE(app.start());
    EXPECT_EQ(app.run(), 1);
    EXPECT_EQ(prompts.texts(), QStringList({"Cannot connect GPS"}));
}

namespace {

// Processes whose environment carries `marker`.
int processesMarked(const QByteArray& marker) {
    int count = 0;
    for (const QString& pid : QDir("/proc").entryList(QDir::Dirs)) {
        QFile environ("/proc/" + pid + "/environ");
        if (environ.open(QIODevice::ReadOnly) && environ.readAll().contains(marker)) ++count;
    }
    return count;
}

}  // namespace

// The program with --simulate runs its simulator as a child that ends with it, even when the
// program is killed.
TEST(GnssProgram, SimulatorEndsWithTheProgram) {
    QTemporaryDir runtime, config;
    const QByteArray marker =
        "QUORREL_TEST_MARK=" + QByteArray::number(QCoreApplication::applicationPid());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    env.insert("XDG_CONFIG_HOME", config.path());
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("QUORREL_TEST_MARK", QString::number(QCoreApplication::applicationPid()));
    QProcess program;
    program.setProcessEnvironment(env);
    program.start(test::binaryDir() + "/gnss-quorrel", {"--simulate"});
    ASSERT_TRUE(program.waitForStarted());
    QElapsedTimer clock;
    clock.start();
    while (processesMarked(marker) < 2 && clock.elapsed() < 5000)
        QThread::msleep(20);
    EXPECT_EQ(processesMarked(marker), 2) << "the program and its simulator";
    program.kill();
    program.waitForFinished();
    clock.restart();
    while (processesMarked(marker) > 0 && clock.elapsed() < 5000)
        QThread::msleep(20);
    EXPECT_EQ(processesMarked(marker), 0);
}
