#include "sim/board/ReceivedLog.h"

#include <algorithm>

namespace quorrel {
namespace {

bool beginsWith(const std::string& text, const std::string& prefix) {
    const std::size_t skip =
        (!prefix.empty() && prefix[0] != '$' && !text.empty() && text[0] == '$') ? 1 : 0;
    return text.compare(skip, prefix.size(), prefix) == 0;
}

}  // namespace

void ReceivedLog::add(std::string text) {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        // A board left running for days must not grow without end; the oldest half goes.
        if (m_entries.size() >= kLimit)
            m_entries.erase(m_entries.begin(), m_entries.begin() + kLimit / 2);
        m_entries.push_back({std::chrono::steady_clock::now(), std::move(text)});
    }
    m_added.notify_all();
}

void ReceivedLog::clear() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_entries.clear();
}

std::vector<ReceivedSentence> ReceivedLog::entries() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_entries;
}

std::size_t ReceivedLog::count(const std::string& prefix) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return std::count_if(m_entries.begin(), m_entries.end(),
                         [&](const ReceivedSentence& e) { return beginsWith(e.text, prefix); });
}

std::optional<ReceivedSentence> ReceivedLog::waitFor(const std::string& prefix,
                                                     int timeoutMs) const {
    std::unique_lock<std::mutex> lock(m_mutex);
    std::optional<ReceivedSentence> found;
    m_added.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] {
        for (const ReceivedSentence& e : m_entries)
            if (beginsWith(e.text, prefix)) {
                found = e;
                return true;
            }
        return false;
    });
    return found;
}

}  // namespace quorrel
