#pragma once

#include <string>

namespace quorrel {

// UTF-16 at the receiver interface, UTF-8 for file names. Unpaired surrogates and malformed
// bytes become U+FFFD.
std::string utf16ToUtf8(const std::u16string& text);
std::u16string utf8ToUtf16(const std::string& text);

}  // namespace quorrel
