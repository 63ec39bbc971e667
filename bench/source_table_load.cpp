// LoadSourceTable for a caster of 3,000 stations, seen from the program: the two commands,
// the ~400 KiB table block over a pty, its framing and copy, and the parse into stations.
#include <benchmark/benchmark.h>
#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <string>
#include <thread>

#include "platform/PseudoTerminal.h"
#include "receiver/CInternalReceiver.h"
#include "receiver/StationList.h"
#include "receiver/link/Checksum.h"

using namespace quorrel;

namespace {

std::string tableBlock(int stations) {
    std::string block = "$PQVXR,NTR,TBL\r\nSOURCETABLE 200 OK\r\nServer: bench\r\n\r\n";
    for (int i = 0; i < stations; ++i)
        block += "STR;MNT" + std::to_string(i) + ";Somewhere near town " + std::to_string(i) +
                 ";RTCM 3.2;1004(1),1006(10),1012(1),1033(10);2;GPS+GLO+GAL;NETWORK;DEU;" +
                 std::to_string(47 + i % 8) + ".12;" + std::to_string(6 + i % 9) +
                 ".34;1;1;sNTRIP;none;B;N;9600;misc\r\n";
    return block + "ENDSOURCETABLE\r\n";
}

// The board's side of the pty: answers the opening's queries, acknowledges every command,
// reports the table fetched at once and hands it over when asked.
class TableBoard {
public:
    TableBoard(PseudoTerminal& pty, std::string table)
        : m_pty(pty), m_table(std::move(table)), m_thread([this] { run(); }) {}
    ~TableBoard() {
        m_stop = true;
        m_thread.join();
    }

private:
    std::string answer(const std::string& line) const {
        if (line == "$PQVXQ,PRT") return withChecksum("PQVXR,PRT,A,8");
        if (line == "$PQVXQ,NPT") return withChecksum("PQVXR,NPT,1,0");
        if (line == "$PQVXS,NTR,LOD") return "$PQVXR,ACK\r\n" + withChecksum("PQVXR,NTR,OK");
        if (line == "$PQVXQ,NTR,TBL") return m_table;
        return "$PQVXR,ACK\r\n";
    }

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
                const std::string reply = answer(pending.substr(0, end));
                pending.erase(0, end + 2);
                for (std::size_t sent = 0; sent < reply.size();) {
                    const ssize_t w =
                        ::write(m_pty.masterFd(), reply.data() + sent, reply.size() - sent);
                    if (w <= 0) return;
                    sent += std::size_t(w);
                }
            }
        }
    }

    PseudoTerminal& m_pty;
    std::string m_table;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

void BM_LoadSourceTableOverSerial(benchmark::State& state) {
    PseudoTerminal pty;
    const std::string table = tableBlock(int(state.range(0)));
    TableBoard board(pty, table);
    CInternalReceiver receiver;
    if (!receiver.Open(std::u16string(pty.slavePath().begin(), pty.slavePath().end()))) {
        state.SkipWithError("the receiver did not open");
        return;
    }
    StationList stations;
    for (auto _ : state) {
        if (!receiver.LoadSourceTable(stations)) state.SkipWithError("the load failed");
        benchmark::DoNotOptimize(stations.count());
    }
    receiver.Close();
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(table.size()));
    state.counters["stations"] = double(stations.count());
}
BENCHMARK(BM_LoadSourceTableOverSerial)->Arg(3000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
