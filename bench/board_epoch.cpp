// What one epoch of the simulated board costs: at 20 Hz the whole epoch (sky, solution and
// every sentence) must fit many times into its 50 ms.
#include <benchmark/benchmark.h>

#include <string>

#include "sim/board/Board.h"
#include "sim/board/SkyModel.h"

using namespace quorrel;

namespace {

class CountingOutput : public BoardOutput {
public:
    void send(std::string bytes, OutputKind) override {
        bytesOut += bytes.size();
        ++sentences;
    }
    std::size_t bytesOut = 0;
    std::size_t sentences = 0;
};

constexpr std::int64_t kUtc = 1773491696000LL;

}  // namespace

static void BM_EpochWithEveryMessage(benchmark::State& state) {
    BoardConfig config;
    config.startWithFix = true;
    CountingOutput out;
    Board board(config, out);
    board.start(0, kUtc);
    for (const char* name : {"GGA", "GLL", "GSA", "GSV", "GST", "RMC", "RRE", "VTG", "ZDA", "VEC",
                             "A2D", "OBI", "WTI"})
        board.setOutput(0, *messageByName(name), 0.05);
    std::int64_t t = 0;
    for (auto _ : state) {
        t += 50;
        board.advance(t, kUtc + t);
    }
    state.counters["sentences/epoch"] =
        benchmark::Counter(double(out.sentences) / double(state.iterations()));
    state.counters["bytes/epoch"] =
        benchmark::Counter(double(out.bytesOut) / double(state.iterations()));
}
BENCHMARK(BM_EpochWithEveryMessage);

static void BM_SkyOfOneEpoch(benchmark::State& state) {
    SkyModel sky;
    sky.setReceiver({48.14, 11.58, 560});
    double t = kUtc / 1000.0;
    for (auto _ : state) {
        t += 0.05;
        benchmark::DoNotOptimize(sky.visible(t, TrackingOptions{}));
    }
}
BENCHMARK(BM_SkyOfOneEpoch);

static void BM_QueryAndReply(benchmark::State& state) {
    BoardConfig config;
    CountingOutput out;
    Board board(config, out);
    board.start(0, kUtc);
    for (auto _ : state)
        board.handleLine("$PQVXQ,NMO,A");
}
BENCHMARK(BM_QueryAndReply);

BENCHMARK_MAIN();
