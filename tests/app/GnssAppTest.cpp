#include <gtest/gtest.h>

#include <poll.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "AppTestSupport.h"
#include "IsolatedConfig.h"
#include "app/CGnssApp.h"
#include "app/shell/InstanceLock.h"
#include "platform/PseudoTerminal.h"
#include "receiver/CInternalReceiver.h"
#include "support/QuickReceivers.h"
#include "support/RecordingPrompts.h"
#include "ui/kit/Resources.h"

using namespace quorrel;

namespace {

// The application object on a pseudo-terminal where no receiver answers, with its lock
// file, settings, program folder and service layer all in temporary places.
class GnssAppTest : public ::testing::Test {
protected:
    AppConfig config() {
        AppConfig c = test::isolatedConfig(programDir, runtime, pty.slavePath());
        c.receiverFactory = [this](DeviceClass deviceClass, const QString& deviceId) {
            ++receiversCreated;
            auto receiver = test::quickReceiver(deviceClass, deviceId);
            // Nothing answers here: the baud search need not wait long at any rate.
            if (auto* board = dynamic_cast<CInternalReceiver*>(receiver.get())) {
                LinkTimeouts timeouts = shortLinkTimeouts();
                timeouts.replyMs = timeouts.aliveMs = 100;
                board->setTimeouts(timeouts);
            }
            return receiver;
        };
        return c;
    }

    test::TemporarySettings settings;
    QTemporaryDir runtime;
    QTemporaryDir programDir;
    PseudoTerminal pty;
    RecordingPrompts prompts;
    ScopedPrompts usePrompts{prompts};
    int receiversCreated = 0;
};

}  // namespace

TEST_F(GnssAppTest, SecondInstanceCreatesNoReceiverAndEndsSilently) {
    InstanceLock running(runtime.filePath(QStringLiteral("Quorrel.lock")).toStdString());
    CGnssApp app(config());
    EXPECT_TRUE(app.isDuplicateInstance());
    EXPECT_EQ(app.receiver(), nullptr);
    EXPECT_EQ(app.run(), 0);
    EXPECT_EQ(receiversCreated, 0);
    EXPECT_TRUE(prompts.prompts().empty());
    EXPECT_EQ(prompts.busyCount(), 0);
    EXPECT_FALSE(QFile::exists(settings.filePath()));
}

TEST_F(GnssAppTest, UnansweredOpenSaysCannotConnectGpsAndLeavesTheSettingsAlone) {
    CGnssApp app(config());
    EXPECT_FALSE(app.isDuplicateInstance());
    EXPECT_EQ(receiversCreated, 1);
    EXPECT_FALSE(app.start());
    EXPECT_EQ(app.devicePath(), QString::fromStdString(pty.slavePath()));
    EXPECT_EQ(app.run(), 1);
    EXPECT_EQ(prompts.texts(), QStringList({"Cannot connect GPS"}));
    EXPECT_EQ(prompts.busyDepth(), 0);
    EXPECT_FALSE(QFile::exists(settings.filePath()));
}

TEST_F(GnssAppTest, LanguageFileBesideTheProgramTranslatesEvenTheFirstMessage) {
    ASSERT_TRUE(QFile::copy(QStringLiteral(QUORREL_LANG_RCC), programDir.filePath("Lang.rcc")));
    {
        CGnssApp app(config());
        app.run();
    }
    EXPECT_EQ(prompts.texts(), QStringList({"Keine Verbindung zum GPS"}));
    EXPECT_FALSE(Resources::instance().hasLanguageFile()) << "released at exit";
}

TEST_F(GnssAppTest, DeviceIdSelectsTheModuleAndTheDeviceConfiguredForItsPort) {
    settings.writeFile(QStringLiteral("[Platform]\nCOM1=/nonexistent/ttyMODULE\n"));
    AppConfig c = config();
    c.portOverride.clear();
    c.deviceIdArg = QStringLiteral("0143XYZ");
    CGnssApp app(std::move(c));
    EXPECT_EQ(app.deviceClass(), DeviceClass::Code0143);
    EXPECT_EQ(app.devicePath(), "/nonexistent/ttyMODULE");
    EXPECT_EQ(app.receiver()->GetDeviceClass(), 0);
}

// The real program, started while this test holds the guard: it must end at once, show
// nothing, write no settings and send nothing to the port; one line tells a terminal why.
TEST_F(GnssAppTest, SecondProgramEndsAtOnceWithOneLine) {
    InstanceLock running(runtime.filePath(QStringLiteral("Quorrel.lock")).toStdString());
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    env.insert("XDG_CONFIG_HOME", settings.folder());
    env.insert("QT_QPA_PLATFORM", "offscreen");
    program.setProcessEnvironment(env);
    QElapsedTimer clock;
    clock.start();
    program.start(test::binaryDir() + "/gnss-quorrel",
                  {"--port", QString::fromStdString(pty.slavePath())});
    ASSERT_TRUE(program.waitForFinished(10000));
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_EQ(program.readAllStandardOutput(), QByteArray());
    EXPECT_EQ(program.readAllStandardError(),
              "gnss-quorrel: GNSS Quorrel is already running; this copy ends\n");
    EXPECT_TRUE(QDir(settings.folder()).isEmpty());
    pollfd fd{pty.masterFd(), POLLIN, 0};
    EXPECT_EQ(::poll(&fd, 1, 0), 0) << "the port was written to";
}

TEST(GnssProgram, HelpAndVersionWorkWithoutADisplay) {
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    env.remove("QT_QPA_PLATFORM");
    program.setProcessEnvironment(env);
    program.start(test::binaryDir() + "/gnss-quorrel", {"--version"});
    ASSERT_TRUE(program.waitForFinished(10000));
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_EQ(program.readAllStandardOutput().trimmed(), "gnss-quorrel 2.0.3");

    program.start(test::binaryDir() + "/gnss-quorrel", {"--help"});
    ASSERT_TRUE(program.waitForFinished(10000));
    EXPECT_EQ(program.exitCode(), 0);
    const QByteArray help = program.readAllStandardOutput();
    EXPECT_TRUE(help.contains("--simulate") && help.contains("--port") &&
                help.contains("--device-id"));

    program.start(test::binaryDir() + "/gnss-quorrel", {"--simulate"});
    ASSERT_TRUE(program.waitForFinished(10000));
    EXPECT_EQ(program.exitCode(), 1);
    EXPECT_TRUE(program.readAllStandardError().contains("xvfb-run"));
}
