#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace quorrel {

// Cuts the bytes the board receives into sentences, "$" up to CR LF. A "$" always starts a
// new sentence; a CR not followed by LF, an LF without CR, or more than kLimit characters
// spoil the one under way, and the board waits for the next "$". The checksum is left to
// the command parser.
class CommandFramer {
public:
    // Longest sentence the board accepts, without CR LF.
    static constexpr std::size_t kLimit = 4096;

    // Hands each sentence completed by `bytes` to `onSentence`, without CR LF.
    void push(std::string_view bytes, const std::function<void(std::string)>& onSentence);
    // Forgets the sentence under way, as garbled input does.
    void reset();

private:
    enum class State { Hunt, Body, AfterCr };

    State m_state = State::Hunt;
    std::string m_sentence;
};

}  // namespace quorrel
