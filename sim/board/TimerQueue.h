#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>

namespace quorrel {

// The board's timed events (modem steps, late results) on the simulator's steady clock.
class TimerQueue {
public:
    using Callback = std::function<void()>;

    std::int64_t now() const { return m_nowMs; }
    void setNow(std::int64_t nowMs) { m_nowMs = nowMs; }
    void after(std::int64_t delayMs, Callback callback);
    // Runs, in time order, every callback due by `nowMs`, including ones they add.
    void runDue(std::int64_t nowMs);
    std::optional<std::int64_t> nextDue() const;

private:
    std::multimap<std::int64_t, Callback> m_timers;
    std::int64_t m_nowMs = 0;
};

}  // namespace quorrel
