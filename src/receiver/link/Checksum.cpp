#include "receiver/link/Checksum.h"

#include <cstdio>

namespace quorrel {
namespace {

int upperHexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::uint8_t xorChecksum(const char* first, const char* last) {
    std::uint8_t sum = 0;
    for (const char* p = first; p < last; ++p)
        sum ^= static_cast<std::uint8_t>(*p);
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
