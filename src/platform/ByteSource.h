#pragma once

#include <cstddef>
#include <cstdint>

namespace quorrel {

// Where the sentence reader and the frame assembler get their bytes: a serial port in the
// program, memory in tests and fuzzers.
class ByteSource {
public:
    virtual ~ByteSource() = default;

    // Reads up to `length` bytes, waiting at most `timeoutMs` for the first one. Returns true
    // with `got` = 0 when nothing came in time; false only when the source failed or vanished.
    virtual bool read(std::uint8_t* buffer, std::size_t length, std::size_t& got,
                      int timeoutMs) = 0;
};

}  // namespace quorrel
