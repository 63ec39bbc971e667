#pragma once

#include "ui/kit/UserPrompts.h"

namespace quorrel {

class CGnssReceiver;
class ReceiverWorker;

// Re-initialises the receiver and switches its standard output back on, on the port it
// reports (WTI and A2D too unless `isExternalGps`); stops at the first failure.
void resetReceiver(CGnssReceiver& receiver, bool isExternalGps);

// The two menu entries that act on the receiver directly, with their confirmations; the
// receiver's part runs on the worker.
class MenuActions {
public:
    MenuActions(ReceiverWorker& worker, UserPrompts& prompts)
        : m_worker(worker), m_prompts(prompts) {}

    // "Reset GNSS receiver?"; on Yes re-initialises the receiver and switches its standard
    // output back on (WTI and A2D too unless `isExternalGps`). Says nothing either way.
    void reset(bool isExternalGps);

    enum class PowerOffResult { Declined, Failed, Done };
    // "Power off GNSS receiver?"; on Yes powers the receiver off, telling the user when it
    // could not. Done means the menu is to close.
    PowerOffResult powerOff();

private:
    ReceiverWorker& m_worker;
    UserPrompts& m_prompts;
};

}  // namespace quorrel
