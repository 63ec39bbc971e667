#include "platform/InterruptibleSource.h"

#include <algorithm>

namespace quorrel {

// Equal slices keep the serial port's driver timer unchanged from one read to the next.
bool InterruptibleSource::read(std::uint8_t* buffer, std::size_t length, std::size_t& got,
                               int timeoutMs) {
    got = 0;
    int leftMs = std::max(timeoutMs, 0);
    do {
        const int sliceMs = std::min(leftMs, m_sliceMs);
        if (!m_inner.read(buffer, length, got, sliceMs)) return false;
        if (got > 0) return true;
        leftMs -= sliceMs;
    } while (leftMs > 0 && !m_stop.load(std::memory_order_relaxed));
    return true;
}

}  // namespace quorrel
