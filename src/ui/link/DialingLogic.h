#pragma once

#include <QString>
#include <optional>
#include <utility>

namespace quorrel {

class CGnssReceiver;

// The dialling monitor without its widgets: the status texts, the dot animation and the
// modem state read last, which tells the differential-mode page whether the call is up.
class DialingLogic {
public:
    // What one modem state read does to the dialog.
    struct Step {
        std::optional<QString> text;  // the new status text, if it changes
        bool finished = false;        // the call is up or the modem gave up: close
    };

    explicit DialingLogic(QString phoneNumber = {}) : m_phoneNumber(std::move(phoneNumber)) {}

    void setPhoneNumber(const QString& phoneNumber) { m_phoneNumber = phoneNumber; }
    const QString& phoneNumber() const { return m_phoneNumber; }

    // The status text when the dialog opens.
    QString openingText() const;
    // A state read by a poll: remembered, and the text and end it brings.
    Step onState(int state);
    // 0 NONE … 5 ONLINE; DIALING until a poll or the close reads another.
    int lastModemState() const { return m_lastState; }
    void setLastModemState(int state) { m_lastState = state; }

    // The dot step of the next "Dialing  %1" text (0–3). One for the whole program: a
    // second dialog goes on where the first left off. GUI thread only.
    static int dotCounter();

    // One poll: the modem state, or nothing when the query failed (runs on the worker).
    static std::optional<int> readState(CGnssReceiver& receiver);
    // The user closed the dialog: auto-dial off, then the state it left (runs on the
    // worker). Nothing when either command failed.
    static std::optional<int> cancelDialling(CGnssReceiver& receiver);

private:
    QString dialingText();

    QString m_phoneNumber;
    int m_lastState = 4;
};

}  // namespace quorrel
