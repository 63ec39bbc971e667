// The GSM settings sheet and the dialling monitor as real widgets offscreen, the monitor
// polling the simulated board's modem through the receiver worker. With
// QUORREL_SCREENSHOT_DIR set they also draw the pictures in docs/screenshots.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

#include "HubTestSupport.h"
#include "support/ScreenRig.h"
#include "support/Screenshots.h"
#include "ui/link/CDialingDialog.h"
#include "ui/link/CGsmConfigSheet.h"
#include "ui/link/CGsmSettingsPage.h"

using namespace quorrel;
using namespace quorrel::test;

namespace {

const QString kNumber = QStringLiteral("0891234567");

// A modem whose steps take a tenth of their time: dialling lasts long enough to watch.
BoardConfig boardAt(double timeScale) {
    BoardConfig config = quickBoard();
    config.timeScale = timeScale;
    return config;
}

// What a monitor run showed and how it ended.
struct DialRun {
    QStringList shown;
    int lastState = -1;
    int result = -1;
};

class GsmScreensTest : public ::testing::Test {
protected:
    explicit GsmScreensTest(double timeScale = 0.1) : hub(boardAt(timeScale)) {}

    // The modem prepared and auto-dial on, as the hub leaves it before the monitor opens.
    bool startDialling(bool answers) {
        hub.link.board.setDialAnswers(answers);
        CGnssReceiver& r = *hub.link.receiver;
        return r.SetModemCsd() && r.InitializeModem() &&
               r.SetModemCsdParameters(u"", kNumber.toStdU16String()) && r.SetModemAutoDial();
    }

    // Runs the monitor modally; `onShown(dialog, texts so far)` sees each new status text.
    DialRun runMonitor(int pollMs,
                       std::function<void(CDialingDialog&, const QStringList&)> onShown = {}) {
        DialRun run;
        CDialingDialog dialog(rig.context(), nullptr, pollMs);
        dialog.setPhoneNumber(kNumber);
        QObject::connect(&dialog, &CDialingDialog::statusShown, [&](const QString& text) {
            run.shown.append(text);
            if (onShown) onShown(dialog, run.shown);
        });
        run.result = dialog.exec();
        run.lastState = dialog.lastModemState();
        return run;
    }

    // The user presses "Close" as soon as the event loop is back.
    static void pressClose(CDialingDialog& dialog) {
        QTimer::singleShot(0, &dialog, [&dialog] { dialog.closeButton()->click(); });
    }

    static QString dialing(int dotStep) {
        return "Dialing  " + kNumber + QString(dotStep % 4, '.');
    }

    QByteArray historyFile() const {
        QFile file(history.filePath(QStringLiteral("gsm_data.txt")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
    }

    HubBoard hub;
    bool opened = hub.link.open();
    ScreenRig rig{*hub.link.receiver};
    QTemporaryDir history;
};

class QuickModemTest : public GsmScreensTest {
protected:
    QuickModemTest() : GsmScreensTest(0.01) {}
};

void press(CPropertySheet& sheet, QDialogButtonBox::StandardButton which) {
    sheet.findChild<QDialogButtonBox*>()->button(which)->click();
}

}  // namespace

TEST_F(GsmScreensTest, MonitorFollowsTheModemToOnlineWithTheDots) {
    ASSERT_TRUE(opened);
    ASSERT_TRUE(startDialling(true));
    const int dots = DialingLogic::dotCounter();
    const DialRun run = runMonitor(100, [](CDialingDialog& dialog, const QStringList& shown) {
        if (shown.size() == 3) saveScreenshot(dialog, "gsm-dialing");
    });
    ASSERT_GE(run.shown.size(), 3) << run.shown.join('|').toStdString();
    EXPECT_EQ(run.shown.first(), "Dialing  " + kNumber + " ...");
    for (int i = 1; i + 1 < run.shown.size(); ++i)
        EXPECT_EQ(run.shown[i], dialing(dots + i - 1)) << i;
    EXPECT_EQ(run.shown.last(), "Dialing succeed!");
    EXPECT_EQ(run.lastState, kModemOnline);
    EXPECT_EQ(run.result, QDialog::Accepted);
    EXPECT_EQ(hub.modemState(), kModemOnline);
    EXPECT_EQ(hub.link.received("$PQVXS,MDM,DAL,0"), Sentences{}) << "the call stays up";
}

TEST_F(QuickModemTest, ModemThatGaveUpBeforeTheFirstTickEndsItAtOnce) {
    ASSERT_TRUE(opened);
    ASSERT_TRUE(startDialling(false));
    ASSERT_EQ(hub.waitForDialling(), kModemOff);
    const DialRun run = runMonitor(300);
    EXPECT_EQ(run.shown, QStringList({"Dialing  " + kNumber + " ...", "Dialing failed!"}));
    EXPECT_EQ(run.lastState, kModemOff);
}

TEST_F(GsmScreensTest, CloseClearsAutoDialAndTheNextMonitorGoesOnWithTheDots) {
    ASSERT_TRUE(opened);
    ASSERT_TRUE(startDialling(false));
    const int dots = DialingLogic::dotCounter();
    const DialRun first = runMonitor(100, [](CDialingDialog& dialog, const QStringList& shown) {
        if (shown.size() == 3) pressClose(dialog);
    });
    EXPECT_EQ(first.shown.mid(1), QStringList({dialing(dots), dialing(dots + 1)}));
    EXPECT_EQ(first.result, QDialog::Rejected);
    EXPECT_EQ(first.lastState, kModemInit) << "read after auto-dial went off";
    EXPECT_EQ(hub.link.received().back(), "$PQVXQ,MDM");
    EXPECT_EQ(hub.link.received("$PQVXS,MDM,DAL").back(), "$PQVXS,MDM,DAL,0");
    EXPECT_EQ(hub.modemState(), kModemInit);

    ASSERT_TRUE(hub.link.receiver->SetModemAutoDial());
    const DialRun second = runMonitor(100, [](CDialingDialog& dialog, const QStringList& shown) {
        if (shown.size() == 2) pressClose(dialog);
    });
    EXPECT_EQ(second.shown.mid(1), QStringList({dialing(dots + 2)}));
}

// A board that stops answering while it dials: every poll waits its whole time-out on the
// worker, the window keeps painting, the ticks meanwhile start no further polls, and "Close"
// queues behind the poll and ends the monitor without a call.
TEST_F(GsmScreensTest, SilentBoardKeepsTheMonitorResponsiveAndCloseEndsItAsAFailure) {
    ASSERT_TRUE(opened);
    LinkTimeouts timeouts = shortLinkTimeouts();
    timeouts.replyMs = 600;
    static_cast<CInternalReceiver&>(*hub.link.receiver).setTimeouts(timeouts);
    ASSERT_TRUE(startDialling(false));
    int paints = 0, ticks = 0, pollsWhileSilent = 0;
    qint64 silentMs = 0;
    bool busyAtClose = false;
    QElapsedTimer silentFor;
    const DialRun run = runMonitor(100, [&](CDialingDialog& dialog, const QStringList& shown) {
        if (shown.size() != 2) return;
        hub.link.board.silence(true);
        hub.link.board.clearLog();
        silentFor.start();
        QTimer::singleShot(0, &dialog, [&] {
            // Two and a half time-outs of a silent board, with the monitor open.
            QTimer clock;
            QObject::connect(&clock, &QTimer::timeout, [&] {
                ++ticks;
                dialog.statusLabel()->update();
            });
            struct PaintCounter : QObject {
                int& count;
                explicit PaintCounter(int& c) : count(c) {}
                bool eventFilter(QObject*, QEvent* e) override {
                    if (e->type() == QEvent::Paint) ++count;
                    return false;
                }
            } counter(paints);
            dialog.statusLabel()->installEventFilter(&counter);
            clock.start(50);
            QTest::qWait(1500);
            dialog.statusLabel()->removeEventFilter(&counter);
            // Close must land while a poll waits; on a loaded machine 1.5 s may end in the
            // short gap between two polls, so wait for the next one to start.
            (void)QTest::qWaitFor([&] { return rig.worker.isBusy(); }, 2000);
            pollsWhileSilent = int(hub.link.received("$PQVXQ,MDM").size());
            silentMs = silentFor.elapsed();
            busyAtClose = rig.worker.isBusy();
            dialog.closeButton()->click();
        });
    });
    EXPECT_GE(ticks, 20) << "the GUI thread kept running";
    EXPECT_GE(paints, 10) << "the status line kept painting";
    EXPECT_TRUE(busyAtClose) << "a poll was waiting when Close came";
    EXPECT_LE(pollsWhileSilent, silentMs / 600 + 1)
        << "one poll at a time, each waiting its time-out";
    EXPECT_EQ(hub.link.received("$PQVXS,MDM,DAL"), Sentences({"$PQVXS,MDM,DAL,0"}));
    EXPECT_EQ(run.result, QDialog::Rejected);
    EXPECT_EQ(run.lastState, kModemDialing) << "the state read before the board fell silent";
    EXPECT_EQ(run.shown.size(), 2) << run.shown.join('|').toStdString();
}

TEST_F(GsmScreensTest, HiddenPinRowGivesAnEmptyPinAndHistoryEntry) {
    ASSERT_TRUE(opened);
    {
        CGsmConfigSheet sheet(rig.context(), "GSM Modem Settings", nullptr, 0, history.path());
        sheet.setValues({"1234", ""});
        sheet.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&sheet));
        CGsmSettingsPage& page = *sheet.settingsPage();
        EXPECT_FALSE(page.pinLabel()->isVisible());
        EXPECT_FALSE(page.pinField()->isVisible());
        EXPECT_EQ(sheet.windowTitle(), "GSM Modem Settings");
        QTest::keyClicks(page.phoneList()->lineEdit(), kNumber);
        press(sheet, QDialogButtonBox::Ok);
        EXPECT_EQ(sheet.result(), QDialog::Accepted);
        EXPECT_EQ(sheet.values(), (GsmValues{"", kNumber}));
        EXPECT_EQ(historyFile(), "") << "written when the sheet goes";
    }
    EXPECT_EQ(historyFile(), "\r\n" + kNumber.toLatin1());
    EXPECT_EQ(hub.link.received(), Sentences{}) << "the sheet sends nothing";
}

TEST_F(GsmScreensTest, PickedNumberFillsThePinAndOkRemembersTheTypedOne) {
    ASSERT_TRUE(opened);
    {
        QFile file(history.filePath(QStringLiteral("gsm_data.txt")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("1111;;3333;4444\r\n0891;0892;0892;08");
    }
    CGsmConfigSheet sheet(rig.context(), "GSM Modem Settings", nullptr, 0, history.path());
    sheet.setExternalReceiver(true);
    sheet.setValues({"9999", "0893"});
    sheet.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&sheet));
    CGsmSettingsPage& page = *sheet.settingsPage();
    QComboBox& list = *page.phoneList();
    ASSERT_EQ(list.count(), 2);
    EXPECT_EQ(list.itemText(0), "0891");
    EXPECT_EQ(list.itemText(1), "0892");
    EXPECT_EQ(list.currentText(), "0893");
    EXPECT_EQ(page.pinField()->text(), "9999");
    EXPECT_TRUE(page.pinField()->isVisible());
    saveScreenshot(sheet, "gsm-modem-settings");

    for (const auto& [row, pin] : {std::pair{1, ""}, std::pair{0, "1111"}}) {
        list.setCurrentIndex(row);
        emit list.activated(row);
        EXPECT_EQ(page.pinField()->text(), pin) << row;
    }
    QTest::keyClicks(page.pinField(), "12a;3456789");
    EXPECT_EQ(page.pinField()->text(), "11111234") << "digits only, eight at most";
    list.setEditText(QStringLiteral("0891;5"));
    press(sheet, QDialogButtonBox::Ok);
    EXPECT_TRUE(sheet.isVisible()) << "refused: the sheet stays open";
    EXPECT_EQ(rig.prompts.texts(),
              QStringList("The phone number contains \";\", which the list of recent numbers "
                          "cannot hold. Nothing was sent."));
    list.setEditText(QStringLiteral("0894"));
    press(sheet, QDialogButtonBox::Ok);
    EXPECT_EQ(sheet.result(), QDialog::Accepted);
    EXPECT_EQ(sheet.values(), (GsmValues{"11111234", "0894"}));
}
