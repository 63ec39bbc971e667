#pragma once

#include <cstddef>
#include <string>

namespace quorrel {

// Text between the user and the receiver. Text going into a sentence must not be able to
// end a field or a sentence, or start one: every command that formats user text refuses it
// (returns false and sends nothing) unless isSentenceText() holds.

// True when every character is printable ASCII (0x20–0x7E) other than ",", "*" and "$".
// The empty text qualifies.
bool isSentenceText(const std::u16string& text);

// Narrows `text` to the 8-bit text of a sentence field. False, leaving `field` untouched,
// when the text is not sentence text.
bool toSentenceText(const std::u16string& text, std::string& field);

// As above, and also false when the text has more than `maxLength` characters.
bool toSentenceText(const std::u16string& text, std::size_t maxLength, std::string& field);

// Widens 8-bit text from the receiver, one character per byte.
std::u16string fromReceiverText(const std::string& text);

}  // namespace quorrel
