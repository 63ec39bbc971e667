// The real UHF radio sheet offscreen on the simulated board's radio, with every receiver
// sequence on the receiver worker; and the hub's row 0 opening it. With
// QUORREL_SCREENSHOT_DIR set they also draw the pictures in docs/screenshots.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "UhfTestSupport.h"
#include "support/QtPrinting.h"
#include "support/ScreenRig.h"
#include "support/Screenshots.h"
#include "ui/kit/Resources.h"
#include "ui/kit/StringIds.h"
#include "ui/link/CDiffModeSheet.h"
#include "ui/link/CRealTimeDiffPage.h"
#include "ui/link/CUhfConfigSheet.h"
#include "ui/link/CUhfRadioPage.h"
#include "ui/link/CUhfSettingsPage.h"

using namespace quorrel;
using namespace quorrel::test;

namespace {

using Sentences = std::vector<std::string>;

void press(CPropertySheet& sheet, QDialogButtonBox::StandardButton which) {
    sheet.findChild<QDialogButtonBox*>()->button(which)->click();
}

QStringList items(const QComboBox& list) {
    QStringList texts;
    for (int i = 0; i < list.count(); ++i)
        texts << list.itemText(i);
    return texts;
}

// Picks `text` in `list` as the user does, so the page hears of it.
void choose(QComboBox& list, const QString& text) {
    const int row = list.findText(text);
    ASSERT_GE(row, 0) << text.toStdString();
    list.setCurrentIndex(row);
    emit list.activated(row);
}

// Runs `act` on the UHF sheet once it is up and its Radio page has read the radio.
void whenRadioRead(ScreenRig& rig, std::function<void(CUhfConfigSheet&)> act) {
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, [&rig, act, poll] {
        auto* sheet = qobject_cast<CUhfConfigSheet*>(QApplication::activeModalWidget());
        if (!sheet || !sheet->radioPage()->isInitialised() || rig.prompts.busyDepth() > 0) return;
        poll->stop();
        poll->deleteLater();
        act(*sheet);
    });
    poll->start(10);
}

// The sheet as the hub opens it, on a board with its radio where the test put it.
class UhfSheetTest : public ::testing::Test {
protected:
    void open(const RadioAt& radio, int radioFlag) {
        board = std::make_unique<RadioBoard>(radio);
        ASSERT_TRUE(board->opened);
        rig = std::make_unique<ScreenRig>(*board->link.receiver);
        sheet = std::make_unique<CUhfConfigSheet>(
            rig->context(), resText(kStrUhfRadioSettings),
            UhfConfigLogic(radioFlag, 1, RadioBoard::kDetectWaitMs));
        sheet->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(sheet.get()));
    }
    CUhfRadioPage& radio() { return *sheet->radioPage(); }
    CUhfSettingsPage& settings() { return *sheet->settingsPage(); }
    Sentences takeSent() {
        const Sentences sent = board->received();
        board->link.board.clearLog();
        return sent;
    }

    std::unique_ptr<RadioBoard> board;
    std::unique_ptr<ScreenRig> rig;  // after the board: it goes first
    std::unique_ptr<CUhfConfigSheet> sheet;
};

}  // namespace

TEST_F(UhfSheetTest, AdlRadioOnPortBIsSetUpAndOkSendsItsParameters) {
    open(RadioAt{'B', "ADL", 5}, 0);
    EXPECT_EQ(sheet->windowTitle(), "UHF Radio Settings");
    EXPECT_EQ(takeSent(), Sentences({"$PQVXS,RDP,ON", "$PQVXQ,RDP,TYP,B", "$PQVXQ,PRT,B"}));
    EXPECT_EQ(radio().typeList()->count(), 6) << "no Corvalen without the radio flag";
    EXPECT_EQ(radio().typeList()->currentText(), "Pacific Crest ADL");
    EXPECT_EQ(radio().baudList()->currentText(), "38400");
    saveScreenshot(*sheet, "uhf-radio-adl");

    // A rate the user picks goes out with the type, like one a type brings.
    choose(*radio().baudList(), "19200");
    ASSERT_TRUE(sheet->setActivePage(1));
    EXPECT_EQ(takeSent(), Sentences({"$PQVXS,RDP,TYP,B,ADL", "$PQVXS,PRT,B,6", "$PQVXQ,RDP,PAR,B",
                                     "$PQVXQ,RDP,CHT,B"}));
    CUhfSettingsPage& page = settings();
    EXPECT_EQ(page.channelList()->count(), 32);
    EXPECT_EQ(page.channelList()->itemText(0), "1");
    EXPECT_EQ(page.channelList()->currentText(), "5") << "the channel the radio reported";
    EXPECT_EQ(items(*page.speedList()), QStringList({"4800", "8000", "9600", "16000", "19200"}));
    EXPECT_EQ(page.speedList()->currentText(), "9600");
    EXPECT_EQ(page.protocolList()->currentText(), "TRIMTALK");
    EXPECT_EQ(page.sensitivityText()->text(), "Medium");
    EXPECT_TRUE(page.turnOnBox()->isVisible());
    EXPECT_TRUE(page.turnOnBox()->isChecked()) << "opening the Radio page powered it";
    saveScreenshot(*sheet, "uhf-settings-adl");

    page.sensitivitySlider()->setValue(2);
    EXPECT_EQ(page.sensitivityText()->text(), "High");
    choose(*page.channelList(), "12");
    press(*sheet, QDialogButtonBox::Ok);
    EXPECT_EQ(sheet->result(), QDialog::Accepted);
    EXPECT_EQ(takeSent(), Sentences({"$PQVXS,RDP,ON", "$PQVXS,RDP,PAR,B,ADL,12,,1,9600,HIG"}));
    EXPECT_TRUE(rig->prompts.texts().isEmpty());
}

TEST_F(UhfSheetTest, CancelAfterBothPagesSendsNothingMore) {
    open(RadioAt{'D', "PDL", 3}, 1);
    EXPECT_EQ(takeSent(), Sentences({"$PQVXS,RDP,ON", "$PQVXS,RDP,TYP,D,UNKNOWN",
                                     "$PQVXQ,RDP,PAR,D", "$PQVXQ,PRT,D"}));
    EXPECT_EQ(radio().typeList()->count(), 7);
    EXPECT_EQ(radio().typeList()->currentText(), "Pacific Crest PDL");
    saveScreenshot(*sheet, "uhf-radio-pdl");

    ASSERT_TRUE(sheet->setActivePage(1));
    EXPECT_EQ(takeSent(),
              Sentences({"$PQVXS,RDP,TYP,D,PDL", "$PQVXQ,RDP,PAR,D", "$PQVXQ,RDP,CHT,D"}));
    EXPECT_EQ(settings().channelList()->currentText(), "3");
    EXPECT_EQ(items(*settings().speedList()), QStringList({"4800", "9600", "19200"}));
    saveScreenshot(*sheet, "uhf-settings-pdl");

    // Back on the Radio page a license-free type brings 9600 baud with it.
    ASSERT_TRUE(sheet->setActivePage(0));
    choose(*radio().typeList(), "License Free Europe");
    EXPECT_EQ(radio().baudList()->currentText(), "9600");
    press(*sheet, QDialogButtonBox::Cancel);
    EXPECT_EQ(sheet->result(), QDialog::Rejected);
    EXPECT_TRUE(takeSent().empty());
}

TEST_F(UhfSheetTest, OstrelSpeedsFollowTheProtocolAndUnreadableParametersKeepThePageShut) {
    open(RadioAt{'D', "MDL"}, 1);
    ASSERT_TRUE(sheet->setActivePage(1));
    CUhfSettingsPage& page = settings();
    choose(*page.speedList(), "7600");
    choose(*page.protocolList(), "KTRX");
    EXPECT_EQ(items(*page.speedList()), QStringList({"4800"}));
    choose(*page.protocolList(), "Transparent");
    EXPECT_EQ(items(*page.speedList()), QStringList({"4800", "7600", "9600"}));
    EXPECT_EQ(page.speedList()->currentText(), "4800");

    ASSERT_TRUE(sheet->setActivePage(0));
    board->link.board.ignore("PQVXQ,RDP,PAR");
    EXPECT_FALSE(sheet->setActivePage(1));
    EXPECT_EQ(sheet->activeIndex(), 0);
    EXPECT_EQ(rig->prompts.texts(),
              QStringList({"Unable to read radio parameters from receiver!"}));
    board->link.board.clearLog();
    press(*sheet, QDialogButtonBox::Ok);
    EXPECT_EQ(sheet->result(), QDialog::Accepted);
    EXPECT_TRUE(takeSent().empty()) << "no baud change, parameters not read";
}

// Row 0 of the hub runs the sheet; after OK the hub tears the other links down.
TEST(UhfFromTheHub, OkOnTheSheetEndsInTheRadioTearDown) {
    RadioBoard board(RadioAt{'B', "LFA"});
    ASSERT_TRUE(board.opened);
    ScreenRig rig(*board.link.receiver);
    CDiffModeSheet hub(rig.context());
    hub.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&hub));
    QString typeShown;
    whenRadioRead(rig, [&](CUhfConfigSheet& sheet) {
        typeShown = sheet.radioPage()->typeList()->currentText();
        press(sheet, QDialogButtonBox::Ok);
    });
    board.link.board.clearLog();
    hub.diffPage()->actionButton()->click();
    EXPECT_EQ(typeShown, "License Free America");
    const Sentences sent = board.received();
    ASSERT_GE(sent.size(), 3u);
    EXPECT_EQ(sent[1], "$PQVXQ,RDP,TYP,B") << "the hub's external-receiver flag is 0";
    EXPECT_EQ(sent.back(), "$PQVXS,MDM,OFF");
}
