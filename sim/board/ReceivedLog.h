#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace quorrel {

struct ReceivedSentence {
    std::chrono::steady_clock::time_point time;
    std::string text;  // as received, without CR LF
};

// Every line the board received at its listening rate, with its arrival time. Thread-safe:
// the simulator's loop adds, tests read and wait.
class ReceivedLog {
public:
    static constexpr std::size_t kLimit = 100000;

    void add(std::string text);
    void clear();
    std::vector<ReceivedSentence> entries() const;
    // Lines that begin with `prefix` ("$" optional).
    std::size_t count(const std::string& prefix) const;
    // Waits until a line beginning with `prefix` is in the log; nothing after `timeoutMs`.
    std::optional<ReceivedSentence> waitFor(const std::string& prefix, int timeoutMs) const;

private:
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_added;
    std::vector<ReceivedSentence> m_entries;
};

}  // namespace quorrel
