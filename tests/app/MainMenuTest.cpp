#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "AppTestSupport.h"
#include "app/CAboutQuorrel.h"
#include "app/CMainMenuDlg.h"
#include "support/ModalWindows.h"
#include "support/RecordingPrompts.h"
#include "support/ScreenRig.h"
#include "support/SimulatedReceivers.h"
#include "ui/kit/ConnectionLostBar.h"
#include "ui/link/CDiffModeSheet.h"
#include "ui/link/CRealTimeDiffPage.h"
#include "ui/status/CGnssStatusSheet.h"
#include "ui/status/CPositionPage.h"

using namespace quorrel;
using quorrel::test::BoardLink;
using quorrel::test::ModuleLink;
using quorrel::test::whenModal;

namespace {

QStringList entryTexts(const CMainMenuDlg& menu) {
    QStringList texts;
    for (int i = 0; i < menu.featureList()->count(); ++i)
        texts << menu.featureList()->item(i)->text();
    return texts;
}

void clickEntry(CMainMenuDlg& menu, int row) {
    QListWidget* list = menu.featureList();
    const QRect rect = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
}

void pressEnter(CMainMenuDlg& menu) {
    QTest::keyClick(menu.featureList(), Qt::Key_Return);
}

// Waits, serving events, until `done` holds or `ms` pass.
template <typename Condition>
bool waitFor(Condition done, int ms = 3000) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms)
        QTest::qWait(20);
    return done();
}

class MainMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(link.open());
        rig.link.setPollIntervalMs(50);
    }

    std::unique_ptr<CMainMenuDlg> makeMenu(MainMenuFeatures features = {}) {
        auto menu = std::make_unique<CMainMenuDlg>(rig.context(), std::move(features));
        AppTimings timings;
        timings.powerOffCloseMs = 300;
        menu->setTimings(timings);
        menu->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(menu.get()));
        return menu;
    }

    BoardLink link;
    test::ScreenRig rig{*link.receiver};
    RecordingPrompts& prompts = rig.prompts;
    ScopedPrompts usePrompts{prompts};
};

}  // namespace

TEST_F(MainMenuTest, BoardMenuOffersEightEntriesWithNoneSelected) {
    auto menu = makeMenu();
    EXPECT_EQ(entryTexts(*menu),
              QStringList({"GNSS Settings", "Differential Mode", "NMEA Output", "GNSS Status",
                           "Reset", "Trouble shooting", "About", "Turn off GNSS"}));
    EXPECT_TRUE(menu->featureList()->selectedItems().isEmpty());
    EXPECT_EQ(menu->selectionMark(), -1);
    EXPECT_EQ(menu->windowTitle(), "GNSS Quorrel");
    EXPECT_FALSE(menu->windowIcon().isNull());
    for (int i = 0; i < 8; ++i)
        EXPECT_FALSE(menu->featureList()->item(i)->icon().isNull()) << i;
    // Enter before anything was selected does nothing.
    pressEnter(*menu);
    EXPECT_TRUE(prompts.prompts().empty());
}

TEST(MainMenuModule, ModuleMenuOffersFourEntries) {
    ModuleLink link;
    ASSERT_TRUE(link.open());
    test::ScreenRig rig(*link.receiver, DeviceClass::Code0143);
    CMainMenuDlg menu(rig.context(), {});
    EXPECT_EQ(entryTexts(menu), QStringList({"GNSS Settings", "GNSS Status", "Reset", "About"}));
    test::ScreenRig other0204(*link.receiver, DeviceClass::Code0204);
    CMainMenuDlg other(other0204.context(), {});
    EXPECT_EQ(other.featureList()->count(), 4);
}

TEST_F(MainMenuTest, ClickAndEnterOpenTheSameFeature) {
    QStringList opened;
    MainMenuFeatures features;
    features.gnssStatus = [&](QWidget* parent, const ScreenContext& context) {
        EXPECT_EQ(&context.receiver, link.receiver.get());
        opened << parent->objectName() + "status";
    };
    features.nmeaOutput = [&](QWidget*, const ScreenContext&) { opened << "nmea"; };
    auto menu = makeMenu(features);
    clickEntry(*menu, 3);
    EXPECT_EQ(menu->selectionMark(), 3);
    pressEnter(*menu);
    QTest::keyClick(menu->featureList(), Qt::Key_Left);  // moves to NMEA Output
    pressEnter(*menu);
    EXPECT_EQ(opened, QStringList({"status", "status", "nmea"}));
    // Entries whose screen is not in this build open nothing and say nothing.
    clickEntry(*menu, 0);
    pressEnter(*menu);
    EXPECT_TRUE(prompts.prompts().empty());
}

TEST_F(MainMenuTest, GnssStatusEntryOpensTheStatusSheet) {
    auto menu = makeMenu(programFeatures());
    QString opened;
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* sheet = qobject_cast<CGnssStatusSheet*>(modal)) {
            opened = sheet->metaObject()->className();
            sheet->accept();
        }
    });
    clickEntry(*menu, 3);
    EXPECT_EQ(opened, "quorrel::CGnssStatusSheet");
    EXPECT_TRUE(menu->isVisible());
}

// Each configuration entry opens its sheet captioned with the entry's text; cancelled once it
// has read the receiver, the sheet sends nothing.
TEST_F(MainMenuTest, ConfigurationEntriesOpenTheirSheets) {
    auto menu = makeMenu(programFeatures());
    const struct {
        int row;
        const char* sheetClass;
        const char* caption;
    } entries[] = {
        {0, "quorrel::CGnssSettingSheet", "GNSS Settings"},
        {2, "quorrel::CNmeaOutputSheet", "NMEA Output"},
        {5, "quorrel::CTroubleshootSheet", "Trouble shooting"},
    };
    for (const auto& entry : entries) {
        QString opened, caption;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* sheet = qobject_cast<CPropertySheet*>(QApplication::activeModalWidget());
            if (!sheet || rig.worker.isBusy()) return;
            poll.stop();
            opened = sheet->metaObject()->className();
            caption = sheet->windowTitle();
            sheet->reject();
        });
        poll.start(10);
        clickEntry(*menu, entry.row);
        EXPECT_EQ(opened, entry.sheetClass);
        EXPECT_EQ(caption, entry.caption);
    }
    EXPECT_EQ(link.received("$PQVXS"), std::vector<std::string>());
    EXPECT_TRUE(menu->isVisible());
}

TEST_F(MainMenuTest, AnsweringNoToResetOrPowerOffSendsNothing) {
    auto menu = makeMenu();
    clickEntry(*menu, 4);
    clickEntry(*menu, 7);
    EXPECT_EQ(prompts.texts(), QStringList({"Reset GNSS receiver?", "Power off GNSS receiver?"}));
    QTest::qWait(200);
    EXPECT_EQ(link.received(), std::vector<std::string>());
    EXPECT_TRUE(menu->isVisible());
}

TEST_F(MainMenuTest, ResetReinitialisesAndSwitchesTheOutputBackOn) {
    auto menu = makeMenu();
    prompts.queueAnswer(PromptAnswer::Yes);
    clickEntry(*menu, 4);
    const std::vector<std::string> sent = link.received("$PQVXS,NME,");
    std::vector<std::string> expected;
    for (const char* message : {"GGA", "GSA", "GSV", "GST", "ZDA", "VEC", "VTG"})
        expected.push_back(std::string("$PQVXS,NME,") + message);
    expected.push_back("$PQVXS,NME,WTI");
    expected.push_back("$PQVXS,NME,A2D");
    ASSERT_EQ(sent.size(), expected.size());
    for (std::size_t i = 0; i < sent.size(); ++i)
        EXPECT_EQ(sent[i].rfind(expected[i], 0), 0u) << sent[i];
    const std::vector<std::string> all = link.received();
    ASSERT_GE(all.size(), 2u);
    EXPECT_EQ(all[0].rfind("$PQVXS,INI,1", 0), 0u) << all[0];
    EXPECT_EQ(all[1].rfind("$PQVXQ,PRT", 0), 0u) << all[1];
    EXPECT_EQ(prompts.busyCount(), 1);
    EXPECT_EQ(prompts.busyDepth(), 0);
}

TEST_F(MainMenuTest, ResetWithExternalReceiverFlagLeavesWtiAndA2dOff) {
    auto menu = makeMenu();
    AppSettings settings;
    settings.isExternalGps = true;
    menu->setSettings(settings);
    prompts.queueAnswer(PromptAnswer::Yes);
    clickEntry(*menu, 4);
    EXPECT_EQ(link.received("$PQVXS,NME,").size(), 7u);
    EXPECT_TRUE(link.received("$PQVXS,NME,WTI").empty());
    EXPECT_TRUE(link.received("$PQVXS,NME,A2D").empty());
}

TEST_F(MainMenuTest, SuccessfulPowerOffClosesTheMenuWithOkAfterTheWait) {
    auto menu = makeMenu();
    prompts.queueAnswer(PromptAnswer::Yes);
    QElapsedTimer clock;
    clock.start();
    clickEntry(*menu, 7);
    EXPECT_GE(clock.elapsed(), 300);
    EXPECT_FALSE(menu->isVisible());
    EXPECT_EQ(menu->result(), QDialog::Accepted);
    EXPECT_EQ(link.received("$PQVXS,PWR,OFF").size(), 1u);
    EXPECT_FALSE(link.receiver->IsConnected()) << "the menu closes the receiver as it ends";
    EXPECT_EQ(prompts.texts(), QStringList({"Power off GNSS receiver?"}));
}

TEST_F(MainMenuTest, RefusedPowerOffIsReportedAndTheMenuStays) {
    link.board.nak("PQVXS,PWR,OFF");
    auto menu = makeMenu();
    prompts.queueAnswer(PromptAnswer::Yes);
    clickEntry(*menu, 7);
    EXPECT_EQ(prompts.texts(),
              QStringList({"Power off GNSS receiver?", "Cannot power off the GNSS receiver."}));
    EXPECT_EQ(prompts.busyAtPrompt(), std::vector<bool>({false, false}));
    EXPECT_TRUE(menu->isVisible());
    EXPECT_TRUE(link.receiver->IsConnected());
}

TEST_F(MainMenuTest, DifferentialModeSettingsComeBackOnlyWhenTheSheetEndsWithOk) {
    bool accept = false;
    AppSettings handedIn;
    MainMenuFeatures features;
    features.differentialMode = [&](QWidget*, const ScreenContext&, AppSettings& values) {
        handedIn = values;
        values.ntripMountPoint = QStringLiteral("NEWMNT");
        values.connectNtrip = 1;
        values.isExternalGps = false;
        return accept;
    };
    auto menu = makeMenu(features);
    AppSettings settings;
    settings.ntripAddress = QStringLiteral("caster.example.net");
    settings.ntripMountPoint = QStringLiteral("OLD");
    settings.connectIp = 1;  // never handed in
    settings.isExternalGps = true;
    menu->setSettings(settings);

    clickEntry(*menu, 1);
    EXPECT_EQ(menu->settings(), settings) << "Cancel discards";
    EXPECT_EQ(handedIn.ntripAddress, "caster.example.net");
    EXPECT_EQ(handedIn.connectIp, 0);
    EXPECT_TRUE(handedIn.isExternalGps);

    accept = true;
    pressEnter(*menu);
    EXPECT_EQ(menu->settings().ntripMountPoint, "NEWMNT");
    EXPECT_EQ(menu->settings().connectNtrip, 1);
    EXPECT_EQ(menu->settings().connectIp, 0);
    EXPECT_TRUE(menu->settings().isExternalGps) << "the external flag is the menu's own";
}

TEST_F(MainMenuTest, DifferentialModeEntryOpensTheHubAndTakesItsValuesOnOk) {
    auto menu = makeMenu(programFeatures());
    AppSettings settings;
    settings.ntripMountPoint = QStringLiteral("MNT1");
    settings.networkProtocol = 1;
    settings.connectIp = 1;  // left from the last run: the board has no link up now
    menu->setSettings(settings);
    QString caption;
    QString title = QStringLiteral("unset");
    whenModal<CDiffModeSheet>([&](CDiffModeSheet& sheet) {
        caption = sheet.diffPage()->actionButton()->text();
        title = sheet.windowTitle();
        sheet.accept();
    });
    clickEntry(*menu, 1);
    EXPECT_EQ(caption, "Settings...");
    EXPECT_TRUE(title.isEmpty()) << "the menu gives the sheet no caption";
    EXPECT_EQ(menu->settings().ntripMountPoint, "MNT1");
    EXPECT_EQ(menu->settings().networkProtocol, 1);
    EXPECT_EQ(menu->settings().connectIp, 0);
    EXPECT_EQ(link.received(), std::vector<std::string>({"$PQVXQ,MDM"}));
}

TEST_F(MainMenuTest, TitleBarCloseIsOkEscapeIsCancelAndBothCloseTheReceiver) {
    {
        auto menu = makeMenu();
        menu->close();
        EXPECT_EQ(menu->result(), QDialog::Accepted);
        EXPECT_FALSE(link.receiver->IsConnected());
        EXPECT_FALSE(link.received("$PQVXS,NME,ALL").empty()) << "output off as it closes";
    }
    ASSERT_TRUE(link.open());
    auto menu = makeMenu();
    QTest::keyClick(menu->featureList(), Qt::Key_Escape);
    EXPECT_EQ(menu->result(), QDialog::Rejected);
    EXPECT_FALSE(menu->isVisible());
    EXPECT_FALSE(link.receiver->IsConnected());
}

TEST_F(MainMenuTest, AboutOpensOverTheMenu) {
    auto menu = makeMenu();
    QString shown;
    whenModal<CAboutQuorrel>([&](CAboutQuorrel& about) {
        shown = about.windowTitle();
        about.close();
    });
    clickEntry(*menu, 6);
    EXPECT_EQ(shown, "About GNSS Quorrel");
}

TEST_F(MainMenuTest, LostLinkIsReportedAndReconnectBringsItBack) {
    auto menu = makeMenu();
    std::unique_ptr<BoardLink> replacement;
    bool canReconnect = false;
    menu->setReconnect([&] {
        if (!canReconnect) return false;
        link.receiver->Close();
        replacement = std::make_unique<BoardLink>();
        return link.receiver->Open(replacement->devicePath().toStdU16String());
    });
    EXPECT_FALSE(menu->isConnectionLostShown());
    link.board.unplug();
    ASSERT_TRUE(waitFor([&] { return menu->isConnectionLostShown(); }));

    auto* reconnect = menu->findChild<QPushButton*>("reconnect");
    ASSERT_NE(reconnect, nullptr);
    EXPECT_EQ(reconnect->text(), "Reconnect");
    reconnect->click();
    EXPECT_EQ(prompts.texts(), QStringList({"Cannot connect GPS"}));
    EXPECT_TRUE(menu->isConnectionLostShown());

    canReconnect = true;
    reconnect->click();
    EXPECT_FALSE(menu->isConnectionLostShown());
    EXPECT_TRUE(link.receiver->IsConnected());
    QTest::qWait(150);
    EXPECT_FALSE(menu->isConnectionLostShown());
    menu->reject();
    replacement.reset();
}

// The board goes while the status sheet is open over the menu: the sheet and its page say so
// within two seconds and stop showing the last position; once the sheet closes, the menu
// offers Reconnect.
TEST_F(MainMenuTest, LinkLostUnderAnOpenSheetShowsInTheSheetAndTheMenu) {
    auto menu = makeMenu(programFeatures());
    bool sheetShowedLoss = false, pageShowedLoss = false, positionCleared = false;
    qint64 lossShownAfterMs = -1;
    QElapsedTimer clock;
    whenModal<CGnssStatusSheet>([&](CGnssStatusSheet& sheet) {
        CPositionPage* page = sheet.positionPage();
        ASSERT_TRUE(waitFor([&] {
            page->tick();
            return !page->value(CPositionPage::kLatitude)->text().isEmpty();
        }));
        link.board.unplug();
        clock.start();
        waitFor([&] { return page->isShowingLinkLost(); }, 3000);
        lossShownAfterMs = clock.elapsed();
        sheetShowedLoss = sheet.connectionLostBar() && sheet.connectionLostBar()->isVisible();
        pageShowedLoss = page->isShowingLinkLost();
        positionCleared = page->value(CPositionPage::kLatitude)->text().isEmpty();
        sheet.accept();
    });
    clickEntry(*menu, 3);
    EXPECT_TRUE(sheetShowedLoss);
    EXPECT_TRUE(pageShowedLoss);
    EXPECT_GE(lossShownAfterMs, 0);
    EXPECT_LT(lossShownAfterMs, 2000);
    EXPECT_TRUE(positionCleared) << "the last position stays as if current";
    EXPECT_TRUE(menu->isConnectionLostShown());
    EXPECT_NE(menu->findChild<QPushButton*>("reconnect"), nullptr);
}
