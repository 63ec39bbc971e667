#pragma once

#include <condition_variable>
#include <mutex>

namespace quorrel {

// Tells a long sequence on one thread to give up, from any other thread; the sequence tests
// it between its steps and sleeps on it, so that a cancel also cuts a sleep short.
class CancelSignal {
public:
    void cancel();
    void clear();
    bool isCancelled() const;
    // Sleeps `ms` unless cancelled first; true when the whole time passed uncancelled.
    bool sleep(int ms) const;

private:
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    bool m_cancelled = false;
};

}  // namespace quorrel
