#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quorrel {

// A binary message under construction: the ID, then fields most significant byte first.
class ModulePayload {
public:
    explicit ModulePayload(std::uint8_t id) : m_bytes{id} {}

    ModulePayload& u8(std::uint32_t value) { return put(value, 1); }
    ModulePayload& u16(std::uint32_t value) { return put(value, 2); }
    ModulePayload& u32(std::uint32_t value) { return put(value, 4); }
    ModulePayload& zeros(std::size_t count) {
        m_bytes.resize(m_bytes.size() + count, 0);
        return *this;
    }
    const std::vector<std::uint8_t>& bytes() const { return m_bytes; }

private:
    ModulePayload& put(std::uint32_t value, int width) {
        for (int byte = width - 1; byte >= 0; --byte)
            m_bytes.push_back(std::uint8_t(value >> (8 * byte)));
        return *this;
    }

    std::vector<std::uint8_t> m_bytes;
};

// A two-byte field of a received command, most significant byte first.
inline std::uint16_t commandWord(const std::uint8_t* field) {
    return std::uint16_t(field[0] << 8 | field[1]);
}

}  // namespace quorrel
