#pragma once

#include <QStringList>
#include <optional>

#include "ui/kit/StringIds.h"

namespace quorrel {

class CGnssReceiver;

// What the troubleshooting page shows and sends back on OK.
struct TroubleshootValues {
    bool debugOutput = false;    // "Enable debug file output"
    bool storageEnabled = true;  // false while the receiver records: the storage is fixed then
    int storage = 0;             // 0 internal memory, 1 storage card
};

// The troubleshooting page without its widgets: the receiver's debug recording into its
// memory or onto the storage card. load and apply run on the receiver worker.
class TroubleshootPageLogic {
public:
    // How long the receiver gets to start recording before it is asked whether it does.
    static constexpr int kConfirmWaitMs = 5000;

    explicit TroubleshootPageLogic(int confirmWaitMs = kConfirmWaitMs)
        : m_confirmWaitMs(confirmWaitMs) {}

    // "Internal memory", "Storage Card"; a row is the receiver's memory number.
    static QStringList storageNames();

    // Reads the recording state; debug output that is on but not recording is switched off.
    TroubleshootValues load(CGnssReceiver& receiver) const;
    // Stores the storage choice and switches debug output on or off. Switching it on waits
    // for the receiver to confirm; when it does not, debug output goes off again and the
    // message to tell is returned.
    std::optional<StringId> apply(CGnssReceiver& receiver, const TroubleshootValues& values) const;

    int confirmWaitMs() const { return m_confirmWaitMs; }

private:
    int m_confirmWaitMs;
};

}  // namespace quorrel
