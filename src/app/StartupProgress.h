#pragma once

#include <QString>

#include "receiver/CGnssReceiver.h"

namespace quorrel {

// What the start-up window says while the program looks for its receiver: the device, and
// the step in progress (the companion service starting, or a baud-rate try).
class StartupProgress {
public:
    explicit StartupProgress(QString device = {}) : m_device(std::move(device)) {}

    void setDevice(const QString& device) { m_device = device; }
    void serviceStarting();
    void attempt(const OpenAttempt& attempt);
    void quitting();

    // "Connecting to the receiver on /dev/ttyS2"
    QString deviceLine() const;
    // "Trying 57600 baud (1 of 6)", "Starting the GNSS service…", "Stopping…" or empty.
    QString stepLine() const { return m_step; }
    bool canQuit() const { return !m_quitting; }

private:
    QString m_device;
    QString m_step;
    bool m_quitting = false;
};

}  // namespace quorrel
