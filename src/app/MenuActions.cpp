#include "app/MenuActions.h"

#include "app/core/Resources.h"
#include "app/core/StringIds.h"
#include "receiver/CGnssReceiver.h"

namespace quorrel {

void MenuActions::reset(bool isExternalGps) {
    if (!m_prompts.confirm(resText(kStrResetQuestion))) return;
    BusyCursor busy(m_prompts);
    if (!m_receiver.InitializeMemory(1)) return;
    int port = 0;
    int baudCode = 0;
    // The module cannot report its port, so its reset ends here.
    if (!m_receiver.QueryOwnPort(port, baudCode)) return;
    m_receiver.StartStandardOutput(port);
    if (!isExternalGps) {
        m_receiver.EnableWtiOutput();
        m_receiver.EnableA2dOutput();
    }
}

MenuActions::PowerOffResult MenuActions::powerOff() {
    if (!m_prompts.confirm(resText(kStrPowerOffQuestion))) return PowerOffResult::Declined;
    BusyCursor busy(m_prompts);
    const bool off = m_receiver.PowerOff();
    busy.release();
    if (!off) {
        m_prompts.tell(resText(kStrCannotPowerOff));
        return PowerOffResult::Failed;
    }
    return PowerOffResult::Done;
}

}  // namespace quorrel
