#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <vector>

namespace quorrel {

// While it lives, the user's input to every window open at its creation is dropped: mouse
// buttons, keys, wheel, touch, shortcuts, context menus and the title bar's close button.
// Windows that open later (a message box raised meanwhile) take input as usual, so nothing
// the program asks can go unanswered. Paint, timer and posted events pass untouched.
class InputBlocker : public QObject {
public:
    InputBlocker();
    ~InputBlocker() override;
    InputBlocker(const InputBlocker&) = delete;
    InputBlocker& operator=(const InputBlocker&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool isBlocked(const QWidget* window) const;

    std::vector<QPointer<QWidget>> m_windows;
};

}  // namespace quorrel
