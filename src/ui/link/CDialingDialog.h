#pragma once

#include <QDialog>
#include <QTimer>

#include "ui/kit/ScreenContext.h"
#include "ui/link/DialingLogic.h"

class QLabel;
class QPushButton;

namespace quorrel {

// "Dialing...": follows the modem once a second after auto-dial was switched on, until the
// call is up, the modem gives up, or the user presses "Close" (which switches auto-dial
// off). Each poll goes to the receiver worker and the dialog keeps painting while it waits;
// a tick that finds the previous poll still waiting is skipped, so polls never pile up.
class CDialingDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr int kPollMs = 1000;

    // `pollMs`: the period of the modem polls (tests shorten it).
    explicit CDialingDialog(const ScreenContext& context, QWidget* parent = nullptr,
                            int pollMs = kPollMs);

    // Shown in the status texts; set before the dialog runs.
    void setPhoneNumber(const QString& phoneNumber) { m_logic.setPhoneNumber(phoneNumber); }
    // The modem state read last; 5 (ONLINE) means the call is up.
    int lastModemState() const { return m_logic.lastModemState(); }

    QLabel* statusLabel() const { return m_status; }
    QPushButton* closeButton() const { return m_close; }

    // "Close", Escape or the window's close box: auto-dial off, after any poll in flight.
    void reject() override;

signals:
    // The status line changed to `text` (for tests and pictures).
    void statusShown(const QString& text);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void tick();
    void received(std::optional<int> state);
    void showStatus(const QString& text);

    ScreenContext m_context;
    DialingLogic m_logic;
    QLabel* m_status;
    QPushButton* m_close;
    QTimer m_timer;
    bool m_started = false;
    bool m_polling = false;
    bool m_closing = false;
};

}  // namespace quorrel
