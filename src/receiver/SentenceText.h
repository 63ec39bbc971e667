#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace quorrel {

// Text between the user and the receiver. Text going into a sentence must not be able to
// end a field or a sentence, or start one: every command that formats user text refuses it
// (returns false and sends nothing) unless isSentenceText() holds.

// Why a text cannot go into a sentence field.
enum class TextFault {
    None,
    FieldCharacter,    // ",", "*" or "$" would end a field or start a sentence
    ControlCharacter,  // CR, LF, or any other control character
    NotLatin1,         // a character with no 8-bit (Latin-1) form, such as "€"
    TooLong,
};

// The first fault of `text` as a sentence field of at most `maxLength` characters: printable
// Latin-1 (0x20–0x7E, 0xA0–0xFF) other than ",", "*" and "$". The empty text qualifies.
TextFault sentenceTextFault(const std::u16string& text, std::size_t maxLength = SIZE_MAX);

// True when sentenceTextFault() finds nothing.
bool isSentenceText(const std::u16string& text);

// Narrows `text` to the 8-bit (Latin-1) text of a sentence field. False, leaving `field` untouched,
// when the text is not sentence text.
bool toSentenceText(const std::u16string& text, std::string& field);

// As above, and also false when the text has more than `maxLength` characters.
bool toSentenceText(const std::u16string& text, std::size_t maxLength, std::string& field);

// Widens 8-bit (Latin-1) text from the receiver, one character per byte.
std::u16string fromReceiverText(const std::string& text);

}  // namespace quorrel
