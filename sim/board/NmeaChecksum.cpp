#include "sim/board/NmeaChecksum.h"

namespace quorrel {

std::uint8_t nmeaChecksum(std::string_view body) {
    std::uint8_t sum = 0;
    for (const char c : body)
        sum ^= static_cast<std::uint8_t>(c);
    return sum;
}

std::string sealSentence(std::string_view body) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    const std::uint8_t sum = nmeaChecksum(body);
    std::string sentence;
    sentence.reserve(body.size() + 6);
    sentence += '$';
    sentence += body;
    sentence += '*';
    sentence += kDigits[sum >> 4];
    sentence += kDigits[sum & 0xF];
    sentence += "\r\n";
    return sentence;
}

int upperHexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool takeChecksum(std::string_view& body) {
    const std::size_t star = body.rfind('*');
    if (star == std::string_view::npos) return true;
    if (star + 3 != body.size()) return false;
    const int high = upperHexDigit(body[star + 1]), low = upperHexDigit(body[star + 2]);
    if (high < 0 || low < 0) return false;
    const std::string_view covered = body.substr(0, star);
    if (nmeaChecksum(covered) != (high << 4 | low)) return false;
    body = covered;
    return true;
}

}  // namespace quorrel
