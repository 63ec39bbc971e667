#include "platform/CallbackList.h"

#include <vector>

namespace quorrel {

int CallbackList::add(std::function<void()> callback) {
    std::lock_guard<std::mutex> guard(m_mutex);
    const int id = m_nextId++;
    m_callbacks.emplace(id, std::move(callback));
    return id;
}

void CallbackList::remove(int id) {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_callbacks.erase(id);
    // A callback removing itself must not wait for its own end.
    m_finished.wait(
        lock, [&] { return m_runningId != id || m_runningThread == std::this_thread::get_id(); });
}

void CallbackList::runAll() {
    std::vector<int> ids;
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        for (const auto& entry : m_callbacks)
            ids.push_back(entry.first);
    }
    for (const int id : ids) {
        std::function<void()> callback;
        {
            // Looked up again: it may have been removed since the list was taken.
            std::lock_guard<std::mutex> guard(m_mutex);
            const auto it = m_callbacks.find(id);
            if (it == m_callbacks.end()) continue;
            callback = it->second;
            m_runningId = id;
            m_runningThread = std::this_thread::get_id();
        }
        callback();
        {
            std::lock_guard<std::mutex> guard(m_mutex);
            m_runningId = 0;
            m_runningThread = {};
        }
        m_finished.notify_all();
    }
}

}  // namespace quorrel
