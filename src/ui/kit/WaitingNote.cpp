#include "ui/kit/WaitingNote.h"

#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>

#include "ui/kit/Resources.h"
#include "ui/kit/StringIds.h"

namespace quorrel {
namespace {

// Often enough that the seconds never lag visibly behind.
constexpr int kTickMs = 250;

QWidget* noteParent(QWidget* parent) {
    if (parent) return parent;
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    return QApplication::activeWindow();
}

}  // namespace

WaitingNote::WaitingNote(const QElapsedTimer& started, const QString& progress, QWidget* parent)
    : QDialog(noteParent(parent), Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_started(started) {
    setObjectName(QStringLiteral("waitingNote"));
    setWindowTitle(resText(kStrAppTitle));
    setWindowModality(Qt::ApplicationModal);
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(resText(kStrWaitingForReceiver), this);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    m_elapsed = new QLabel(this);
    m_elapsed->setObjectName(QStringLiteral("elapsed"));
    m_progress = new QLabel(this);
    m_progress->setObjectName(QStringLiteral("progress"));
    layout->addWidget(title);
    layout->addWidget(m_elapsed);
    layout->addWidget(m_progress);
    setProgress(progress);
    showElapsed();
    connect(&m_tick, &QTimer::timeout, this, &WaitingNote::showElapsed);
    m_tick.start(kTickMs);
}

QString WaitingNote::elapsedText() const {
    return m_elapsed->text();
}

QString WaitingNote::progressText() const {
    return m_progress->text();
}

void WaitingNote::setProgress(const QString& text) {
    m_progress->setText(text);
    m_progress->setVisible(!text.isEmpty());
}

void WaitingNote::showElapsed() {
    m_elapsed->setText(resText(kStrElapsedSeconds).arg(m_started.elapsed() / 1000));
}

}  // namespace quorrel
