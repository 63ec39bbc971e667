// Giving up early: sliced reads that honour a stop flag, and callbacks that can be removed
// while they may be running.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>
#include <vector>

#include "platform/CallbackList.h"
#include "platform/InterruptibleSource.h"

using namespace quorrel;
using namespace std::chrono_literals;

namespace {

// Brings one byte on read number `dataOnRead` (1-based; 0: never) and sets the stop flag
// during read number `stopOnRead`; records each read's time-out.
class ScriptedSource : public ByteSource {
public:
    ScriptedSource(int dataOnRead, int stopOnRead, std::atomic<bool>& stop)
        : m_dataOnRead(dataOnRead), m_stopOnRead(stopOnRead), m_stop(stop) {}

    bool read(std::uint8_t* buffer, std::size_t, std::size_t& got, int timeoutMs) override {
        timeouts.push_back(timeoutMs);
        const int n = int(timeouts.size());
        if (n == m_stopOnRead) m_stop = true;
        got = n == m_dataOnRead ? 1 : 0;
        if (got) buffer[0] = 'x';
        return true;
    }

    std::vector<int> timeouts;

private:
    int m_dataOnRead;
    int m_stopOnRead;
    std::atomic<bool>& m_stop;
};

}  // namespace

TEST(InterruptibleSource, WaitsTheWholeTimeInSlicesUnlessDataOrAStopComes) {
    struct Case {
        const char* legend;
        int timeoutMs, dataOnRead, stopOnRead;
        std::vector<int> slices;
        std::size_t got;
    };
    const Case cases[] = {
        {"silence", 1000, 0, 0, std::vector<int>(10, 100), 0},
        {"data in the third slice", 1000, 3, 0, {100, 100, 100}, 1},
        {"stop in the second slice", 1000, 0, 2, {100, 100}, 0},
        {"short time-out", 50, 0, 0, {50}, 0},
        {"uneven time-out", 250, 0, 0, {100, 100, 50}, 0},
        {"no wait", 0, 0, 0, {0}, 0},
    };
    for (const Case& c : cases) {
        std::atomic<bool> stop{false};
        ScriptedSource inner(c.dataOnRead, c.stopOnRead, stop);
        InterruptibleSource source(inner, stop, 100);
        std::uint8_t buffer[4];
        std::size_t got = 9;
        EXPECT_TRUE(source.read(buffer, sizeof buffer, got, c.timeoutMs)) << c.legend;
        EXPECT_EQ(got, c.got) << c.legend;
        EXPECT_EQ(inner.timeouts, c.slices) << c.legend;
    }
}

TEST(CallbackList, RemoveWaitsForTheRunningCallbackWhichThenNeverRunsAgain) {
    CallbackList list;
    std::atomic<bool> inside{false}, release{false};
    std::atomic<int> finished{0}, other{0};
    const int id = list.add([&] {
        inside = true;
        while (!release)
            std::this_thread::sleep_for(1ms);
        ++finished;
    });
    list.add([&] { ++other; });
    std::thread runner([&] { list.runAll(); });
    while (!inside)
        std::this_thread::sleep_for(1ms);
    auto removal = std::async(std::launch::async, [&] {
        list.remove(id);
        return finished.load();
    });
    EXPECT_EQ(removal.wait_for(100ms), std::future_status::timeout) << "returned while it ran";
    release = true;
    EXPECT_EQ(removal.get(), 1);
    runner.join();
    list.runAll();
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(other, 2);
}

TEST(CallbackList, CallbackMayRemoveItself) {
    CallbackList list;
    int calls = 0;
    int id = 0;
    id = list.add([&] {
        ++calls;
        list.remove(id);
    });
    list.runAll();
    list.runAll();
    EXPECT_EQ(calls, 1);
}
