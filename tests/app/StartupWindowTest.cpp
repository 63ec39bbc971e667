#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "AppTestSupport.h"
#include "IsolatedConfig.h"
#include "app/CGnssApp.h"
#include "app/StartupWindow.h"
#include "platform/PseudoTerminal.h"
#include "receiver/CInternalReceiver.h"
#include "support/RecordingPrompts.h"

using namespace quorrel;

namespace {

// Standard error into a file for the lifetime of the object.
class CapturedStderr {
public:
    CapturedStderr() {
        m_saved = ::dup(STDERR_FILENO);
        const int fd = ::open(m_file.filePath("stderr").toLocal8Bit().constData(),
                              O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(fd, STDERR_FILENO);
        ::close(fd);
    }
    ~CapturedStderr() { restore(); }
    QString text() {
        restore();
        QFile file(m_file.filePath("stderr"));
        return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll()) : QString();
    }

private:
    void restore() {
        if (m_saved < 0) return;
        ::dup2(m_saved, STDERR_FILENO);
        ::close(m_saved);
        m_saved = -1;
    }
    QTemporaryDir m_file;
    int m_saved = -1;
};

// The lines the program itself printed (Qt's own warnings aside).
QStringList programLines(const QString& errors) {
    QStringList lines;
    for (const QString& line : errors.split(QLatin1Char('\n')))
        if (line.startsWith("gnss-quorrel:")) lines << line;
    return lines;
}

// Cancelling, progress and failure reasons of Open come with the drivers; one without them
// keeps the interface's default reason ("Other") even for a missing device.
bool boardDriverReportsItsOpen() {
    CInternalReceiver probe;
    probe.Open(u"/dev/quorrel-no-such-tty");
    return probe.openFailure() == OpenFailure::NoSuchDevice;
}

StartupWindow* startupWindow() {
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* startup = qobject_cast<StartupWindow*>(window); startup && startup->isVisible())
            return startup;
    return nullptr;
}

// The real application object and the receiver drivers at their own time-outs, on a
// pseudo-terminal where nothing answers; settings, lock and program folder in temporary
// places. `whenShown` acts on the start-up window once it is up.
class StartupWindowTest : public ::testing::Test {
protected:
    AppConfig config() {
        AppConfig c = test::isolatedConfig(programDir, runtime, pty.slavePath());
        return c;
    }
    void whenShown(std::function<void(StartupWindow&)> act) {
        QObject::connect(&poll, &QTimer::timeout, [this, act] {
            StartupWindow* window = startupWindow();
            if (!window) return;
            poll.stop();
            shownAfterMs = clock.elapsed();
            act(*window);
        });
        poll.start(5);
    }
    // Presses Quit after `delayMs` and notes when; returns what the window said then.
    void quitAfter(int delayMs) {
        whenShown([this, delayMs](StartupWindow& window) {
            QTimer::singleShot(delayMs, &window, [this, &window] {
                stepBeforeQuit = window.findChild<QLabel*>("step")->text();
                deviceLine = window.findChild<QLabel*>("device")->text();
                quitAtMs = clock.elapsed();
                QTest::mouseClick(window.quitButton(), Qt::LeftButton);
            });
        });
    }
    bool portWasWritten() {
        pollfd fd{pty.masterFd(), POLLIN, 0};
        return ::poll(&fd, 1, 0) > 0;
    }

    test::TemporarySettings settings;
    QTemporaryDir runtime;
    QTemporaryDir programDir;
    PseudoTerminal pty;
    RecordingPrompts prompts;
    ScopedPrompts usePrompts{prompts};
    QElapsedTimer clock;
    QTimer poll;
    qint64 shownAfterMs = -1;
    qint64 quitAtMs = -1;
    QString stepBeforeQuit, deviceLine;
};

}  // namespace

// A companion service that is there to start: the window is up before its five-second
// wait, says so, and Quit cuts the wait short and ends the program without a word.
TEST_F(StartupWindowTest, ShowsAtOnceAndQuitEndsTheServiceWaitWithNothingWritten) {
    QTemporaryDir programFiles;
    AppConfig c = config();
    c.serviceLayer.processName = QStringLiteral("QrlSvc%1").arg(QCoreApplication::applicationPid());
    c.serviceLayer.programFilesDir = programFiles.path();
    c.serviceLayer.startWaitMs = 5000;
    ASSERT_TRUE(QDir(programFiles.path()).mkpath(c.serviceLayer.folder));
    QFile script(programFiles.filePath(c.serviceLayer.folder + "/" + c.serviceLayer.processName));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nexit 0\n");
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    clock.start();
    CGnssApp app(std::move(c));
    quitAfter(300);
    EXPECT_EQ(app.run(), 0);
    const qint64 ended = clock.elapsed();

    EXPECT_GE(shownAfterMs, 0);
    EXPECT_LT(shownAfterMs, 500);
    EXPECT_EQ(deviceLine,
              "Connecting to the receiver on " + QString::fromStdString(pty.slavePath()));
    EXPECT_EQ(stepBeforeQuit, "Starting the GNSS service\u2026");
    EXPECT_LT(ended - quitAtMs, 1000);
    EXPECT_TRUE(app.wasQuit());
    EXPECT_TRUE(prompts.prompts().empty());
    EXPECT_FALSE(QFile::exists(settings.filePath()));
    EXPECT_FALSE(portWasWritten()) << "Quit came before the search";
    EXPECT_FALSE(app.receiver()->IsConnected());
}

// No service to start: the baud search begins at once; Quit stops it within a second.
TEST_F(StartupWindowTest, QuitStopsTheBaudSearchWithinASecond) {
    if (!boardDriverReportsItsOpen()) GTEST_SKIP() << "the board driver cannot cancel Open yet";
    clock.start();
    CGnssApp app(config());
    quitAfter(1500);
    EXPECT_EQ(app.run(), 0);
    const qint64 ended = clock.elapsed();
    EXPECT_LT(shownAfterMs, 500);
    EXPECT_EQ(stepBeforeQuit, "Trying 57600 baud (1 of 6)");
    EXPECT_LT(ended - quitAtMs, 1000);
    EXPECT_TRUE(prompts.prompts().empty());
    EXPECT_FALSE(QFile::exists(settings.filePath()));
    EXPECT_FALSE(app.receiver()->IsConnected());
}

TEST_F(StartupWindowTest, MissingDeviceIsReportedWithinASecondWithTheReasonOnStandardError) {
    if (!boardDriverReportsItsOpen()) GTEST_SKIP() << "the board driver gives no reasons yet";
    AppConfig c = config();
    c.portOverride = QStringLiteral("/dev/quorrel-no-such-tty");
    qint64 toldAfterMs = -1;
    prompts.responder = [&](const Prompt&) {
        toldAfterMs = clock.elapsed();
        return PromptAnswer::Ok;
    };
    CapturedStderr captured;
    clock.start();
    CGnssApp app(std::move(c));
    EXPECT_EQ(app.run(), 1);
    const QString errors = captured.text();
    EXPECT_EQ(prompts.texts(), QStringList({"Cannot connect GPS"}));
    EXPECT_GE(toldAfterMs, 0);
    EXPECT_LT(toldAfterMs, 1000);
    EXPECT_EQ(programLines(errors),
              QStringList({"gnss-quorrel: cannot open /dev/quorrel-no-such-tty: no such device"}));
    EXPECT_FALSE(QFile::exists(settings.filePath()));
}
