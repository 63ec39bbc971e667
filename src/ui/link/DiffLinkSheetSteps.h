#pragma once

#include "ui/link/DiffLinkSheets.h"

class QWidget;

namespace quorrel {

struct ScreenContext;

// The configuration sheets of the hub's rows, each run modally over `parent`.
DiffLinkSheets programDiffLinkSheets(const ScreenContext& context, QWidget* parent);

}  // namespace quorrel
