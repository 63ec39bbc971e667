#include <gtest/gtest.h>

#include <QLabel>
#include <memory>

#include "StatusScreenshots.h"
#include "platform/Clock.h"
#include "receiver/external/CExternalNmeaReceiver.h"
#include "receiver/external/Utf16Text.h"
#include "sim/module/ModuleSimulator.h"
#include "ui/status/CPositionPage.h"
#include "ui/status/CSatellitesPage.h"
#include "ui/status/CSignalBarCtrl.h"
#include "ui/status/CSignalPage.h"
#include "ui/status/CSkyPlotCtrl.h"

using namespace quorrel;

namespace {

// The status sheet on the SiRF module driver, the simulated module on the other end of a
// pseudo-terminal, with every wait shortened.
class StatusSheetModuleTest : public ::testing::Test {
protected:
    void start(const SimScenario& scenario = {}) {
        ModuleSimConfig config;
        config.baudRate = CExternalNmeaReceiver::kBinaryBaudRate;
        config.protocol = ModuleProtocol::Binary;
        config.epochMs = 40;
        config.scenario = scenario;
        module = std::make_unique<ModuleSimulator>(config);
        ASSERT_TRUE(module->start());
        ExternalTimeouts timeouts;
        timeouts.acknowledgementMs = 1000;
        timeouts.navigationParametersMs = 1000;
        timeouts.dataSeenMs = 200;
        timeouts.protocolSwitchMs = 100;
        timeouts.settleMs = 20;
        timeouts.readMs = 100;
        timeouts.epochMs = 300;
        receiver.SetTimeouts(timeouts);
        ASSERT_TRUE(receiver.Open(utf8ToUtf16(module->devicePath())));
        sheet = std::make_unique<CGnssStatusSheet>(&receiver, nullptr);
        sheet->show();
        sheet->setActivePage(1);
        sheet->setActivePage(2);
        sheet->setActivePage(0);
    }
    void TearDown() override {
        sheet.reset();
        receiver.Close();
        if (module) module->stop();
    }
    // Waits until the driver has published satellites, then runs one tick of every page.
    void tickWhenSkyArrived() {
        SatelliteTable table{};
        for (int waited = 0; receiver.GetSatellites(table) == 0 && waited < 3000; waited += 20)
            sleepMs(20);
        receiver.IsEpochAvailable();
        sheet->positionPage()->tick();
        sheet->satellitesPage()->tick();
        sheet->signalPage()->tick();
    }
    QString value(CPositionPage::Row row) const {
        return sheet->positionPage()->value(row)->text();
    }
    bool shown(CPositionPage::Row row) const {
        return !sheet->positionPage()->value(row)->isHidden();
    }

    std::unique_ptr<ModuleSimulator> module;
    CExternalNmeaReceiver receiver;
    std::unique_ptr<CGnssStatusSheet> sheet;
};

}  // namespace

TEST_F(StatusSheetModuleTest, ShowsTheModulesFixSkyAndSignal) {
    start();
    tickWhenSkyArrived();
    EXPECT_EQ(value(CPositionPage::kLatitude), QString::fromUtf8("046°29'53.83392\"N"));
    EXPECT_EQ(value(CPositionPage::kLongitude), QString::fromUtf8("007°34'2.68212\"E"));
    EXPECT_EQ(value(CPositionPage::kAltitude), "1390.580 m");
    const SimScenario scenario;
    const SimEpochSky sky =
        epochSky(scenario, module->settings().navigationMaskTenths, module->sbasOn(), false);
    EXPECT_EQ(value(CPositionPage::kSatellites), QString::number(sky.used.size()));
    EXPECT_FALSE(shown(CPositionPage::kHrms));  // no FLOAT or FIXED from the module
    EXPECT_FALSE(shown(CPositionPage::kTimeToFixed));

    // Every satellite of the sky on the plot, marked by whether the fix uses it.
    const PlotEntries& drawn = sheet->satellitesPage()->plot()->model().drawn();
    for (const SimSatellite& s : scenario.satellites) {
        const auto it = std::find_if(drawn[0].begin(), drawn[0].end(),
                                     [&](const PlotEntry& e) { return e.prn == s.prn; });
        ASSERT_NE(it, drawn[0].end()) << s.prn;
        EXPECT_NEAR(it->elevationDeg, s.elevationDeg, 1.0) << s.prn;
        EXPECT_NEAR(it->azimuthDeg, s.azimuthDeg, 1.0) << s.prn;
        const bool used = std::count(sky.used.begin(), sky.used.end(), s.prn) != 0;
        EXPECT_EQ(it->markerId, used ? 142 : 141) << s.prn;
    }
    const auto withSignal = std::count_if(scenario.satellites.begin(), scenario.satellites.end(),
                                          [](const SimSatellite& s) { return s.cn0DbHz > 0; });
    const SignalChartLayout& chart = sheet->signalPage()->chart()->lastLayout();
    EXPECT_EQ(chart.bands.at(1).texts.at(0).text, QStringLiteral("GPS: %1").arg(withSignal));

    saveScreenshots(*sheet, QStringLiteral("status-module"));
}

TEST_F(StatusSheetModuleTest, ModuleWithoutAFixShowsZeros) {
    SimScenario scenario;
    scenario.satellites.resize(3);  // too few for a fix
    start(scenario);
    tickWhenSkyArrived();
    SatelliteTable table{};
    ASSERT_GT(receiver.GetSatellites(table), 0);
    EXPECT_EQ(value(CPositionPage::kLatitude), QString::fromUtf8("000°00'0.00000\"N"));
    EXPECT_EQ(value(CPositionPage::kLongitude), QString::fromUtf8("000°00'0.00000\"E"));
    EXPECT_EQ(value(CPositionPage::kAltitude), "0.000 m");
    EXPECT_EQ(value(CPositionPage::kPdop), "0.0");
    EXPECT_EQ(value(CPositionPage::kSatellites), "0");
    EXPECT_FALSE(shown(CPositionPage::kStatus));
}
