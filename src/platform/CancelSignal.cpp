#include "platform/CancelSignal.h"

#include <chrono>

namespace quorrel {

void CancelSignal::cancel() {
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        m_cancelled = true;
    }
    m_changed.notify_all();
}

void CancelSignal::clear() {
    std::lock_guard<std::mutex> guard(m_mutex);
    m_cancelled = false;
}

bool CancelSignal::isCancelled() const {
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_cancelled;
}

bool CancelSignal::sleep(int ms) const {
    std::unique_lock<std::mutex> lock(m_mutex);
    if (ms > 0)
        m_changed.wait_for(lock, std::chrono::milliseconds(ms), [this] { return m_cancelled; });
    return !m_cancelled;
}

}  // namespace quorrel
