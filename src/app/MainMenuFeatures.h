#pragma once

#include <functional>

#include "ui/kit/AppSettings.h"
#include "ui/kit/ScreenContext.h"

class QWidget;

namespace quorrel {

// Opens a feature's sheet modally over `parent` for the program's receiver.
using SheetAction = std::function<void(QWidget* parent, const ScreenContext& context)>;
// Runs the differential-mode sheet with `values` (see differentialModeInput); returns true
// when it ended with OK, `values` then holding what it returns.
using DifferentialModeAction =
    std::function<bool(QWidget* parent, const ScreenContext& context, AppSettings& values)>;

// The sheets other layers provide to the main menu. An empty action opens nothing.
// Reset, About and Turn off GNSS belong to the menu itself.
struct MainMenuFeatures {
    SheetAction gnssSettings;
    DifferentialModeAction differentialMode;
    SheetAction nmeaOutput;
    SheetAction gnssStatus;
    SheetAction troubleShooting;
};

// The program's features, as wired for this build.
MainMenuFeatures programFeatures();

}  // namespace quorrel
