#pragma once

#include "ui/kit/AppSettings.h"

namespace quorrel {

// The mount point of the caster ./scripts/run starts beside the simulated board.
inline constexpr char kLocalCasterMount[] = "QRL1";

// A new user on the simulator gets the local caster on 127.0.0.1 `port` as the network
// values, so the first network connection brings corrections without typing. Nothing
// changes once any caster address or mount point is stored, nor for a port outside
// 1–65535; the protocol becomes NTRIP only while no direct IP server is stored either.
// True when the caster was offered.
bool offerLocalCaster(AppSettings& settings, int port);

}  // namespace quorrel
