// What the module driver's reader thread costs: frame assembly and message handling over
// memory, against the 57600-baud line (5760 bytes a second) it has to keep up with.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "platform/MemoryByteSource.h"
#include "receiver/external/ExternalSession.h"
#include "receiver/external/ExternalStatus.h"
#include "receiver/external/RawDataRecorder.h"
#include "receiver/external/SirfFrame.h"
#include "receiver/external/SirfFrameAssembler.h"
#include "receiver/external/SirfParsers.h"
#include "sim/module/ModuleMessages.h"

using namespace quorrel;

namespace {

std::string frameText(const std::vector<std::uint8_t>& payload) {
    const std::vector<std::uint8_t> frame = encodeSirfFrame(payload);
    return std::string(frame.begin(), frame.end());
}

// One simulated second: fix, satellites, clock status and one measurement.
std::string epoch() {
    const SimScenario scenario;
    const SimEpochSky sky = epochSky(scenario, 50, false, false);
    const SimTime time = SimTime::now();
    return frameText(geodeticNavigationPayload(scenario, sky, time)) +
           frameText(measuredTrackerPayload(sky, time)) + frameText(clockStatusPayload(sky, time)) +
           frameText(navigationLibraryPayload(0, sky.tracked[0], time));
}

std::string stream(std::size_t bytes) {
    const std::string one = epoch();
    std::string out;
    while (out.size() < bytes)
        out += one;
    return out;
}

void BM_AssembleFrames(benchmark::State& state) {
    const std::string bytes = stream(1 << 20);
    std::size_t frames = 0;
    for (auto _ : state) {
        MemoryByteSource source(std::size_t(state.range(0)));
        source.append(bytes);
        SirfFrameAssembler assembler(source, 0);
        while (assembler.next() != SirfFrameAssembler::Result::Failed)
            ++frames;
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(bytes.size()));
    benchmark::DoNotOptimize(frames);
}
BENCHMARK(BM_AssembleFrames)->Arg(1)->Arg(64)->Arg(1024);

void BM_ReaderBody(benchmark::State& state) {
    const std::string bytes = stream(1 << 20);
    for (auto _ : state) {
        MemoryByteSource source(1024);
        source.append(bytes);
        ExternalStatus status;
        RawDataRecorder recorder;
        ExternalSession session(source, status, recorder, nullptr, 0);
        session.run();
        benchmark::DoNotOptimize(status.position());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(bytes.size()));
}
BENCHMARK(BM_ReaderBody);

void BM_ParseGeodeticNavigation(benchmark::State& state) {
    const SimScenario scenario;
    const std::vector<std::uint8_t> payload =
        geodeticNavigationPayload(scenario, epochSky(scenario, 50, false, false), SimTime::now());
    GeodeticFix fix;
    for (auto _ : state) {
        parseGeodeticNavigation(payload.data(), payload.size(), 1.5, fix);
        benchmark::DoNotOptimize(fix);
    }
}
BENCHMARK(BM_ParseGeodeticNavigation);

void BM_ParseMeasuredTracker(benchmark::State& state) {
    const SimScenario scenario;
    const SimEpochSky sky = epochSky(scenario, 50, false, false);
    const std::vector<std::uint8_t> payload = measuredTrackerPayload(sky, SimTime::now());
    UsedSatellites used;
    for (int prn : sky.used)
        used.prns[std::size_t(used.count++)] = prn;
    SatelliteTable table;
    int count = 0;
    for (auto _ : state) {
        parseMeasuredTracker(payload.data(), payload.size(), used, table, count);
        benchmark::DoNotOptimize(table);
    }
}
BENCHMARK(BM_ParseMeasuredTracker);

}  // namespace

BENCHMARK_MAIN();
