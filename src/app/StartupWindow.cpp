#include "app/StartupWindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/kit/DialogUnits.h"
#include "ui/kit/Resources.h"
#include "ui/kit/StringIds.h"

namespace quorrel {
namespace {

constexpr int kWindowIconId = 128;
constexpr int kWidthDu = 156;

}  // namespace

StartupWindow::StartupWindow(const QString& device, QWidget* parent)
    : QDialog(parent), m_progress(device) {
    setObjectName(QStringLiteral("startupWindow"));
    setWindowTitle(resText(kStrAppTitle));
    setWindowIcon(Resources::instance().icon(kWindowIconId));
    setMinimumWidth(DialogUnits(font()).x(kWidthDu));
    auto* layout = new QVBoxLayout(this);
    m_device = new QLabel(this);
    m_device->setObjectName(QStringLiteral("device"));
    m_device->setWordWrap(true);
    m_step = new QLabel(this);
    m_step->setObjectName(QStringLiteral("step"));
    m_quit = new QPushButton(resText(kStrQuit), this);
    m_quit->setObjectName(QStringLiteral("quit"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_quit);
    layout->addWidget(m_device);
    layout->addWidget(m_step);
    layout->addLayout(buttons);
    connect(m_quit, &QPushButton::clicked, this, &StartupWindow::reject);
    refresh();
}

void StartupWindow::setDevice(const QString& device) {
    m_progress.setDevice(device);
    refresh();
}

void StartupWindow::showServiceStarting() {
    m_progress.serviceStarting();
    refresh();
}

void StartupWindow::showAttempt(const OpenAttempt& attempt) {
    m_progress.attempt(attempt);
    refresh();
}

void StartupWindow::finish() {
    m_finished = true;
    accept();
}

void StartupWindow::reject() {
    if (m_finished) {
        QDialog::reject();
        return;
    }
    if (!m_progress.canQuit()) return;
    m_progress.quitting();
    refresh();
    emit quitRequested();
}

void StartupWindow::refresh() {
    m_device->setText(m_progress.deviceLine());
    m_step->setText(m_progress.stepLine());
    m_quit->setEnabled(m_progress.canQuit());
}

}  // namespace quorrel
