#pragma once

#include "ui/link/DiffLinkSheets.h"

class QWidget;

namespace quorrel {

struct ScreenContext;

// The configuration sheets of this build, run modally over `parent`. The GSM (with its
// dialling monitor) and network sheets each come in their own change: until then their steps
// stay empty and their rows say the settings are not available yet.
DiffLinkSheets programDiffLinkSheets(const ScreenContext& context, QWidget* parent);

}  // namespace quorrel
