#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace quorrel {

// A receiver simulator run as a child process: it creates a pseudo-terminal and prints the
// device path to open on a line of its own; the program then connects to that device as to
// a real receiver. The child ends with this object (and with the program, however it ends).
class SimulatorProcess {
public:
    SimulatorProcess();
    ~SimulatorProcess();
    SimulatorProcess(const SimulatorProcess&) = delete;
    SimulatorProcess& operator=(const SimulatorProcess&) = delete;

    // Starts `program` and waits up to `timeoutMs` for its device path. False, with a
    // reason in error(), when it cannot be started or prints no path in time.
    bool start(const QString& program, const QStringList& arguments, int timeoutMs);
    void stop();

    bool isRunning() const { return m_process.state() != QProcess::NotRunning; }
    const QString& devicePath() const { return m_devicePath; }
    const QString& error() const { return m_error; }

private:
    QProcess m_process;
    QString m_devicePath;
    QString m_error;
};

}  // namespace quorrel
