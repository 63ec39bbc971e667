#pragma once

#include <condition_variable>
#include <mutex>

namespace quorrel {

// An auto-reset event, created non-signalled. A successful wait consumes the signal.
// After close() every wait returns false at once, so a waiter never outlives the event's use.
class Event {
public:
    void set();
    void reset();
    // True only when the event was signalled within `timeoutMs` (negative: no limit).
    bool wait(int timeoutMs);
    void close();
    bool isClosed() const;

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_signalled = false;
    bool m_closed = false;
};

}  // namespace quorrel
