// One refresh tick of each status page with a full table of 32 satellites: what the page
// computes and paints into its back buffer (or, for the position page, into an image).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>

#include "ui/status/CPositionPage.h"
#include "ui/status/CSignalBarCtrl.h"
#include "ui/status/CSkyPlotCtrl.h"
#include "ui/status/PositionView.h"

using namespace quorrel;

namespace {

constexpr QSize kPageSize(260, 300);

// 32 satellites of all groups; `shift` turns every azimuth, so each tick moves them all.
SatelliteTable fullTable(int shift) {
    static constexpr int kPrns[kSatelliteSlots] = {1,  2,  3,  5,  6,  7,  9,   10,  12,  13, 15,
                                                   17, 19, 21, 24, 26, 28, 30,  65,  66,  67, 70,
                                                   72, 75, 78, 81, 84, 88, 120, 124, 126, 133};
    SatelliteTable table{};
    for (int i = 0; i < kSatelliteSlots; ++i)
        table[i] = SatelliteEntry{kPrns[i], 5 + (i * 7) % 85, (i * 41 + shift) % 360,
                                  i % 9 == 0 ? 0 : 25 + (i * 3) % 27, i % 4 != 0};
    return table;
}

void BM_SkyPlotTick(benchmark::State& state) {
    CSkyPlotCtrl plot;
    plot.resize(kPageSize);
    plot.setGroupMask(kShowGps | kShowGlonassSbas);
    plot.setPlotStyle(satellitesPageStyle());
    const SatelliteTable tables[2] = {fullTable(0), fullTable(1)};
    int tick = 0;
    for (auto _ : state) {
        // Every satellite moves: each tick erases and redraws all of them.
        plot.setEntries(buildPlotEntries(tables[tick++ & 1], kSatelliteSlots), true);
        benchmark::DoNotOptimize(plot.backBuffer().constBits());
    }
}
BENCHMARK(BM_SkyPlotTick)->Unit(benchmark::kMicrosecond);

void BM_SkyPlotFullRepaint(benchmark::State& state) {
    CSkyPlotCtrl plot;
    plot.resize(kPageSize);
    plot.setGroupMask(kShowGps | kShowGlonassSbas);
    plot.setPlotStyle(satellitesPageStyle());
    plot.setEntries(buildPlotEntries(fullTable(0), kSatelliteSlots), true);
    for (auto _ : state) {
        plot.repaintAll();
        benchmark::DoNotOptimize(plot.backBuffer().constBits());
    }
}
BENCHMARK(BM_SkyPlotFullRepaint)->Unit(benchmark::kMicrosecond);

void BM_SignalChartTick(benchmark::State& state) {
    CSignalBarCtrl chart;
    chart.resize(kPageSize);
    chart.setRowMask(kShowRow0 | kShowRow1);
    const SatelliteTable tables[2] = {fullTable(0), fullTable(1)};
    int tick = 0;
    for (auto _ : state) {
        chart.setSatellites(tables[tick++ & 1], kSatelliteSlots);
        chart.redrawNow();
        benchmark::DoNotOptimize(chart.backBuffer().constBits());
    }
}
BENCHMARK(BM_SignalChartTick)->Unit(benchmark::kMicrosecond);

void BM_PositionPageTick(benchmark::State& state) {
    CPositionPage page(nullptr, QLocale(QLocale::English, QLocale::UnitedStates));
    page.resize(kPageSize);
    QImage image(kPageSize, QImage::Format_RGB32);
    PositionSnapshot snapshot;
    snapshot.deviceClass = kBoardDeviceClass;
    snapshot.position = PositionRecord{};
    snapshot.position.latitude = 48.137154;
    snapshot.position.longitude = 11.576124;
    snapshot.position.ellipsoidHeight = 519.3;
    snapshot.position.satellitesUsed = 28;
    snapshot.position.pdop = 1.4f;
    snapshot.position.solutionType = 5;
    snapshot.position.correctionAge = 1;
    snapshot.baselineM = 1523.25f;
    snapshot.wtiSeconds = 42;
    int tick = 0;
    for (auto _ : state) {
        snapshot.position.latitude += (tick++ & 1) ? 1e-7 : -1e-7;
        page.showRows(formatPosition(snapshot, page.usUnits()));
        page.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_PositionPageTick)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
