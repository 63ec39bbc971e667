#include "platform/Event.h"

#include <chrono>

namespace quorrel {

void Event::set() {
    std::lock_guard<std::mutex> guard(m_mutex);
    if (m_closed) return;
    m_signalled = true;
    m_changed.notify_one();
}

void Event::reset() {
    std::lock_guard<std::mutex> guard(m_mutex);
    m_signalled = false;
}

bool Event::wait(int timeoutMs) {
    std::unique_lock<std::mutex> lock(m_mutex);
    auto ready = [this] { return m_signalled || m_closed; };
    if (timeoutMs < 0)
        m_changed.wait(lock, ready);
    else if (!m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), ready))
        return false;
    if (m_closed) return false;
    m_signalled = false;
    return true;
}

void Event::close() {
    std::lock_guard<std::mutex> guard(m_mutex);
    m_closed = true;
    m_signalled = false;
    m_changed.notify_all();
}

bool Event::isClosed() const {
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_closed;
}

}  // namespace quorrel
