#pragma once

#include <QString>

namespace quorrel {

enum class PromptButtons { Ok, YesNo };
enum class PromptIcon { None, Exclamation, Question, Information, Error };
enum class PromptAnswer { Ok, Cancel, Yes, No };

// One message box: its text (from the string resources), buttons and icon.
struct Prompt {
    QString text;
    PromptButtons buttons = PromptButtons::Ok;
    PromptIcon icon = PromptIcon::None;
};

// Message boxes and the busy cursor of every screen go through here, so that tests can
// answer the boxes and see what was shown. Screens use UserPrompts::current().
class UserPrompts {
public:
    virtual ~UserPrompts();

    // Shows the box modally and returns the button chosen (Cancel when it was closed).
    virtual PromptAnswer ask(const Prompt& prompt) = 0;
    // Busy cursor on and off; calls nest, the cursor returns with the last endBusy.
    virtual void beginBusy() = 0;
    virtual void endBusy() = 0;

    // A failure the user must know about: the text and an OK button.
    void tell(const QString& text);
    // A yes/no confirmation with the exclamation icon; true only for Yes.
    bool confirm(const QString& text);

    // The installed service; the Qt message boxes unless a test installed its own.
    static UserPrompts& current();
    // Makes `prompts` current (null restores the Qt one); returns the one it replaces.
    static UserPrompts* install(UserPrompts* prompts);
};

// The busy cursor for the lifetime of the guard (or until release()).
class BusyCursor {
public:
    explicit BusyCursor(UserPrompts& prompts = UserPrompts::current());
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
    void release();

private:
    UserPrompts* m_prompts;
};

// Installs `prompts` for the lifetime of the guard, then puts the previous one back.
class ScopedPrompts {
public:
    explicit ScopedPrompts(UserPrompts& prompts) : m_previous(UserPrompts::install(&prompts)) {}
    ~ScopedPrompts() { UserPrompts::install(m_previous); }
    ScopedPrompts(const ScopedPrompts&) = delete;
    ScopedPrompts& operator=(const ScopedPrompts&) = delete;

private:
    UserPrompts* m_previous;
};

}  // namespace quorrel
