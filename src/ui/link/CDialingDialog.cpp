#include "ui/link/CDialingDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/kit/DialogUnits.h"
#include "ui/kit/ReceiverWorker.h"
#include "ui/kit/Resources.h"
#include "ui/kit/StringIds.h"

namespace quorrel {
namespace {

// Room for "Dialing  " with 21 digits and three dots, in dialog units.
constexpr int kStatusWidthDu = 140;

}  // namespace

CDialingDialog::CDialingDialog(const ScreenContext& context, QWidget* parent, int pollMs)
    : QDialog(parent),
      m_context(context),
      m_status(new QLabel(resText(kStrDialing), this)),
      m_close(new QPushButton(resText(kStrCloseButton), this)) {
    setWindowTitle(resText(kStrDialing));
    m_status->setObjectName(QStringLiteral("dialingStatus"));
    m_status->setMinimumWidth(DialogUnits(font()).size(kStatusWidthDu, 0).width());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_status);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_close);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    m_timer.setInterval(pollMs);
    connect(&m_timer, &QTimer::timeout, this, &CDialingDialog::tick);
    connect(m_close, &QPushButton::clicked, this, &CDialingDialog::reject);
}

void CDialingDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_started) return;
    m_started = true;
    showStatus(m_logic.openingText());
    m_timer.start();
}

void CDialingDialog::showStatus(const QString& text) {
    m_status->setText(text);
    m_status->repaint();
    emit statusShown(text);
}

void CDialingDialog::tick() {
    // A silent board keeps a poll waiting for its whole time-out; the ticks meanwhile pass.
    if (m_polling || m_closing) return;
    m_polling = true;
    m_context.worker.post(
        this, [](CGnssReceiver& receiver) { return DialingLogic::readState(receiver); },
        [this](std::optional<int> state) { received(state); });
}

void CDialingDialog::received(std::optional<int> state) {
    m_polling = false;
    // A failed query is ignored; once the user closed, the close reads the state itself.
    if (!state || m_closing) return;
    const DialingLogic::Step step = m_logic.onState(*state);
    if (step.text) showStatus(*step.text);
    if (!step.finished) return;
    m_timer.stop();
    QDialog::accept();
}

void CDialingDialog::reject() {
    if (m_closing) return;
    m_closing = true;
    m_timer.stop();
    // Queued behind a poll still waiting: the worker runs one transaction at a time.
    const std::optional<int> state = m_context.worker.run(
        [](CGnssReceiver& receiver) { return DialingLogic::cancelDialling(receiver); });
    if (state) m_logic.setLastModemState(*state);
    QDialog::reject();
}

}  // namespace quorrel
