#include "support/RecordingPrompts.h"

namespace quorrel {

PromptAnswer RecordingPrompts::ask(const Prompt& prompt) {
    m_prompts.push_back(prompt);
    m_busyAtPrompt.push_back(m_busyDepth > 0);
    if (!m_answers.empty()) {
        const PromptAnswer answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }
    if (responder) return responder(prompt);
    return prompt.buttons == PromptButtons::YesNo ? PromptAnswer::No : PromptAnswer::Ok;
}

void RecordingPrompts::beginBusy() {
    ++m_busyDepth;
    ++m_busyCount;
}

void RecordingPrompts::endBusy() {
    if (m_busyDepth > 0) --m_busyDepth;
}

QStringList RecordingPrompts::texts() const {
    QStringList list;
    for (const Prompt& prompt : m_prompts)
        list << prompt.text;
    return list;
}

}  // namespace quorrel
