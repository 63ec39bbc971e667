#pragma once

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/ByteSource.h"

namespace quorrel {

// Bytes handed in by the caller, read out through the byte-source seam; empty reads come
// back at once with nothing, so an assembler over it returns Idle when all is consumed.
class QueueByteSource : public ByteSource {
public:
    void push(const std::uint8_t* bytes, std::size_t length) {
        m_bytes.insert(m_bytes.end(), bytes, bytes + length);
    }

    bool read(std::uint8_t* buffer, std::size_t length, std::size_t& got, int) override {
        got = std::min(length, m_bytes.size() - m_offset);
        std::memcpy(buffer, m_bytes.data() + m_offset, got);
        m_offset += got;
        if (m_offset == m_bytes.size()) {
            m_bytes.clear();
            m_offset = 0;
        }
        return true;
    }

private:
    std::vector<std::uint8_t> m_bytes;
    std::size_t m_offset = 0;
};

}  // namespace quorrel
