#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quorrel {

// The board's firmware writes and reads the "*HH" of a sentence itself: the XOR of every
// character between "$" and "*", as two upper-case hexadecimal digits.

// XOR of the characters of `body`.
std::uint8_t nmeaChecksum(std::string_view body);

// "$" + body + "*HH" CR LF.
std::string sealSentence(std::string_view body);

// 0–15 for "0"–"9" and "A"–"F", -1 for anything else (lower case included).
int upperHexDigit(char c);

// Takes a trailing "*HH" off `body` (the sentence without "$" and line end). False when a "*"
// is there but the digits are not its checksum; a body without "*" has nothing to check.
bool takeChecksum(std::string_view& body);

}  // namespace quorrel
