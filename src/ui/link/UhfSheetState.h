#pragma once

#include <optional>

#include "receiver/ReceiverTypes.h"

namespace quorrel {

// What the two pages of the UHF radio sheet share.
struct UhfSheetState {
    int radioType = kRadioPdl;
    // The baud row chosen on the Radio page and not yet sent.
    std::optional<int> changedBaud;
    // The Radio page was left: the Settings page sends its type before it reads.
    bool radioPageLeft = false;
};

}  // namespace quorrel
