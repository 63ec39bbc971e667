#include "receiver/SentenceText.h"

namespace quorrel {

TextFault sentenceTextFault(const std::u16string& text, std::size_t maxLength) {
    for (const char16_t c : text) {
        if (c == u',' || c == u'*' || c == u'$') return TextFault::FieldCharacter;
        // C0 controls (CR and LF among them), DEL and the C1 controls of Latin-1.
        if (c < 0x20 || (c >= 0x7F && c < 0xA0)) return TextFault::ControlCharacter;
        if (c > 0xFF) return TextFault::NotLatin1;
    }
    return text.size() > maxLength ? TextFault::TooLong : TextFault::None;
}

bool isSentenceText(const std::u16string& text) {
    return sentenceTextFault(text) == TextFault::None;
}

bool toSentenceText(const std::u16string& text, std::string& field) {
    return toSentenceText(text, SIZE_MAX, field);
}

bool toSentenceText(const std::u16string& text, std::size_t maxLength, std::string& field) {
    if (sentenceTextFault(text, maxLength) != TextFault::None) return false;
    field.clear();
    for (const char16_t c : text)
        field += static_cast<char>(static_cast<unsigned char>(c));
    return true;
}

std::u16string fromReceiverText(const std::string& text) {
    std::u16string wide;
    wide.reserve(text.size());
    for (const char c : text)
        wide += char16_t(static_cast<unsigned char>(c));
    return wide;
}

}  // namespace quorrel
