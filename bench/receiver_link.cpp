// What one epoch costs the reader thread, and how soon after the receiver's last byte of
// "$PQVXR,VEC" the status pages learn of the new epoch.
#include <benchmark/benchmark.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <ctime>
#include <string>
#include <thread>
#include <vector>

#include "platform/MemoryByteSource.h"
#include "platform/PseudoTerminal.h"
#include "receiver/CInternalReceiver.h"
#include "receiver/link/Checksum.h"
#include "receiver/link/Classifier.h"
#include "receiver/link/ReceiverSession.h"
#include "receiver/link/SentenceDispatcher.h"
#include "receiver/link/SentenceReader.h"

using namespace quorrel;

namespace {

// GGA, GSA x2, GSV x6, GST, ZDA, VTG and VEC: one epoch of the board's standard output.
std::vector<std::string> epochSentences() {
    return {
        withChecksum("GPGGA,232712.00,4404.1237962,N,12118.8472460,W,4,14,0.8,1132.560,M,"
                     "-20.300,M,1.0,0001"),
        withChecksum("GNGSA,A,3,02,05,12,15,18,21,24,25,29,31,,,1.4,0.8,1.1"),
        withChecksum("GNGSA,A,3,65,66,67,72,73,74,,,,,,,1.4,0.8,1.1"),
        withChecksum("GPGSV,4,1,14,02,45,123,44,05,12,310,31,12,67,042,47,15,03,275,20"),
        withChecksum("GPGSV,4,2,14,18,33,095,41,21,25,200,39,24,55,300,45,25,71,010,48"),
        withChecksum("GPGSV,4,3,14,29,08,150,28,31,40,250,43,33,30,200,40,36,25,160,38"),
        withChecksum("GPGSV,4,4,14,10,05,100,20,13,02,300,18"),
        withChecksum("GLGSV,2,1,06,65,30,040,40,66,60,120,45,67,15,210,33,72,45,330,42"),
        withChecksum("GLGSV,2,2,06,73,20,080,36,74,75,160,47"),
        withChecksum("GNGST,232712.00,0.010,0.012,0.008,45.0,0.011,0.009,0.020"),
        withChecksum("GPZDA,232712.00,28,03,2016,00,00"),
        withChecksum("GPVTG,159.2,T,,M,000.5,N,000.9,K,R"),
        withChecksum("PQVXR,VEC,3,1,2,-1234.567,2345.678,-345.789,0.01,0.01,0.02,0.0,0.0,0.0,14"),
    };
}

// Classifying and parsing one epoch, as the reader thread does after framing (time per
// iteration = time per epoch).
void BM_ParseEpoch(benchmark::State& state) {
    const std::vector<std::string> epoch = epochSentences();
    ReceiverStatus status;
    for (auto _ : state) {
        for (const std::string& s : epoch)
            dispatchSentence(status, classifySentence(s.c_str(), s.size()), s.c_str(), s.size());
        benchmark::DoNotOptimize(status.epochFlag.load());
    }
}
BENCHMARK(BM_ParseEpoch)->Unit(benchmark::kMicrosecond);

// Framing, classifying and parsing one epoch from memory.
void BM_FrameAndParseEpoch(benchmark::State& state) {
    std::string bytes;
    for (const std::string& s : epochSentences())
        bytes += s;
    std::vector<char> buffer(SentenceReader::kBufferSize);
    ReceiverStatus status;
    std::atomic<bool> stop{false};
    for (auto _ : state) {
        MemoryByteSource source;
        source.append(bytes);
        SentenceReader reader(source, stop);
        SentenceType type;
        while (reader.readSentence(type, buffer.data(), buffer.size()))
            dispatchSentence(status, type, buffer.data(), reader.lastLength());
    }
}
BENCHMARK(BM_FrameAndParseEpoch)->Unit(benchmark::kMicrosecond);

// Answers the commands of the receiver's opening and closing on the pty's master side.
class Responder {
public:
    explicit Responder(PseudoTerminal& pty) : m_pty(pty), m_thread([this] { run(); }) {}
    ~Responder() {
        m_stop = true;
        m_thread.join();
    }

private:
    void run() {
        std::string pending;
        char chunk[1024];
        while (!m_stop) {
            pollfd pfd{m_pty.masterFd(), POLLIN, 0};
            if (::poll(&pfd, 1, 10) <= 0) continue;
            const ssize_t n = ::read(m_pty.masterFd(), chunk, sizeof chunk);
            if (n <= 0) continue;
            pending.append(chunk, std::size_t(n));
            for (std::size_t end; (end = pending.find("\r\n")) != std::string::npos;) {
                const std::string line = pending.substr(0, end);
                pending.erase(0, end + 2);
                std::string reply = "$PQVXR,ACK\r\n";
                if (line == "$PQVXQ,PRT") reply = withChecksum("PQVXR,PRT,A,8");
                if (line == "$PQVXQ,NPT") reply = withChecksum("PQVXR,NPT,1,0");
                if (::write(m_pty.masterFd(), reply.data(), reply.size()) < 0) return;
            }
        }
    }

    PseudoTerminal& m_pty;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

// From the last byte of "$PQVXR,VEC" written on the pty to IsEpochAvailable() returning,
// over 1,000 epochs; reports the median and the 99th percentile.
void BM_VecToEpochLatency(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    const std::vector<std::string> epoch = epochSentences();
    std::string leading;
    for (std::size_t i = 0; i + 1 < epoch.size(); ++i)
        leading += epoch[i];
    const std::string& vec = epoch.back();
    for (auto _ : state) {
        PseudoTerminal pty;
        Responder responder(pty);
        CInternalReceiver receiver;
        if (!receiver.Open(std::u16string(pty.slavePath().begin(), pty.slavePath().end()))) {
            state.SkipWithError("the receiver did not open");
            return;
        }
        std::vector<double> latencyUs;
        latencyUs.reserve(1000);
        for (int i = 0; i < 1000; ++i) {
            if (::write(pty.masterFd(), leading.data(), leading.size()) < 0) break;
            std::this_thread::sleep_for(std::chrono::microseconds(200));
            if (::write(pty.masterFd(), vec.data(), vec.size()) < 0) break;
            const auto written = Clock::now();
            if (!receiver.IsEpochAvailable()) continue;
            latencyUs.push_back(
                std::chrono::duration<double, std::micro>(Clock::now() - written).count());
        }
        receiver.Close();
        std::sort(latencyUs.begin(), latencyUs.end());
        if (latencyUs.empty()) continue;
        state.counters["epochs"] = double(latencyUs.size());
        state.counters["median_us"] = latencyUs[latencyUs.size() / 2];
        state.counters["p99_us"] = latencyUs[latencyUs.size() * 99 / 100];
    }
}
BENCHMARK(BM_VecToEpochLatency)->Iterations(1)->Unit(benchmark::kSecond);

double threadCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
}

// The reader thread's CPU share as the program runs it (the session's body, its reads and
// its parsers) on a pty fed at 115,200 baud, one sentence at a time.
void BM_SessionReaderCpuAt115200Baud(benchmark::State& state) {
    const double seconds = double(state.range(0));
    const std::vector<std::string> epoch = epochSentences();
    for (auto _ : state) {
        PseudoTerminal pty;
        SerialPort port;
        port.open(pty.slavePath());
        ReceiverSession session(port);
        std::atomic<bool> writing{true};
        std::thread writer([&] {
            const auto start = std::chrono::steady_clock::now();
            std::size_t sent = 0;
            while (writing) {
                for (const std::string& line : epoch) {
                    if (!writing || ::write(pty.masterFd(), line.data(), line.size()) < 0) break;
                    sent += line.size();
                    std::this_thread::sleep_until(start + std::chrono::microseconds(std::int64_t(
                                                              double(sent) * 1e6 / 11520)));
                }
            }
        });
        double cpu = 0;
        std::thread reader([&] {
            const double before = threadCpuSeconds();
            session.run();
            cpu = threadCpuSeconds() - before;
        });
        std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
        writing = false;
        writer.join();
        session.requestStop();
        reader.join();
        port.close();
        state.counters["cpu_percent"] = 100.0 * cpu / seconds;
    }
}
BENCHMARK(BM_SessionReaderCpuAt115200Baud)->Arg(5)->Iterations(1)->Unit(benchmark::kSecond);

// From a stop request to the end of the reader thread while the receiver is silent (the
// case that bounds how soon a cancelled open or a close returns), over 20 stops at
// staggered moments; reports the mean and the longest.
void BM_SessionReaderStopWhileSilent(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    for (auto _ : state) {
        PseudoTerminal pty;
        SerialPort port;
        port.open(pty.slavePath());
        ReceiverSession session(port);
        std::vector<double> stopMs;
        for (int i = 0; i < 20; ++i) {
            std::thread reader([&] { session.run(); });
            std::this_thread::sleep_for(std::chrono::milliseconds(50 + 47 * i % 1000));
            const auto asked = Clock::now();
            session.requestStop();
            reader.join();
            stopMs.push_back(
                std::chrono::duration<double, std::milli>(Clock::now() - asked).count());
        }
        port.close();
        double sum = 0;
        for (double ms : stopMs)
            sum += ms;
        state.counters["mean_ms"] = sum / double(stopMs.size());
        state.counters["max_ms"] = *std::max_element(stopMs.begin(), stopMs.end());
    }
}
BENCHMARK(BM_SessionReaderStopWhileSilent)->Iterations(1)->Unit(benchmark::kSecond);

// From cancelOpen() to Open returning while the board is silent, at the real waits, then the
// Close that follows; over ten cancels at staggered moments of the first rate's waits.
void BM_CancelOpenLatency(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    for (auto _ : state) {
        std::vector<double> cancelMs;
        std::vector<double> closeMs;
        for (int i = 0; i < 10; ++i) {
            PseudoTerminal pty;
            CInternalReceiver receiver;
            receiver.SetStopOutputOnClose(true);
            std::thread opening([&] {
                receiver.Open(std::u16string(pty.slavePath().begin(), pty.slavePath().end()));
            });
            std::this_thread::sleep_for(std::chrono::milliseconds(150 + 170 * i));
            const auto asked = Clock::now();
            receiver.cancelOpen();
            opening.join();
            const auto closing = Clock::now();
            receiver.Close();
            cancelMs.push_back(std::chrono::duration<double, std::milli>(closing - asked).count());
            closeMs.push_back(
                std::chrono::duration<double, std::milli>(Clock::now() - closing).count());
        }
        double sum = 0;
        for (double ms : cancelMs)
            sum += ms;
        state.counters["cancel_mean_ms"] = sum / double(cancelMs.size());
        state.counters["cancel_max_ms"] = *std::max_element(cancelMs.begin(), cancelMs.end());
        state.counters["close_max_ms"] = *std::max_element(closeMs.begin(), closeMs.end());
    }
}
BENCHMARK(BM_CancelOpenLatency)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
