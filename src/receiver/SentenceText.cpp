#include "receiver/SentenceText.h"

namespace quorrel {

bool isSentenceText(const std::u16string& text) {
    for (const char16_t c : text) {
        if (c < 0x20 || c > 0x7E) return false;  // control, DEL and non-ASCII (CR, LF too)
        if (c == u',' || c == u'*' || c == u'$') return false;
    }
    return true;
}

bool toSentenceText(const std::u16string& text, std::string& field) {
    if (!isSentenceText(text)) return false;
    field.assign(text.begin(), text.end());
    return true;
}

bool toSentenceText(const std::u16string& text, std::size_t maxLength, std::string& field) {
    return text.size() <= maxLength && toSentenceText(text, field);
}

std::u16string fromReceiverText(const std::string& text) {
    std::u16string wide;
    wide.reserve(text.size());
    for (const char c : text)
        wide += char16_t(static_cast<unsigned char>(c));
    return wide;
}

}  // namespace quorrel
