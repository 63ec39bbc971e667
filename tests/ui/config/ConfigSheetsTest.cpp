#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <memory>

#include "ConfigTestSupport.h"
#include "support/QtPrinting.h"
#include "support/ScreenRig.h"
#include "support/Screenshots.h"
#include "ui/config/CGnssPage.h"
#include "ui/config/CGnssSettingSheet.h"
#include "ui/config/CNmeaMessagesPage.h"
#include "ui/config/CNmeaOutputPage.h"
#include "ui/config/CNmeaOutputSheet.h"
#include "ui/config/CTroubleshootPage.h"
#include "ui/config/CTroubleshootSheet.h"

using namespace quorrel;
using Sentences = std::vector<std::string>;

namespace {

void press(CPropertySheet& sheet, QDialogButtonBox::StandardButton which) {
    sheet.findChild<QDialogButtonBox*>()->button(which)->click();
}

bool labelShown(const QWidget& page, const QString& text) {
    for (const QLabel* label : page.findChildren<QLabel*>())
        if (label->text() == text) return !label->isHidden();
    return false;
}

// The real sheets on the simulated board, as the main menu opens them.
class ConfigSheetTest : public ::testing::Test {
protected:
    void openBoard(const BoardConfig& config = {}) {
        link = std::make_unique<test::BoardLink>(config);
        ASSERT_TRUE(test::openWithAntennaReports(*link));
        rig = std::make_unique<test::ScreenRig>(*link->receiver);
    }

    std::unique_ptr<test::BoardLink> link;
    std::unique_ptr<test::ScreenRig> rig;  // after the link: it goes first
};

const Sentences kGnssQueries = {"$PQVXQ,GNS,CFG", "$PQVXQ,SBA", "$PQVXQ,PEM", "$PQVXQ,ANP,OWN"};

}  // namespace

TEST_F(ConfigSheetTest, GnssSheetShowsTheBoardAndSendsTheChangesOnOk) {
    openBoard();
    CGnssSettingSheet sheet(rig->context());
    sheet.show();
    const CGnssPage& page = *sheet.gnssPage();
    EXPECT_EQ(page.trackingModeList()->count(), 4);
    EXPECT_EQ(page.trackingModeList()->currentText(), "GPS/GLONASS L1");
    EXPECT_TRUE(page.sbasBox()->isChecked());
    EXPECT_EQ(page.elevationField()->text(), "10");
    EXPECT_EQ(page.antennaList()->currentText(), "RZA221771(L1/L2/L5 GPS/GLONASS/GALILEO)");
    EXPECT_TRUE(labelShown(page, "External antenna:"));
    EXPECT_FALSE(labelShown(page, "Minimum SNR:"));
    EXPECT_FALSE(labelShown(page, "Maximum PDOP:"));
    test::saveScreenshot(sheet, "gnss-settings-board");

    page.sbasBox()->setChecked(false);
    page.elevationField()->setText("15");
    page.antennaList()->setCurrentIndex(3);
    link->board.clearLog();
    press(sheet, QDialogButtonBox::Ok);
    EXPECT_EQ(link->received(), Sentences({"$PQVXS,ANP,OWN,RZA331516", "$PQVXS,GNS,CFG,1",
                                           "$PQVXS,SBA,OFF", "$PQVXS,PEM,15"}));
    EXPECT_EQ(sheet.result(), QDialog::Accepted);
    EXPECT_TRUE(rig->prompts.texts().isEmpty());
}

TEST_F(ConfigSheetTest, GnssSheetCancelSendsOnlyTheOpeningQueries) {
    openBoard();
    CGnssSettingSheet sheet(rig->context());
    sheet.show();
    sheet.gnssPage()->sbasBox()->setChecked(false);
    press(sheet, QDialogButtonBox::Cancel);
    EXPECT_EQ(link->received(), kGnssQueries);
    EXPECT_EQ(sheet.result(), QDialog::Rejected);
}

TEST(ConfigSheetModule, GnssSheetOnTheModuleOffersOneModeAndSbas) {
    test::ModuleLink link;
    ASSERT_TRUE(link.open());
    test::ScreenRig rig(*link.receiver, DeviceClass::Code0143);
    CGnssSettingSheet sheet(rig.context());
    sheet.show();
    const CGnssPage& page = *sheet.gnssPage();
    EXPECT_EQ(page.trackingModeList()->count(), 1);
    EXPECT_EQ(page.trackingModeList()->currentText(), "GPS L1");
    EXPECT_FALSE(page.sbasBox()->isHidden());
    EXPECT_TRUE(page.elevationField()->isHidden());
    EXPECT_TRUE(page.antennaList()->isHidden());
    test::saveScreenshot(sheet, "gnss-settings-module");

    link.module.clearReceived();
    press(sheet, QDialogButtonBox::Ok);
    EXPECT_EQ(test::receivedIds(link.module),
              std::vector<int>({ModuleId::kDgpsSource, ModuleId::kDgpsControl}));
}

// COM5 remembered from the last run: port B is read. Then COM3 is chosen and the messages
// page, opened before for port B, reads port F when it comes back to the front.
TEST_F(ConfigSheetTest, NmeaSheetFollowsThePortAndSendsBothPagesOnOk) {
    openBoard();
    rig->settings.writeDword("NMEAPortIndex", 4);
    link->board.setOutput('F', "GSV", 5.0);
    {
        CNmeaOutputSheet sheet(rig->context());
        sheet.show();
        CNmeaOutputPage& output = *sheet.outputPage();
        CNmeaMessagesPage& messages = *sheet.messagesPage();
        EXPECT_EQ(output.portList()->currentText(), "COM5");
        EXPECT_EQ(output.baudList()->currentText(), "38400");
        test::saveScreenshot(sheet, "nmea-output-board");
        sheet.setActivePage(1);
        EXPECT_EQ(messages.readPort(), kPortB);
        sheet.setActivePage(0);
        output.portList()->setCurrentIndex(2);
        EXPECT_EQ(sheet.currentPort(), kPortF);
        EXPECT_EQ(output.baudList()->currentText(), "9600");
        output.baudList()->setCurrentIndex(9);
        sheet.setActivePage(1);
        EXPECT_EQ(messages.readPort(), kPortF);
        EXPECT_TRUE(messages.messageBox(3)->isChecked()) << "GSV on port F";
        EXPECT_EQ(messages.intervalList(3)->currentText(), "5 sec");
        EXPECT_FALSE(messages.intervalList(0)->isEnabled());
        messages.messageBox(0)->setChecked(true);
        messages.intervalList(0)->setCurrentIndex(5);
        test::saveScreenshot(sheet, "nmea-messages-board");
        EXPECT_EQ(link->received(),
                  Sentences({"$PQVXQ,PRT,B", "$PQVXQ,NMO,B", "$PQVXQ,PRT,F", "$PQVXQ,NMO,F"}));

        link->board.clearLog();
        press(sheet, QDialogButtonBox::Ok);
        EXPECT_EQ(link->received(), Sentences({"$PQVXS,PRT,F,9,ON", "$PQVXQ,PRT,F",
                                               "$PQVXS,NME,GGA,F,ON,2.00", "$PQVXS,NME,GLL,F,OFF",
                                               "$PQVXS,NME,GSA,F,OFF", "$PQVXS,NME,GSV,F,ON,5.00",
                                               "$PQVXS,NME,RMC,F,OFF", "$PQVXS,NME,RRE,F,OFF",
                                               "$PQVXS,NME,VTG,F,OFF", "$PQVXS,NME,ZDA,F,OFF"}));
    }
    EXPECT_EQ(rig->settings.readDword("NMEAPortIndex", 99), 2u);
}

TEST_F(ConfigSheetTest, NmeaSheetCancelSendsOnlyTheOpeningQuery) {
    openBoard();
    {
        CNmeaOutputSheet sheet(rig->context());
        sheet.show();
        EXPECT_EQ(sheet.outputPage()->portList()->currentText(), "COM1");
        press(sheet, QDialogButtonBox::Cancel);
    }
    EXPECT_EQ(link->received(), Sentences({"$PQVXQ,PRT,C"}));
    EXPECT_EQ(rig->settings.readDword("NMEAPortIndex", 99), 0u);
}

// No storage card: the recorder never starts. The confirmation wait runs on the worker
// while the window's timers go on, then the message comes, after the busy cursor.
TEST_F(ConfigSheetTest, TroubleshootSheetReportsARecordingThatDidNotStart) {
    BoardConfig config;
    config.timeScale = 0.01;
    config.storageCardPresent = false;
    openBoard(config);
    CTroubleshootSheet sheet(rig->context());
    CTroubleshootPage& page = *sheet.troubleshootPage();
    page.setConfirmWaitMs(1000);
    sheet.show();
    EXPECT_FALSE(page.debugOutputBox()->isChecked());
    EXPECT_TRUE(page.storageList()->isEnabled());
    page.debugOutputBox()->setChecked(true);
    page.storageList()->setCurrentIndex(1);
    test::saveScreenshot(sheet, "troubleshoot-board");

    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(50);
    link->board.clearLog();
    press(sheet, QDialogButtonBox::Ok);
    EXPECT_GE(ticks, 15);
    EXPECT_EQ(link->received(),
              Sentences({"$PQVXS,MEM,1", "$PQVXS,ATL,ON", "$PQVXQ,ATL", "$PQVXS,ATL,OFF"}));
    EXPECT_EQ(rig->prompts.texts(), QStringList({"Error recording debug data"}));
    EXPECT_EQ(rig->prompts.busyAtPrompt(), std::vector<bool>({false}));
    EXPECT_EQ(sheet.result(), QDialog::Accepted);
}

TEST_F(ConfigSheetTest, TroubleshootSheetCancelSendsOnlyTheOpeningQueries) {
    openBoard();
    CTroubleshootSheet sheet(rig->context());
    sheet.show();
    sheet.troubleshootPage()->debugOutputBox()->setChecked(true);
    press(sheet, QDialogButtonBox::Cancel);
    EXPECT_EQ(link->received(), Sentences({"$PQVXQ,ATL", "$PQVXQ,MEM"}));
}
