#pragma once

#include <chrono>
#include <cstdint>
#include <thread>

namespace quorrel {

// Milliseconds since an arbitrary start, never going backwards (the tick count).
inline std::uint32_t tickCountMs() {
    using namespace std::chrono;
    return static_cast<std::uint32_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

inline void sleepMs(int ms) {
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace quorrel
