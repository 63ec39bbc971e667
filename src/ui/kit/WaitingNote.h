#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>

class QLabel;

namespace quorrel {

// The small modal note a long receiver wait shows: "Waiting for the receiver…", the seconds
// since the wait began, and a progress line when the running sequence publishes one. It has
// no buttons and cannot be closed by the user; its owner deletes it when the wait ends.
class WaitingNote : public QDialog {
    Q_OBJECT

public:
    // `started` is when the wait began (the note itself appears a little later).
    WaitingNote(const QElapsedTimer& started, const QString& progress, QWidget* parent = nullptr);

    QString elapsedText() const;
    QString progressText() const;

public slots:
    void setProgress(const QString& text);
    // Escape does not close it: the wait decides when it goes.
    void reject() override {}

private:
    void showElapsed();

    QElapsedTimer m_started;
    QLabel* m_elapsed = nullptr;
    QLabel* m_progress = nullptr;
    QTimer m_tick;
};

}  // namespace quorrel
