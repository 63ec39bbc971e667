#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace quorrel {

// Ctrl-C and SIGTERM as a request to finish: the program then closes the receiver properly
// (output off, settings restored) instead of dying between two sentences. Construct it before
// any other thread starts: it blocks both signals for the calling thread, and so for every
// thread started later, and waits for them on a thread of its own. A second signal ends the
// process at once.
class InterruptWatcher {
public:
    InterruptWatcher();
    ~InterruptWatcher();
    InterruptWatcher(const InterruptWatcher&) = delete;
    InterruptWatcher& operator=(const InterruptWatcher&) = delete;

    // Runs on the watcher's thread at the first signal, e.g. to cancel a baud-rate search.
    void setOnInterrupt(std::function<void()> onInterrupt);
    bool interrupted() const { return m_signal.load() != 0; }
    // The signal that came (0: none yet).
    int signalNumber() const { return m_signal.load(); }
    // Sleeps up to `ms`; false when a signal came first.
    bool sleep(int ms);

private:
    void watch();

    int m_signalFd = -1;
    int m_stopFd = -1;
    std::atomic<int> m_signal{0};
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::function<void()> m_onInterrupt;
    std::thread m_thread;
};

}  // namespace quorrel
