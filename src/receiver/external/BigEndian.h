#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quorrel {

// The binary protocol sends every multi-byte field most significant byte first.

inline std::uint16_t readU16(const std::uint8_t* p) {
    return std::uint16_t((p[0] << 8) | p[1]);
}
inline std::int16_t readS16(const std::uint8_t* p) {
    return std::int16_t(readU16(p));
}
inline std::uint32_t readU32(const std::uint8_t* p) {
    return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) |
           std::uint32_t(p[3]);
}
inline std::int32_t readS32(const std::uint8_t* p) {
    return std::int32_t(readU32(p));
}

// Appends big-endian fields to a payload under construction.
class PayloadWriter {
public:
    explicit PayloadWriter(std::uint8_t messageId) { m_bytes.push_back(messageId); }

    PayloadWriter& u8(std::uint32_t value) {
        m_bytes.push_back(std::uint8_t(value));
        return *this;
    }
    PayloadWriter& u16(std::uint32_t value) {
        m_bytes.push_back(std::uint8_t(value >> 8));
        m_bytes.push_back(std::uint8_t(value));
        return *this;
    }
    PayloadWriter& u32(std::uint32_t value) {
        for (int shift = 24; shift >= 0; shift -= 8)
            m_bytes.push_back(std::uint8_t(value >> shift));
        return *this;
    }
    PayloadWriter& zeros(std::size_t count) {
        m_bytes.insert(m_bytes.end(), count, 0);
        return *this;
    }
    const std::vector<std::uint8_t>& bytes() const { return m_bytes; }

private:
    std::vector<std::uint8_t> m_bytes;
};

}  // namespace quorrel
