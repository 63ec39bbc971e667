#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/Event.h"
#include "platform/Lock.h"
#include "platform/WorkerThread.h"

using namespace quorrel;

namespace {

class CountingBody : public Runnable {
public:
    std::uint32_t run() override {
        while (!stop.load()) {
            ++loops;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        done = true;
        return 7;
    }
    void requestStop() override { stop = true; }

    std::atomic<bool> stop{false};
    std::atomic<int> loops{0};
    std::atomic<bool> done{false};
};

}  // namespace

TEST(Event, IsAutoResetAndStartsNonSignalled) {
    Event event;
    EXPECT_FALSE(event.wait(0));
    event.set();
    EXPECT_TRUE(event.wait(0));
    EXPECT_FALSE(event.wait(10));  // the first wait consumed the signal
}

TEST(Event, ResetClearsAPendingSignal) {
    Event event;
    event.set();
    event.reset();
    EXPECT_FALSE(event.wait(0));
}

TEST(Event, WakesAWaiterOnAnotherThread) {
    Event event;
    std::thread setter([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        event.set();
    });
    EXPECT_TRUE(event.wait(5000));
    setter.join();
}

TEST(Event, ClosingFailsCurrentAndLaterWaits) {
    Event event;
    std::atomic<bool> result{true};
    std::thread waiter([&] { result = event.wait(-1); });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    event.close();
    waiter.join();
    EXPECT_FALSE(result);
    event.set();
    EXPECT_FALSE(event.wait(0));
}

TEST(Lock, IsReentrantForItsHolder) {
    Lock lock;
    lock.lock();
    lock.lock();
    lock.unlock();
    lock.unlock();
    std::atomic<bool> taken{false};
    std::thread other([&] {
        LockGuard guard(lock);
        taken = true;
    });
    other.join();
    EXPECT_TRUE(taken);
}

TEST(WorkerThread, RunsTheBodyUntilAskedToStop) {
    CountingBody body;
    WorkerThread thread(body);
    EXPECT_TRUE(thread.isRunning());
    EXPECT_FALSE(thread.waitForEnd(20));
    thread.requestStop();
    EXPECT_TRUE(thread.waitForEnd(WorkerThread::kInfinite));
    EXPECT_FALSE(thread.isRunning());
    EXPECT_EQ(thread.exitCode(), 7u);
    EXPECT_GT(body.loops.load(), 0);
}

TEST(WorkerThread, DestroyingTheObjectLeavesTheThreadRunning) {
    CountingBody body;
    { WorkerThread thread(body); }
    const int before = body.loops.load();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_GT(body.loops.load(), before);
    body.requestStop();
    while (!body.done)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}
