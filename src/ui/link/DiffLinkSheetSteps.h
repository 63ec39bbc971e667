#pragma once

#include "ui/link/DiffLinkSheets.h"

class QWidget;

namespace quorrel {

struct ScreenContext;

// The configuration sheets of this build, run modally over `parent`. The network sheet comes
// in its own change: until then its step stays empty and its row says the settings are not
// available yet.
DiffLinkSheets programDiffLinkSheets(const ScreenContext& context, QWidget* parent);

}  // namespace quorrel
