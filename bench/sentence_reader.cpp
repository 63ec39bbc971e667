// Reader and classifier throughput over memory, the reader against a plain split-and-XOR
// loop in the same run, and the CPU a reader costs on a live pty.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <atomic>
#include <chrono>
#include <ctime>
#include <string>
#include <thread>
#include <vector>

#include "platform/MemoryByteSource.h"
#include "platform/PseudoTerminal.h"
#include "platform/SerialPort.h"
#include "receiver/link/Checksum.h"
#include "receiver/link/SentenceReader.h"

using namespace quorrel;

namespace {

std::string epoch(int second) {
    char time[16];
    std::snprintf(time, sizeof time, "%02d%02d%02d.00", (second / 3600) % 24, (second / 60) % 60,
                  second % 60);
    const std::string t = time;
    std::string out;
    out += withChecksum("GPGGA," + t +
                        ",4404.1237962,N,12118.8472460,W,4,14,0.8,1132.560,M,-20.300,M,1.0,0001");
    out += withChecksum("GNGSA,A,3,02,05,12,15,18,21,24,25,29,31,,,1.4,0.8,1.1");
    out += withChecksum("GNGSA,A,3,65,66,67,72,73,74,,,,,,,1.4,0.8,1.1");
    out += withChecksum("GPGSV,3,1,10,02,45,123,44,05,12,310,31,12,67,042,47,15,03,275,20");
    out += withChecksum("GPGSV,3,2,10,18,33,095,41,21,25,200,39,24,55,300,45,25,71,010,48");
    out += withChecksum("GPGSV,3,3,10,29,08,150,28,31,40,250,43");
    out += withChecksum("GLGSV,2,1,06,65,30,040,40,66,60,120,45,67,15,210,33,72,45,330,42");
    out += withChecksum("GLGSV,2,2,06,73,20,080,36,74,75,160,47");
    out += withChecksum("GNGST," + t + ",0.010,0.012,0.008,45.0,0.011,0.009,0.020");
    out += withChecksum("GPZDA," + t + ",28,03,2016,00,00");
    out += withChecksum("GPVTG,159.2,T,,M,000.5,N,000.9,K,R");
    out +=
        withChecksum("PQVXR,VEC,3,1,2,-1234.567,2345.678,-345.789,0.01,0.01,0.02,0.0,0.0,0.0,14");
    return out;
}

std::string mixedStream(std::size_t bytes) {
    std::string stream;
    stream.reserve(bytes + 300000);
    stream += "$PQVXR,NTR,TBL\r\nSOURCETABLE 200 OK\r\n";
    for (int i = 0; i < 2000; ++i)
        stream += "STR;MNT" + std::to_string(i) +
                  ";Town;RTCM "
                  "3.2;1004(1),1006(10);2;GPS+GLO;NET;DEU;50.10;8.70;1;1;gen;none;B;N;9600\r\n";
    stream += "ENDSOURCETABLE\r\n";
    for (int s = 0; stream.size() < bytes; ++s) {
        stream += epoch(s);
        stream += "$PQVXR,ACK,NME\r\n";
        stream += withChecksum("PQVXR,PRT,A,8");
    }
    return stream;
}

void BM_ReaderThroughput(benchmark::State& state) {
    static const std::string stream = mixedStream(50u << 20);
    std::vector<char> buffer(SentenceReader::kBufferSize);
    std::atomic<bool> stop{false};
    std::size_t sentences = 0;
    // Filled once: copying 50 MB into the source each time would be timed with the reader.
    MemoryByteSource source(4096);
    source.append(stream);
    for (auto _ : state) {
        source.rewind();
        SentenceReader reader(source, stop);
        SentenceType type;
        while (reader.readSentence(type, buffer.data(), buffer.size()))
            ++sentences;
    }
    benchmark::DoNotOptimize(sentences);
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(stream.size()));
}
BENCHMARK(BM_ReaderThroughput)->Unit(benchmark::kMillisecond)->Iterations(3);

double threadCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec + ts.tv_nsec * 1e-9;
}

// The least any framing can cost: split at LF and XOR every line's bytes. Counts the lines
// whose XOR is zero so that nothing can be left out.
std::size_t splitAndXor(const std::string& bytes) {
    std::size_t zero = 0;
    std::uint8_t sum = 0;
    for (const char c : bytes) {
        if (c == '\n') {
            zero += sum == 0;
            sum = 0;
        } else {
            sum ^= static_cast<std::uint8_t>(c);
        }
    }
    return zero;
}

// Framing with the checksum test of every sentence, as the parsers do it.
std::size_t frameAndCheck(MemoryByteSource& source, std::vector<char>& buffer) {
    source.rewind();
    std::atomic<bool> stop{false};
    SentenceReader reader(source, stop);
    SentenceType type;
    std::size_t passed = 0;
    while (reader.readSentence(type, buffer.data(), buffer.size()))
        passed += checksumOk(buffer.data(), reader.lastLength());
    return passed;
}

// The reader (with the checksum test) against the plain split-and-XOR loop over the same
// bytes in the same run, alternating which goes first: reader_per_baseline is the reader's
// CPU time in units of the loop's, a figure that holds from one machine to another.
void BM_ReaderAgainstPlainSplit(benchmark::State& state) {
    static const std::string stream = mixedStream(50u << 20);
    MemoryByteSource source(4096);
    source.append(stream);
    std::vector<char> buffer(SentenceReader::kBufferSize);
    double readerSeconds = 0;
    double baselineSeconds = 0;
    std::size_t results = 0;
    int round = 0;
    for (auto _ : state) {
        for (int side = 0; side < 2; ++side) {
            const bool reader = (side == 0) == (round % 2 == 0);
            const double before = threadCpuSeconds();
            results += reader ? frameAndCheck(source, buffer) : splitAndXor(stream);
            (reader ? readerSeconds : baselineSeconds) += threadCpuSeconds() - before;
        }
        ++round;
    }
    benchmark::DoNotOptimize(results);
    state.counters["reader_ms"] = 1e3 * readerSeconds / round;
    state.counters["baseline_ms"] = 1e3 * baselineSeconds / round;
    state.counters["reader_per_baseline"] = readerSeconds / baselineSeconds;
}
BENCHMARK(BM_ReaderAgainstPlainSplit)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// A reader consuming a pty fed at 115,200 baud (11,520 bytes a second, written one sentence
// at a time as a receiver's UART would deliver it); reports the reader thread's CPU share.
void BM_ReaderCpuAt115200Baud(benchmark::State& state) {
    const double seconds = double(state.range(0));
    for (auto _ : state) {
        PseudoTerminal pty;
        SerialPort port;
        port.open(pty.slavePath());
        std::atomic<bool> stop{false};
        std::atomic<bool> writing{true};
        std::thread writer([&] {
            const auto start = std::chrono::steady_clock::now();
            std::size_t sent = 0;
            for (int s = 0; writing; ++s) {
                std::string sentences = epoch(s);
                std::size_t from = 0;
                while (from < sentences.size() && writing) {
                    std::size_t to = sentences.find('\n', from) + 1;
                    const std::string line = sentences.substr(from, to - from);
                    if (::write(pty.masterFd(), line.data(), line.size()) < 0) return;
                    sent += line.size();
                    from = to;
                    std::this_thread::sleep_until(
                        start + std::chrono::microseconds(std::int64_t(sent * 1e6 / 11520)));
                }
            }
        });
        std::size_t count = 0;
        double cpu = 0;
        std::thread consumer([&] {
            SentenceReader reader(port, stop);
            std::vector<char> buffer(SentenceReader::kBufferSize);
            SentenceType type;
            const double before = threadCpuSeconds();
            while (reader.readSentence(type, buffer.data(), buffer.size()))
                ++count;
            cpu = threadCpuSeconds() - before;
        });
        std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
        writing = false;
        stop = true;
        writer.join();
        consumer.join();
        port.close();
        state.counters["cpu_percent"] = 100.0 * cpu / seconds;
        state.counters["sentences"] = double(count);
    }
}
BENCHMARK(BM_ReaderCpuAt115200Baud)->Arg(5)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
