#include "ui/kit/UserPrompts.h"

#include "ui/kit/QtUserPrompts.h"

namespace quorrel {
namespace {

UserPrompts*& installed() {
    static UserPrompts* prompts = nullptr;
    return prompts;
}

}  // namespace

UserPrompts::~UserPrompts() = default;

void UserPrompts::tell(const QString& text) {
    ask({text, PromptButtons::Ok, PromptIcon::Exclamation});
}

bool UserPrompts::confirm(const QString& text) {
    return ask({text, PromptButtons::YesNo, PromptIcon::Exclamation}) == PromptAnswer::Yes;
}

UserPrompts& UserPrompts::current() {
    static QtUserPrompts qtPrompts;
    UserPrompts* prompts = installed();
    return prompts ? *prompts : qtPrompts;
}

UserPrompts* UserPrompts::install(UserPrompts* prompts) {
    UserPrompts* previous = installed();
    installed() = prompts;
    return previous;
}

BusyCursor::BusyCursor(UserPrompts& prompts) : m_prompts(&prompts) {
    m_prompts->beginBusy();
}

BusyCursor::~BusyCursor() {
    release();
}

void BusyCursor::release() {
    if (!m_prompts) return;
    m_prompts->endBusy();
    m_prompts = nullptr;
}

}  // namespace quorrel
