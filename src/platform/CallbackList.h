#pragma once

#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <thread>

namespace quorrel {

// Callbacks that one thread runs and others add and remove at any time. Once remove()
// returns, that callback is not running and never runs again; a callback may remove itself.
// A callback must not wait for the thread that removes it.
class CallbackList {
public:
    // Returns the id for remove(), never 0.
    int add(std::function<void()> callback);
    void remove(int id);
    // Runs every callback present, one after the other, on the calling thread.
    void runAll();

private:
    std::mutex m_mutex;
    std::condition_variable m_finished;
    std::map<int, std::function<void()>> m_callbacks;
    int m_nextId = 1;
    int m_runningId = 0;  // the callback runAll() is in, 0 when none
    std::thread::id m_runningThread;
};

}  // namespace quorrel
