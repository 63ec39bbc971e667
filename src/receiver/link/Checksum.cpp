#include "receiver/link/Checksum.h"

#include <cstdio>
#include <cstring>

namespace quorrel {
namespace {

int upperHexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

// Eight bytes at a time, then the eight lanes folded into one: XOR does not care in which
// order the bytes meet, so this holds whatever the byte order of the machine.
std::uint8_t xorChecksum(const char* first, const char* last) {
    std::uint64_t lanes = 0;
    for (; last - first >= 8; first += 8) {
        std::uint64_t word;
        std::memcpy(&word, first, sizeof word);
        lanes ^= word;
    }
    lanes ^= lanes >> 32;
    lanes ^= lanes >> 16;
    lanes ^= lanes >> 8;
    auto sum = static_cast<std::uint8_t>(lanes);
    for (; first < last; ++first)
        sum ^= static_cast<std::uint8_t>(*first);
    return sum;
}

bool checksumOk(const char* sentence, std::size_t length) {
    // "*HH\r\n": the star is the fifth character from the end.
    if (length < 5 || sentence[length - 5] != '*') return true;
    const int high = upperHexValue(sentence[length - 4]);
    const int low = upperHexValue(sentence[length - 3]);
    if (high < 0 || low < 0) return false;
    const char* star = sentence + length - 5;
    const char* first = sentence[0] == '$' ? sentence + 1 : sentence;
    return xorChecksum(first, star) == (high << 4 | low);
}

std::string withChecksum(const std::string& body) {
    char tail[8];
    std::snprintf(tail, sizeof tail, "*%02X\r\n",
                  xorChecksum(body.data(), body.data() + body.size()));
    return "$" + body + tail;
}

}  // namespace quorrel
