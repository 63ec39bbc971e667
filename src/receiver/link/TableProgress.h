#pragma once

#include <atomic>
#include <cstddef>

namespace quorrel {

// How much of the source-table block in arrival the reader has taken: its bytes and its
// "STR" lines, updated at each line end. Written by the reader thread, read by the thread
// that waits for the table (which sets both to 0 before it asks for one).
struct TableProgress {
    std::atomic<std::size_t> bytes{0};
    std::atomic<std::size_t> stations{0};
};

}  // namespace quorrel
