// The real differential-mode sheet and serial-port sheet offscreen, on the simulated board,
// with every receiver sequence on the receiver worker. With QUORREL_SCREENSHOT_DIR set they
// also draw the pictures in docs/screenshots.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>

#include "HubTestSupport.h"
#include "support/ModalWindows.h"
#include "support/QtPrinting.h"
#include "support/ScreenRig.h"
#include "support/Screenshots.h"
#include "support/Str2StrCaster.h"
#include "ui/link/CDialingDialog.h"
#include "ui/link/CDiffModeSheet.h"
#include "ui/link/CGsmConfigSheet.h"
#include "ui/link/CGsmSettingsPage.h"
#include "ui/link/COtherConfigSheet.h"
#include "ui/link/CPortSettingsPage.h"
#include "ui/link/CRealTimeDiffPage.h"

using namespace quorrel;
using namespace quorrel::test;

namespace {

void press(CPropertySheet& sheet, QDialogButtonBox::StandardButton which) {
    sheet.findChild<QDialogButtonBox*>()->button(which)->click();
}

void selectRow(CRealTimeDiffPage& page, int row) {
    QListWidget* list = page.linkList();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
}

// The hub as the main menu opens it, on a board in the state the test arranged.
class DiffModeSheetTest : public ::testing::Test {
protected:
    void open(const AppSettings& input = {}) {
        rig = std::make_unique<ScreenRig>(*hub.link.receiver);
        hub.link.board.clearLog();
        sheet = std::make_unique<CDiffModeSheet>(rig->context());
        page().setInput(input);
        sheet->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(sheet.get()));
    }
    CRealTimeDiffPage& page() { return *sheet->diffPage(); }
    QString caption() { return page().actionButton()->text(); }
    int shownRow() {
        const QList<QListWidgetItem*> selected = page().linkList()->selectedItems();
        return selected.isEmpty() ? -1 : page().linkList()->row(selected.first());
    }

    HubBoard hub;
    bool opened = hub.link.open();
    std::unique_ptr<ScreenRig> rig;  // after the board: it goes first
    std::unique_ptr<CDiffModeSheet> sheet;
};

}  // namespace

TEST_F(DiffModeSheetTest, OkReturnsTheValuesAfterTheOtherDeviceRowSetItsPort) {
    ASSERT_TRUE(opened);
    AppSettings input;
    input.ntripAddress = QStringLiteral("caster.example");
    input.ntripPort = 2101;
    input.ipAddress = QStringLiteral("10.0.0.1");
    input.networkProtocol = kProtocolNtrip;
    open(input);
    QListWidget* list = page().linkList();
    ASSERT_EQ(list->count(), 4);
    EXPECT_EQ(list->item(3)->text(), "Other External Device");
    EXPECT_EQ(shownRow(), kUhfRow);
    EXPECT_EQ(caption(), "Settings...");
    saveScreenshot(*sheet, "differential-mode-settings");
    for (const auto& [row, text, picture] :
         {std::tuple{kGsmRow, "Dial...", "differential-mode-dial"},
          std::tuple{kNetworkRow, "Connect...", "differential-mode-connect"}}) {
        selectRow(page(), row);
        EXPECT_EQ(caption(), text);
        saveScreenshot(*sheet, picture);
    }

    // Enter on the list acts like the button.
    selectRow(page(), kGsmRow);
    bool gsmSheetOpened = false;
    whenModal<CGsmConfigSheet>([&](CGsmConfigSheet& gsmSheet) {
        gsmSheetOpened = true;
        press(gsmSheet, QDialogButtonBox::Cancel);
    });
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_TRUE(gsmSheetOpened);
    EXPECT_TRUE(rig->prompts.texts().isEmpty());

    selectRow(page(), kOtherDeviceRow);
    EXPECT_EQ(caption(), "Settings...");
    QString shownPort, shownBaud;
    whenModal<COtherConfigSheet>([&](COtherConfigSheet& portSheet) {
        CPortSettingsPage& portPage = *portSheet.portPage();
        shownPort = portPage.portList()->currentText();
        shownBaud = portPage.baudList()->currentText();
        portPage.portList()->setCurrentText(QStringLiteral("COM3"));
        portPage.baudList()->setCurrentText(QStringLiteral("19200"));
        saveScreenshot(portSheet, "serial-port-settings");
        press(portSheet, QDialogButtonBox::Ok);
    });
    hub.link.board.clearLog();
    page().actionButton()->click();
    EXPECT_EQ(shownPort, "COM5");
    EXPECT_EQ(shownBaud, "38400");
    const Sentences sent = hub.link.received();
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent.front(), "$PQVXQ,PRT,B");
    EXPECT_EQ(sent.back(), "$PQVXS,PRT,B,6,ON");
    EXPECT_EQ(sheet->focusWidget(), list) << "focus back on the list";

    press(*sheet, QDialogButtonBox::Ok);
    EXPECT_EQ(sheet->result(), QDialog::Accepted);
    EXPECT_EQ(page().output(), input) << "values and flags as they went in";
}

TEST_F(DiffModeSheetTest, CancelSendsNothingBeyondTheOpeningQuery) {
    ASSERT_TRUE(opened);
    open();
    selectRow(page(), kOtherDeviceRow);
    whenModal<COtherConfigSheet>(
        [](COtherConfigSheet& portSheet) { press(portSheet, QDialogButtonBox::Cancel); });
    page().actionButton()->click();
    press(*sheet, QDialogButtonBox::Cancel);
    EXPECT_EQ(sheet->result(), QDialog::Rejected);
    EXPECT_EQ(hub.link.received(), Sentences({"$PQVXQ,MDM", "$PQVXQ,PRT,B"}));
}

TEST_F(DiffModeSheetTest, ACallThatIsUpSelectsGsmWithHangUp) {
    ASSERT_TRUE(opened);
    ASSERT_TRUE(hub.startCsdCall());
    open();
    EXPECT_EQ(shownRow(), kGsmRow);
    EXPECT_EQ(caption(), "Hang Up");
    saveScreenshot(*sheet, "differential-mode-hang-up");
    page().actionButton()->click();
    EXPECT_EQ(caption(), "Dial...");
    EXPECT_EQ(hub.modemState(), kModemInit);
}

// "Dial..." through the program's own GSM sheet and dialling monitor: a call that gets
// through turns the button into "Hang Up"; one the modem gives up on is "Unable to dial!".
TEST_F(DiffModeSheetTest, DialOpensTheGsmSheetAndTheMonitorFollowsTheCall) {
    ASSERT_TRUE(opened);
    QTemporaryDir data;
    const QByteArray oldData = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()));
    for (const bool answers : {true, false}) {
        SCOPED_TRACE(answers ? "answered" : "not answered");
        hub.link.board.setDialAnswers(answers);
        open();
        selectRow(page(), kGsmRow);
        QStringList monitorTexts;
        whenModal<CGsmConfigSheet>([&](CGsmConfigSheet& gsmSheet) {
            // The second time the number comes back from the receiver.
            QLineEdit* number = gsmSheet.settingsPage()->phoneList()->lineEdit();
            number->clear();
            QTest::keyClicks(number, "0891234567");
            whenModal<CDialingDialog>([&](CDialingDialog& monitor) {
                monitorTexts.append(monitor.statusLabel()->text());
                QObject::connect(&monitor, &CDialingDialog::statusShown,
                                 [&](const QString& text) { monitorTexts.append(text); });
            });
            press(gsmSheet, QDialogButtonBox::Ok);
        });
        page().actionButton()->click();
        EXPECT_EQ(monitorTexts.value(0), "Dialing  0891234567 ...");
        EXPECT_EQ(monitorTexts.value(1), answers ? "Dialing succeed!" : "Dialing failed!");
        EXPECT_EQ(caption(), answers ? "Hang Up" : "Dial...");
        EXPECT_EQ(rig->prompts.texts(), answers ? QStringList() : QStringList("Unable to dial!"));
        EXPECT_EQ(page().output().dialGsm, answers ? 1 : 0);
        const Sentences sent = hub.link.received();
        EXPECT_NE(std::find(sent.begin(), sent.end(), "$PQVXS,MDM,PAR,PTC,0,PHN,0891234567,ADL,N"),
                  sent.end());
        EXPECT_EQ(hub.link.received("$PQVXS,MDM,DAL"), Sentences({"$PQVXS,MDM,DAL,1"}));
        EXPECT_EQ(sent.back(), "$PQVXQ,MDM") << "the monitor's poll";
        if (answers) {
            page().actionButton()->click();
            EXPECT_EQ(caption(), "Dial...");
        }
        sheet.reset();
    }
    QFile history(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
                  "/gsm_data.txt");
    ASSERT_TRUE(history.open(QIODevice::ReadOnly));
    EXPECT_EQ(history.readAll(), "\r\n0891234567");
    qputenv("XDG_DATA_HOME", oldData);
}

// The network sheet is not built yet: the test plays it, accepting the caster the main menu
// handed in. A real caster (str2str) when installed, else the loopback one.
TEST_F(DiffModeSheetTest, ConnectingToAMountPointBringsTheBoardToFixedAndDisconnectBack) {
    ASSERT_TRUE(opened);
    Str2StrCaster realCaster;
    const bool real = Str2StrCaster::available() &&
                      realCaster.start("MNT1",
                                       "Munich;RTCM 3.2;1005;2;GPS;QNET;DEU;48.14;11.58;"
                                       "1;0;str2str;none;N;N;2400");
    AppSettings input;
    input.ntripAddress = QStringLiteral("127.0.0.1");
    input.ntripPort = real ? realCaster.port() : hub.caster.port();
    input.ntripMountPoint = QStringLiteral("MNT1");
    input.networkProtocol = kProtocolNtrip;
    open(input);
    DiffLinkSheets sheets;
    sheets.network = [](const NetworkValues& given, bool) { return std::optional(given); };
    page().setSheets(sheets);
    int waits = 0;
    QObject::connect(&rig->worker, &ReceiverWorker::waitStarted, [&waits] { ++waits; });

    selectRow(page(), kNetworkRow);
    page().actionButton()->click();
    EXPECT_GT(waits, 0) << "the sequence ran on the receiver worker";
    EXPECT_TRUE(rig->prompts.texts().isEmpty()) << rig->prompts.texts().join('|').toStdString();
    EXPECT_EQ(caption(), "Disconnect");
    EXPECT_TRUE(pollFor([&] { return hub.link.board.status().solution == SolutionKind::Fixed; }))
        << "solution " << static_cast<int>(hub.link.board.status().solution);
    EXPECT_EQ(page().output().connectNtrip, 1);
    saveScreenshot(*sheet, "differential-mode-disconnect");

    page().actionButton()->click();
    EXPECT_EQ(caption(), "Connect...");
    EXPECT_TRUE(pollFor([&] {
        const SolutionKind kind = hub.link.board.status().solution;
        return kind != SolutionKind::Fixed && kind != SolutionKind::Float &&
               kind != SolutionKind::Dgps;
    }));
    EXPECT_EQ(hub.link.board.status().corrections, CorrectionSource::None);
    EXPECT_EQ(page().output().connectNtrip, 0);
}
