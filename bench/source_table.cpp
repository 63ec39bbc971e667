// Parsing the source table of a large caster (3,000 stations, about 300 KiB).
#include <benchmark/benchmark.h>

#include <string>

#include "receiver/StationList.h"

using namespace quorrel;

static void BM_ParseSourceTable(benchmark::State& state) {
    std::string text = "SOURCETABLE 200 OK\r\nServer: bench\r\n\r\n";
    for (int i = 0; i < state.range(0); ++i)
        text += "STR;MNT" + std::to_string(i) + ";Somewhere near town " + std::to_string(i) +
                ";RTCM 3.2;1004(1),1006(10),1012(1),1033(10);2;GPS+GLO+GAL;NETWORK;DEU;" +
                std::to_string(47 + i % 8) + ".12;" + std::to_string(6 + i % 9) +
                ".34;1;1;sNTRIP;none;B;N;9600;misc\r\n";
    text += "ENDSOURCETABLE\r\n";
    StationList stations;
    for (auto _ : state) {
        parseSourceTable(text.c_str(), stations);
        benchmark::DoNotOptimize(stations.count());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(text.size()));
    state.counters["stations"] = double(stations.count());
}
BENCHMARK(BM_ParseSourceTable)->Arg(3000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
