#pragma once

#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

#include "ui/kit/UserPrompts.h"

namespace quorrel {

// Answers message boxes without showing them and records what was asked; for tests and for
// running screens unattended. Queued answers are used first; after that a box is answered by
// `responder` when set, else OK boxes with Ok and yes/no boxes with No.
class RecordingPrompts : public UserPrompts {
public:
    PromptAnswer ask(const Prompt& prompt) override;
    void beginBusy() override;
    void endBusy() override;

    void queueAnswer(PromptAnswer answer) { m_answers.push_back(answer); }
    std::function<PromptAnswer(const Prompt&)> responder;

    const std::vector<Prompt>& prompts() const { return m_prompts; }
    QStringList texts() const;
    void clear() { m_prompts.clear(); }

    int busyDepth() const { return m_busyDepth; }
    // How many times the busy cursor was switched on, and whether it was on at each box.
    int busyCount() const { return m_busyCount; }
    const std::vector<bool>& busyAtPrompt() const { return m_busyAtPrompt; }

private:
    std::deque<PromptAnswer> m_answers;
    std::vector<Prompt> m_prompts;
    std::vector<bool> m_busyAtPrompt;
    int m_busyDepth = 0;
    int m_busyCount = 0;
};

}  // namespace quorrel
