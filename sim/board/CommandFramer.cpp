#include "sim/board/CommandFramer.h"

namespace quorrel {

void CommandFramer::push(std::string_view bytes,
                         const std::function<void(std::string)>& onSentence) {
    for (const char c : bytes) {
        if (c == '$') {
            m_sentence.assign(1, c);
            m_state = State::Body;
            continue;
        }
        switch (m_state) {
            case State::Hunt:
                break;
            case State::Body:
                if (c == '\r') {
                    m_state = State::AfterCr;
                } else if (c == '\n' || m_sentence.size() >= kLimit) {
                    reset();
                } else {
                    m_sentence += c;
                }
                break;
            case State::AfterCr:
                if (c == '\n') onSentence(std::move(m_sentence));
                reset();
                break;
        }
    }
}

void CommandFramer::reset() {
    m_state = State::Hunt;
    m_sentence.clear();
}

}  // namespace quorrel
