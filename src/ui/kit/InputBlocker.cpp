#include "ui/kit/InputBlocker.h"

#include <QApplication>
#include <QEvent>

namespace quorrel {
namespace {

bool isUserInput(QEvent::Type type) {
    switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::NonClientAreaMouseButtonPress:
        case QEvent::NonClientAreaMouseButtonRelease:
        case QEvent::NonClientAreaMouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::Wheel:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TabletPress:
        case QEvent::TabletRelease:
        case QEvent::ContextMenu:
        case QEvent::InputMethod:
            return true;
        default:
            return false;
    }
}

}  // namespace

InputBlocker::InputBlocker() {
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible()) m_windows.emplace_back(window);
    qApp->installEventFilter(this);
}

InputBlocker::~InputBlocker() {
    qApp->removeEventFilter(this);
}

bool InputBlocker::isBlocked(const QWidget* window) const {
    for (const QPointer<QWidget>& blocked : m_windows)
        if (blocked == window) return true;
    return false;
}

bool InputBlocker::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    const bool closing = type == QEvent::Close && event->spontaneous();
    if (!closing && !isUserInput(type)) return false;
    if (!watched->isWidgetType()) return false;
    if (!isBlocked(static_cast<QWidget*>(watched)->window())) return false;
    // A close that is only swallowed would still count as accepted and hide the window.
    event->ignore();
    return true;
}

}  // namespace quorrel
