#include <gtest/gtest.h>

#include <QLabel>
#include <QTabBar>

#include "receiver/CGnssReceiver.h"
#include "ui/kit/Resources.h"
#include "ui/kit/StringIds.h"
#include "ui/status/CGnssStatusSheet.h"
#include "ui/status/CPositionPage.h"
#include "ui/status/CSatellitesPage.h"
#include "ui/status/CSignalBarCtrl.h"
#include "ui/status/CSignalPage.h"
#include "ui/status/CSkyPlotCtrl.h"

using namespace quorrel;

namespace {

// A receiver that implements nothing beyond what every receiver must: the interface's own
// defaults (no position, no satellites, no baseline, no time to FIXED).
class BareReceiver : public CGnssReceiver {
public:
    explicit BareReceiver(int deviceClass) : m_deviceClass(deviceClass) {}
    int GetDeviceClass() override { return m_deviceClass; }
    void SetDeviceClass(int deviceClass) override { m_deviceClass = deviceClass; }

private:
    int m_deviceClass;
};

QString text(const CPositionPage& page, CPositionPage::Row row) {
    return page.value(row)->text();
}
bool shown(const CPositionPage& page, CPositionPage::Row row) {
    return !page.label(row)->isHidden() && !page.value(row)->isHidden();
}

}  // namespace

TEST(StatusSheet, ThreePagesInOrderAndOnlyOk) {
    BareReceiver receiver(kBoardDeviceClass);
    CGnssStatusSheet sheet(&receiver, nullptr);
    ASSERT_EQ(sheet.pageCount(), 3);
    EXPECT_EQ(sheet.page(0), sheet.positionPage());
    EXPECT_EQ(sheet.page(1)->title(), "Satellites");
    EXPECT_EQ(sheet.page(2)->title(), "Signal");
    EXPECT_EQ(sheet.positionPage()->title(), "Position");
    EXPECT_TRUE(sheet.windowTitle().isEmpty());
    sheet.show();
    EXPECT_TRUE(sheet.positionPage()->isInitialised());
    EXPECT_FALSE(sheet.satellitesPage()->isInitialised());
}

TEST(StatusSheet, EachPageRefreshesEverySecondFromItsOpeningUntilTheSheetCloses) {
    BareReceiver receiver(kBoardDeviceClass);
    CGnssStatusSheet sheet(&receiver, nullptr);
    sheet.show();
    EXPECT_TRUE(sheet.positionPage()->refreshTimer().isActive());
    EXPECT_EQ(sheet.positionPage()->refreshTimer().interval(), 1000);
    EXPECT_FALSE(sheet.satellitesPage()->refreshTimer().isActive());
    EXPECT_EQ(sheet.satellitesPage()->plot(), nullptr);

    sheet.findChild<QTabBar*>()->setCurrentIndex(1);
    sheet.findChild<QTabBar*>()->setCurrentIndex(2);
    for (const CPropertyPage* page : {static_cast<CPropertyPage*>(sheet.positionPage()),
                                      static_cast<CPropertyPage*>(sheet.satellitesPage())})
        EXPECT_TRUE(page->isHidden());
    EXPECT_TRUE(sheet.positionPage()->refreshTimer().isActive());
    EXPECT_TRUE(sheet.satellitesPage()->refreshTimer().isActive());
    EXPECT_EQ(sheet.signalPage()->refreshTimer().interval(), 1000);
    EXPECT_TRUE(sheet.signalPage()->refreshTimer().isActive());

    sheet.accept();
    EXPECT_FALSE(sheet.positionPage()->refreshTimer().isActive());
    EXPECT_FALSE(sheet.satellitesPage()->refreshTimer().isActive());
    EXPECT_FALSE(sheet.signalPage()->refreshTimer().isActive());
}

TEST(PositionPage, OpeningShowsTheReceiversValuesInTheBoldValueFont) {
    BareReceiver receiver(kBoardDeviceClass);
    CPropertySheet sheet;
    auto* owned = new CPositionPage(&receiver, QLocale(QLocale::German, QLocale::Germany));
    const CPositionPage& page = *owned;
    sheet.addPage(owned);
    sheet.show();
    const QFont font = page.value(CPositionPage::kTimeToFixed)->font();
    EXPECT_EQ(font.family(), "Arial");
    EXPECT_EQ(font.pixelSize(), 13);
    EXPECT_TRUE(font.bold());
    EXPECT_FALSE(page.label(CPositionPage::kLatitude)->font().bold());
    EXPECT_EQ(page.label(CPositionPage::kTimeToFixed)->text(), "Time to FIXED:");
    EXPECT_EQ(text(page, CPositionPage::kLatitude), QString::fromUtf8("000°00'0.00000\"N"));
    EXPECT_EQ(text(page, CPositionPage::kAltitude), "0.000 m");
    EXPECT_EQ(text(page, CPositionPage::kSatellites), "0");
    EXPECT_FALSE(shown(page, CPositionPage::kStatus));
    EXPECT_FALSE(shown(page, CPositionPage::kBaseline));
    EXPECT_FALSE(shown(page, CPositionPage::kTimeToFixed));
}

TEST(PositionPage, UnitsComeFromTheLocale) {
    BareReceiver receiver(0);
    CPositionPage us(&receiver, QLocale(QLocale::English, QLocale::UnitedStates));
    us.tick();
    EXPECT_TRUE(us.usUnits());
    EXPECT_EQ(text(us, CPositionPage::kAltitude), "0.000 ft");
    CPositionPage uk(&receiver, QLocale(QLocale::English, QLocale::UnitedKingdom));
    EXPECT_FALSE(uk.usUnits());
}

TEST(PositionPage, HiddenRowsKeepTheirLastTexts) {
    BareReceiver receiver(kBoardDeviceClass);
    CPositionPage page(&receiver);
    PositionSnapshot fixed;
    fixed.deviceClass = kBoardDeviceClass;
    fixed.position.solutionType = 5;
    fixed.position.correctionAge = 3;
    fixed.wtiSeconds = 75;
    page.showRows(formatPosition(fixed, false));
    EXPECT_TRUE(shown(page, CPositionPage::kStatus));
    EXPECT_TRUE(shown(page, CPositionPage::kAge));
    EXPECT_TRUE(shown(page, CPositionPage::kHrms));
    EXPECT_TRUE(shown(page, CPositionPage::kTimeToFixed));
    EXPECT_EQ(text(page, CPositionPage::kTimeToFixed), "2 min");
    page.tick();  // the bare receiver: autonomous-less, no age, no WTI
    EXPECT_FALSE(shown(page, CPositionPage::kStatus));
    EXPECT_FALSE(shown(page, CPositionPage::kAge));
    EXPECT_FALSE(shown(page, CPositionPage::kVrms));
    EXPECT_FALSE(shown(page, CPositionPage::kTimeToFixed));
    EXPECT_EQ(text(page, CPositionPage::kStatus), "FIXED");
    EXPECT_EQ(text(page, CPositionPage::kAge), "3 sec");
    EXPECT_EQ(text(page, CPositionPage::kTimeToFixed), "2 min");
}

TEST(SatellitesAndSignalPages, ReceiverWithoutSatellitesShowsEmptyGridAndGpsZero) {
    BareReceiver receiver(kBoardDeviceClass);
    CGnssStatusSheet sheet(&receiver, nullptr);
    sheet.resize(300, 400);
    sheet.show();
    sheet.setActivePage(1);
    sheet.setActivePage(2);
    sheet.satellitesPage()->tick();
    sheet.signalPage()->tick();
    CSkyPlotCtrl* plot = sheet.satellitesPage()->plot();
    ASSERT_NE(plot, nullptr);
    EXPECT_GT(plot->width(), 100);
    EXPECT_EQ(plot->model().groupMask(), kShowGps | kShowGlonassSbas);
    EXPECT_EQ(plot->model().style().spokeStepDeg, 45);
    CSignalBarCtrl* chart = sheet.signalPage()->chart();
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->model().rowMask(), kShowRow0 | kShowRow1);
    ASSERT_EQ(chart->lastLayout().bands.size(), 2u);
    EXPECT_EQ(chart->lastLayout().bands[1].texts.at(0).text, "GPS: 0");
    EXPECT_EQ(chart->size(), sheet.signalPage()->size());
}

// A language file replaces texts by number; the pages take theirs from the table.
TEST(StatusSheet, PageTextsComeFromTheStringTable) {
    struct Restore {
        ~Restore() {
            Resources::instance().addBuiltinText(kStrLatitudeLabel, "Latitude:");
            Resources::instance().addBuiltinText(kStrSignalPage, "Signal");
        }
    } restore;
    Resources::instance().addBuiltinText(kStrLatitudeLabel, "Breite:");
    Resources::instance().addBuiltinText(kStrSignalPage, "Signalstärke");
    BareReceiver receiver(kBoardDeviceClass);
    CGnssStatusSheet sheet(&receiver);
    EXPECT_EQ(sheet.positionPage()->label(CPositionPage::kLatitude)->text(), "Breite:");
    EXPECT_EQ(sheet.signalPage()->title(), QString::fromUtf8("Signalstärke"));
}
