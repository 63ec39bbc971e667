#include "ui/kit/QtUserPrompts.h"

#include <QApplication>
#include <QCursor>
#include <QPushButton>

#include "ui/kit/Resources.h"
#include "ui/kit/StringIds.h"

namespace quorrel {
namespace {

QMessageBox::Icon boxIcon(PromptIcon icon) {
    switch (icon) {
        case PromptIcon::Exclamation:
            return QMessageBox::Warning;
        case PromptIcon::Question:
            return QMessageBox::Question;
        case PromptIcon::Information:
            return QMessageBox::Information;
        case PromptIcon::Error:
            return QMessageBox::Critical;
        case PromptIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

std::unique_ptr<QMessageBox> QtUserPrompts::makeBox(const Prompt& prompt, QWidget* parent) {
    auto box = std::make_unique<QMessageBox>(boxIcon(prompt.icon), resText(kStrAppTitle),
                                             prompt.text, QMessageBox::NoButton, parent);
    if (prompt.buttons == PromptButtons::YesNo) {
        // The button texts are resources too, so a language file translates them.
        box->addButton(QMessageBox::Yes)->setText(resText(kStrYes));
        box->addButton(QMessageBox::No)->setText(resText(kStrNo));
        box->setDefaultButton(QMessageBox::Yes);
    } else {
        box->addButton(QMessageBox::Ok);
    }
    return box;
}

PromptAnswer QtUserPrompts::ask(const Prompt& prompt) {
    QWidget* parent = QApplication::activeModalWidget();
    if (!parent) parent = QApplication::activeWindow();
    auto box = makeBox(prompt, parent);
    // The user answers with the ordinary pointer even in the middle of a busy sequence.
    if (m_busyDepth > 0) QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int button = box->exec();
    if (m_busyDepth > 0) QApplication::restoreOverrideCursor();
    switch (button) {
        case QMessageBox::Yes:
            return PromptAnswer::Yes;
        case QMessageBox::No:
            return PromptAnswer::No;
        case QMessageBox::Ok:
            return PromptAnswer::Ok;
        default:
            return PromptAnswer::Cancel;
    }
}

void QtUserPrompts::beginBusy() {
    ++m_busyDepth;
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void QtUserPrompts::endBusy() {
    if (m_busyDepth == 0) return;
    --m_busyDepth;
    QApplication::restoreOverrideCursor();
}

}  // namespace quorrel
