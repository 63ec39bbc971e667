#pragma once

#include <atomic>

#include "platform/ByteSource.h"

namespace quorrel {

// Reads another source in short slices, so that a stop request ends a silent wait within one
// slice instead of one whole read time-out. The caller's time-out keeps its meaning: a read
// comes back empty only after that long without a byte (or at once when stopped).
class InterruptibleSource : public ByteSource {
public:
    static constexpr int kSliceMs = 100;

    InterruptibleSource(ByteSource& inner, const std::atomic<bool>& stop, int sliceMs = kSliceMs)
        : m_inner(inner), m_stop(stop), m_sliceMs(sliceMs) {}

    bool read(std::uint8_t* buffer, std::size_t length, std::size_t& got, int timeoutMs) override;

private:
    ByteSource& m_inner;
    const std::atomic<bool>& m_stop;
    int m_sliceMs;
};

}  // namespace quorrel
