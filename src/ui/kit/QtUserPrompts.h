#pragma once

#include <QMessageBox>
#include <memory>

#include "ui/kit/UserPrompts.h"

namespace quorrel {

// Qt message boxes over the active window and the application's override cursor.
class QtUserPrompts : public UserPrompts {
public:
    PromptAnswer ask(const Prompt& prompt) override;
    void beginBusy() override;
    void endBusy() override;

    // The box `ask` would show, captioned with the program's title; for pictures of it.
    static std::unique_ptr<QMessageBox> makeBox(const Prompt& prompt, QWidget* parent);

private:
    int m_busyDepth = 0;
};

}  // namespace quorrel
