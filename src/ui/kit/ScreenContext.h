#pragma once

#include "ui/kit/DeviceClass.h"

namespace quorrel {

class CGnssReceiver;
class LinkMonitor;
class ReceiverWorker;
class ScreenSettings;
class UserPrompts;

// Everything a sheet or dialog needs from the program, handed in as one parameter:
//
//   CGnssSettingSheet sheet(context, menu);
//
// All of it outlives every screen. Only the receiver's snapshot getters may be called on the
// GUI thread; everything that sends or waits goes through `worker` (see ReceiverWorker.h).
struct ScreenContext {
    CGnssReceiver& receiver;
    ReceiverWorker& worker;
    UserPrompts& prompts;
    ScreenSettings& settings;  // the screens' own values ("NMEAPortIndex", "SendPosToNet")
    LinkMonitor& link;         // tells when the receiver link is lost
    DeviceClass deviceClass;
};

}  // namespace quorrel
