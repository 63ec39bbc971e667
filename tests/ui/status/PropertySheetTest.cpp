#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QPointer>
#include <QPushButton>
#include <QTabBar>
#include <memory>

#include "ui/kit/CPropertyPage.h"
#include "ui/kit/CPropertySheet.h"

using namespace quorrel;

namespace {

// A page that logs its hooks and can refuse them.
class LoggingPage : public CPropertyPage {
public:
    LoggingPage(const QString& name, QStringList* log) : CPropertyPage(name), m_log(log) {}
    bool refuseSetActive = false;
    bool refuseKillActive = false;
    bool refuseApply = false;

protected:
    void onInitPage() override { *m_log << title() + ":init"; }
    bool onSetActive() override {
        *m_log << title() + ":set";
        return !refuseSetActive;
    }
    bool onKillActive() override {
        *m_log << title() + ":kill";
        return !refuseKillActive;
    }
    bool onApply() override {
        *m_log << title() + ":apply";
        return !refuseApply;
    }
    void onCancel() override { *m_log << title() + ":cancel"; }

private:
    QStringList* m_log;
};

class PropertySheetTest : public ::testing::Test {
protected:
    PropertySheetTest() {
        for (const char* name : {"A", "B", "C"}) {
            pages.push_back(new LoggingPage(QString::fromLatin1(name), &log));
            sheet.addPage(pages.back());
        }
    }
    void open() {
        sheet.show();
        log.clear();
    }
    QTabBar* tabs() { return sheet.findChild<QTabBar*>(); }
    QPushButton* button(QDialogButtonBox::StandardButton which) {
        return sheet.findChild<QDialogButtonBox*>()->button(which);
    }

    QStringList log;
    CPropertySheet sheet;
    std::vector<LoggingPage*> pages;
};

}  // namespace

TEST_F(PropertySheetTest, OpensOnTheChosenPageAndInitialisesOnlyIt) {
    sheet.setCaption(QStringLiteral("Settings"));
    EXPECT_TRUE(sheet.setActivePage(1));
    EXPECT_TRUE(log.isEmpty());
    sheet.show();
    EXPECT_EQ(log, QStringList({"B:init", "B:set"}));
    EXPECT_EQ(sheet.activePage(), pages[1]);
    EXPECT_FALSE(pages[0]->isInitialised());
    EXPECT_EQ(sheet.windowTitle(), "Settings");
    EXPECT_EQ(tabs()->currentIndex(), 1);
    EXPECT_EQ(tabs()->tabText(2), "C");
}

TEST_F(PropertySheetTest, SwitchingPagesRunsKillThenInitOnceThenSet) {
    open();
    tabs()->setCurrentIndex(2);
    tabs()->setCurrentIndex(0);
    tabs()->setCurrentIndex(2);
    EXPECT_EQ(log,
              QStringList({"A:kill", "C:init", "C:set", "C:kill", "A:set", "A:kill", "C:set"}));
    EXPECT_EQ(sheet.activePage(), pages[2]);
    EXPECT_TRUE(pages[2]->isVisible());
    EXPECT_FALSE(pages[0]->isVisible());
}

TEST_F(PropertySheetTest, PageThatWillNotLetGoStaysInFront) {
    open();
    pages[0]->refuseKillActive = true;
    tabs()->setCurrentIndex(1);
    EXPECT_EQ(sheet.activePage(), pages[0]);
    EXPECT_EQ(tabs()->currentIndex(), 0);
    EXPECT_FALSE(pages[1]->isInitialised());
    button(QDialogButtonBox::Ok)->click();
    EXPECT_TRUE(sheet.isVisible());  // OK is refused too
}

TEST_F(PropertySheetTest, RefusedActivationReturnsToThePreviousPage) {
    open();
    pages[1]->refuseSetActive = true;
    EXPECT_FALSE(sheet.setActivePage(1));
    EXPECT_EQ(log, QStringList({"A:kill", "B:init", "B:set", "A:set"}));
    EXPECT_EQ(sheet.activePage(), pages[0]);
    EXPECT_EQ(tabs()->currentIndex(), 0);
}

TEST_F(PropertySheetTest, OkAppliesOnlyPagesThatWereShownInTabOrder) {
    open();
    tabs()->setCurrentIndex(2);
    log.clear();
    button(QDialogButtonBox::Ok)->click();
    EXPECT_EQ(log, QStringList({"C:kill", "A:apply", "C:apply"}));
    EXPECT_EQ(sheet.result(), QDialog::Accepted);
    EXPECT_FALSE(sheet.isVisible());
}

TEST_F(PropertySheetTest, FailedApplyKeepsTheSheetOpenOnThatPage) {
    open();
    tabs()->setCurrentIndex(2);
    pages[0]->refuseApply = true;
    log.clear();
    sheet.accept();
    EXPECT_EQ(log, QStringList({"C:kill", "A:apply", "A:set"}));
    EXPECT_TRUE(sheet.isVisible());
    EXPECT_EQ(sheet.activePage(), pages[0]);
}

TEST_F(PropertySheetTest, CancelAndEscapeCancelEveryShownPage) {
    open();
    tabs()->setCurrentIndex(1);
    log.clear();
    button(QDialogButtonBox::Cancel)->click();
    EXPECT_EQ(log, QStringList({"A:cancel", "B:cancel"}));
    EXPECT_EQ(sheet.result(), QDialog::Rejected);
}

TEST_F(PropertySheetTest, ExchangingAPageAtRunTimeKeepsTheOtherOne) {
    open();
    tabs()->setCurrentIndex(2);
    auto* replacement = new LoggingPage(QStringLiteral("D"), &log);
    log.clear();
    sheet.removePage(pages[2]);
    sheet.addPage(replacement);
    // The page in front went away: its neighbour came forward, no kill-active for it.
    EXPECT_EQ(log, QStringList({"B:init", "B:set"}));
    EXPECT_EQ(sheet.pageCount(), 3);
    EXPECT_EQ(sheet.page(2), replacement);
    EXPECT_EQ(tabs()->tabText(2), "D");
    EXPECT_EQ(sheet.activeIndex(), 1);
    EXPECT_EQ(pages[2]->sheet(), nullptr);
    EXPECT_FALSE(pages[2]->isVisible());

    // Put back, it keeps its state and is not initialised again.
    sheet.removePage(replacement);
    sheet.insertPage(2, pages[2]);
    log.clear();
    EXPECT_TRUE(sheet.setActivePage(pages[2]));
    EXPECT_EQ(log, QStringList({"B:kill", "C:set"}));
    log.clear();
    sheet.accept();
    EXPECT_EQ(log, QStringList({"C:kill", "A:apply", "B:apply", "C:apply"}));
}

TEST_F(PropertySheetTest, DeletedPageLeavesItsTab) {
    open();
    delete pages[1];
    EXPECT_EQ(sheet.pageCount(), 2);
    EXPECT_EQ(tabs()->count(), 2);
    EXPECT_EQ(tabs()->tabText(1), "C");
    pages[2]->setTitle(QStringLiteral("Renamed"));
    EXPECT_EQ(tabs()->tabText(1), "Renamed");
    EXPECT_EQ(sheet.activePage(), pages[0]);
}

TEST(PropertySheetOwnership, SheetDestroysItsPagesIncludingRemovedOnes) {
    QStringList log;
    auto sheet = std::make_unique<CPropertySheet>();
    QPointer<CPropertyPage> kept = new LoggingPage(QStringLiteral("A"), &log);
    QPointer<CPropertyPage> removed = new LoggingPage(QStringLiteral("B"), &log);
    sheet->addPage(kept);
    sheet->addPage(removed);
    sheet->removePage(removed);
    sheet.reset();
    EXPECT_TRUE(kept.isNull());
    EXPECT_TRUE(removed.isNull());
}
