// LoadSourceTable end to end: the program asks the simulated board, whose NTRIP client
// fetches a 3,000-station table from the loopback test caster and hands it over the pty;
// the program frames, copies and parses it into stations.
#include <benchmark/benchmark.h>

#include <string>

#include "receiver/CInternalReceiver.h"
#include "receiver/StationList.h"
#include "sim/board/BoardSimulator.h"
#include "support/LoopbackCaster.h"

using namespace quorrel;

namespace {

void BM_LoadSourceTableFromCaster(benchmark::State& state) {
    test::LoopbackCaster caster;
    caster.setSourceTableLines(test::stationLines(int(state.range(0)), 47.0, 6.0));
    BoardConfig config;
    config.timeScale = 0.01;  // the modem's start-up in hundredths
    BoardSimulator board(config);
    CInternalReceiver receiver;
    const std::string& path = board.devicePath();
    if (!caster.start() || !board.start() ||
        !receiver.Open(std::u16string(path.begin(), path.end())) ||
        !receiver.SetModemGprsProtocol(0) || !receiver.InitializeModem() ||
        !receiver.SetNtripParameters(u"127.0.0.1", caster.port(), u"", u"", 0)) {
        state.SkipWithError("the board or the caster did not come up");
        return;
    }
    StationList stations;
    for (auto _ : state) {
        if (!receiver.LoadSourceTable(stations)) state.SkipWithError("the load failed");
        benchmark::DoNotOptimize(stations.count());
    }
    receiver.Close();
    state.counters["stations"] = double(stations.count());
}
BENCHMARK(BM_LoadSourceTableFromCaster)->Arg(3000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
