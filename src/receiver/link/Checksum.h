#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace quorrel {

// True when the sentence has no checksum, or when its "*HH" (upper-case hex) equals the XOR
// of the characters between "$" and "*". `length` counts the whole sentence with CR LF.
bool checksumOk(const char* sentence, std::size_t length);

// XOR of the characters in [first, last).
std::uint8_t xorChecksum(const char* first, const char* last);

// "$" + body + "*HH\r\n" with the checksum of body.
std::string withChecksum(const std::string& body);

}  // namespace quorrel
