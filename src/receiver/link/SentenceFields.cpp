#include "receiver/link/SentenceFields.h"

#include <cstring>

namespace quorrel {
namespace {

bool endsList(char c) {
    return c == '*' || c == '\r' || c == '\n' || c == '\0';
}

}  // namespace

std::size_t fieldLength(const char* p) {
    std::size_t n = 0;
    while (p[n] != ',' && !endsList(p[n]))
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
    const char* end = sentence + length;
    m_starts[m_count++] = p;
    for (; p < end && !endsList(*p); ++p) {
        if (*p != ',') continue;
        if (m_count == kMaxFields) break;
        m_starts[m_count++] = p + 1;
    }
}

const char* SentenceFields::at(int n) const {
    if (n < 1 || n > m_count) return "";
    return m_starts[n - 1];
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
