#pragma once

#include <QDialog>

#include "app/StartupProgress.h"

class QLabel;
class QPushButton;

namespace quorrel {

// The small window that shows from the first moment of start-up while the program looks for
// its receiver: which device, which step, and a Quit button. It runs modally until finish();
// Quit, Escape and the title bar's close button only ask to quit (quitRequested), since the
// search must end before the program can.
class StartupWindow : public QDialog {
    Q_OBJECT

public:
    explicit StartupWindow(const QString& device, QWidget* parent = nullptr);

    const StartupProgress& progress() const { return m_progress; }
    QPushButton* quitButton() const { return m_quit; }

public slots:
    void setDevice(const QString& device);
    void showServiceStarting();
    void showAttempt(const OpenAttempt& attempt);
    // The search ended: the window closes.
    void finish();
    void reject() override;

signals:
    void quitRequested();

private:
    void refresh();

    StartupProgress m_progress;
    QLabel* m_device = nullptr;
    QLabel* m_step = nullptr;
    QPushButton* m_quit = nullptr;
    bool m_finished = false;
};

}  // namespace quorrel
