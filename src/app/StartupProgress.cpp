#include "app/StartupProgress.h"

#include "ui/kit/Resources.h"
#include "ui/kit/StringIds.h"

namespace quorrel {

void StartupProgress::serviceStarting() {
    if (!m_quitting) m_step = resText(kStrStartupService);
}

void StartupProgress::attempt(const OpenAttempt& attempt) {
    if (m_quitting) return;
    m_step =
        resText(kStrStartupBaud).arg(attempt.baudRate).arg(attempt.attempt).arg(attempt.attempts);
}

void StartupProgress::quitting() {
    m_quitting = true;
    m_step = resText(kStrStartupQuitting);
}

QString StartupProgress::deviceLine() const {
    return resText(kStrStartupConnecting).arg(m_device);
}

}  // namespace quorrel
