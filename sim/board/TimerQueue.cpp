#include "sim/board/TimerQueue.h"

#include <algorithm>

namespace quorrel {

void TimerQueue::after(std::int64_t delayMs, Callback callback) {
    m_timers.emplace(m_nowMs + std::max<std::int64_t>(delayMs, 0), std::move(callback));
}

void TimerQueue::runDue(std::int64_t nowMs) {
    m_nowMs = nowMs;
    while (!m_timers.empty() && m_timers.begin()->first <= nowMs) {
        Callback callback = std::move(m_timers.begin()->second);
        m_timers.erase(m_timers.begin());
        callback();
    }
}

std::optional<std::int64_t> TimerQueue::nextDue() const {
    if (m_timers.empty()) return std::nullopt;
    return m_timers.begin()->first;
}

}  // namespace quorrel
