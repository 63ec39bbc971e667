#include "app/MenuActions.h"

#include "receiver/CGnssReceiver.h"
#include "ui/kit/ReceiverWorker.h"
#include "ui/kit/Resources.h"
#include "ui/kit/StringIds.h"

namespace quorrel {

void resetReceiver(CGnssReceiver& receiver, bool isExternalGps) {
    if (!receiver.InitializeMemory(1)) return;
    int port = 0;
    int baudCode = 0;
    // The module cannot report its port, so its reset ends here.
    if (!receiver.QueryOwnPort(port, baudCode)) return;
    receiver.StartStandardOutput(port);
    if (!isExternalGps) {
        receiver.EnableWtiOutput();
        receiver.EnableA2dOutput();
    }
}

void MenuActions::reset(bool isExternalGps) {
    if (!m_prompts.confirm(resText(kStrResetQuestion))) return;
    m_worker.run(
        [isExternalGps](CGnssReceiver& receiver) { resetReceiver(receiver, isExternalGps); });
}

MenuActions::PowerOffResult MenuActions::powerOff() {
    if (!m_prompts.confirm(resText(kStrPowerOffQuestion))) return PowerOffResult::Declined;
    const bool off = m_worker.run([](CGnssReceiver& receiver) { return receiver.PowerOff(); });
    if (!off) {
        m_prompts.tell(resText(kStrCannotPowerOff));
        return PowerOffResult::Failed;
    }
    return PowerOffResult::Done;
}

}  // namespace quorrel
