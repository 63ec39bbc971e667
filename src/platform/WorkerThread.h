#pragma once

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>

#include "platform/Runnable.h"

namespace quorrel {

// Runs a Runnable on a thread of its own from construction. Destroying the object neither
// stops nor waits for the thread: the owner requests the stop and waits for the end first.
class WorkerThread {
public:
    static constexpr int kInfinite = -1;

    explicit WorkerThread(Runnable& runnable);
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;
    ~WorkerThread();

    void requestStop() { m_runnable.requestStop(); }
    // True when the thread ended within `timeoutMs` (kInfinite waits without limit).
    bool waitForEnd(int timeoutMs);
    bool isRunning() const;
    // The result of run(), once the thread has ended.
    std::uint32_t exitCode() const;

private:
    struct State {
        std::mutex mutex;
        std::condition_variable ended;
        bool finished = false;
        std::uint32_t exitCode = 0;
    };

    Runnable& m_runnable;
    std::shared_ptr<State> m_state;  // shared with the thread, which may outlive this object
};

}  // namespace quorrel
