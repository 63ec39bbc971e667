#pragma once

#include "app/core/UserPrompts.h"

namespace quorrel {

class CGnssReceiver;

// The two menu entries that act on the receiver directly, with their confirmations.
class MenuActions {
public:
    MenuActions(CGnssReceiver& receiver, UserPrompts& prompts)
        : m_receiver(receiver), m_prompts(prompts) {}

    // "Reset GNSS receiver?"; on Yes re-initialises the receiver and switches its standard
    // output back on (WTI and A2D too unless `isExternalGps`). Says nothing either way.
    void reset(bool isExternalGps);

    enum class PowerOffResult { Declined, Failed, Done };
    // "Power off GNSS receiver?"; on Yes powers the receiver off, telling the user when it
    // could not. Done means the menu is to close.
    PowerOffResult powerOff();

private:
    CGnssReceiver& m_receiver;
    UserPrompts& m_prompts;
};

}  // namespace quorrel
