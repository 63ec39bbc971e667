#include "receiver/link/SentenceFields.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace quorrel {
namespace {

enum CharKind : std::uint8_t { kPlain, kComma, kEndOfList };

// What each character means to the splitter, so that it tests each character once.
constexpr std::array<CharKind, 256> kCharKinds = [] {
    std::array<CharKind, 256> kinds{};
    kinds[','] = kComma;
    for (unsigned char c : {'*', '\r', '\n', '\0'})
        kinds[c] = kEndOfList;
    return kinds;
}();

CharKind kindOf(char c) {
    return kCharKinds[static_cast<unsigned char>(c)];
}

}  // namespace

std::size_t fieldLength(const char* p) {
    std::size_t n = 0;
    while (kindOf(p[n]) == kPlain)
        ++n;
    return n;
}

SentenceFields::SentenceFields(const char* sentence, std::size_t length, std::size_t headLength)
    : m_sentence(sentence) {
    // The head must be followed by a comma for there to be any field.
    if (length <= headLength || std::memchr(sentence, '\0', headLength + 1) != nullptr ||
        sentence[headLength] != ',')
        return;
    const char* p = sentence + headLength + 1;
    const char* const end = sentence + length;
    int count = 1;
    m_starts[0] = p;
    for (; p < end; ++p) {
        const CharKind kind = kindOf(*p);
        if (kind == kPlain) continue;
        if (kind == kEndOfList || count == kMaxFields) break;
        m_starts[std::size_t(count++)] = p + 1;
    }
    m_count = count;
}

std::string SentenceFields::text(int n, std::size_t maxLength) const {
    const char* p = at(n);
    const std::size_t length = fieldLength(p);
    return std::string(p, length < maxLength ? length : maxLength);
}

bool SentenceFields::equals(int n, const char* text) const {
    const char* p = at(n);
    const std::size_t length = fieldLength(p);
    return std::strlen(text) == length && std::memcmp(p, text, length) == 0;
}

}  // namespace quorrel
