#include "app/shell/SimulatorProcess.h"

#include <signal.h>
#include <sys/prctl.h>
#include <QDeadlineTimer>

namespace quorrel {

SimulatorProcess::SimulatorProcess() {
    // Its error output (faults, warnings) reaches the user's terminal unchanged.
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // The simulator must not outlive a program that crashed or was killed, and ends on
    // SIGTERM even when its parent leaves that signal to a thread of its own (blocked masks
    // are inherited).
    m_process.setChildProcessModifier([] {
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        sigset_t all;
        sigfillset(&all);
        ::sigprocmask(SIG_UNBLOCK, &all, nullptr);
    });
    // After the device path the simulator's output is of no interest; drop it so that the
    // pipe never fills.
    QObject::connect(&m_process, &QProcess::readyReadStandardOutput, &m_process, [this] {
        if (!m_devicePath.isEmpty()) m_process.readAllStandardOutput();
    });
}

SimulatorProcess::~SimulatorProcess() {
    stop();
}

bool SimulatorProcess::start(const QString& program, const QStringList& arguments, int timeoutMs) {
    stop();
    m_error.clear();
    m_process.start(program, arguments, QIODevice::ReadOnly);
    if (!m_process.waitForStarted(timeoutMs)) {
        m_error = QStringLiteral("cannot start %1: %2").arg(program, m_process.errorString());
        return false;
    }
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        while (m_process.canReadLine()) {
            const QString line = QString::fromLocal8Bit(m_process.readLine()).trimmed();
            if (line.startsWith(QLatin1Char('/'))) {
                m_devicePath = line;
                m_process.readAllStandardOutput();
                return true;
            }
        }
        if (m_process.state() == QProcess::NotRunning) break;
        m_process.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime())));
    }
    m_error = QStringLiteral("%1 printed no device path").arg(program);
    stop();
    return false;
}

void SimulatorProcess::stop() {
    m_devicePath.clear();
    if (m_process.state() == QProcess::NotRunning) return;
    m_process.terminate();
    if (!m_process.waitForFinished(2000)) {
        m_process.kill();
        m_process.waitForFinished(2000);
    }
}

}  // namespace quorrel
