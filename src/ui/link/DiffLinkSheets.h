#pragma once

#include <QString>
#include <functional>
#include <optional>

#include "ui/link/DiffLinkValues.h"

namespace quorrel {

// The configuration sheets the hub's rows open, between the row's queries and its sequence.
// Each step runs its sheet modally on the GUI thread and returns what the sheet gives back
// on OK, or nothing when it was not accepted. A row whose step is empty stops where its
// sheet would open and tells the user so. The program's steps are made by
// programDiffLinkSheets() (DiffLinkSheetSteps.h); tests put in their own.
struct DiffLinkSheets {
    // "UHF Radio Settings", given the external-receiver flag as its radio flag and the radio
    // enabled; true on OK. The sheet configures and switches the radio itself.
    std::function<bool(bool externalReceiver)> uhf;
    // "GSM Modem Settings": the PIN and phone number.
    std::function<std::optional<GsmValues>(const GsmValues& values, bool externalReceiver)> gsm;
    // The dialling monitor, once auto-dial is on: the last modem state it read (5 ONLINE
    // means the call is up).
    std::function<int(const QString& phoneNumber)> dialing;
    // "Network Settings": the eleven connection values and the protocol, back with the
    // protocol chosen and the send-position choice.
    std::function<std::optional<NetworkValues>(const NetworkValues& values, bool externalReceiver)>
        network;
    // "Serial Port Settings": port name and baud index.
    std::function<std::optional<PortValues>(const PortValues& values)> otherDevice;
};

}  // namespace quorrel
