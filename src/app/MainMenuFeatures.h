#pragma once

#include <functional>

#include "app/core/AppSettings.h"

class QWidget;

namespace quorrel {

class CGnssReceiver;

// Opens a feature's sheet modally over `parent` for the program's receiver.
using SheetAction = std::function<void(QWidget* parent, CGnssReceiver& receiver)>;
// Runs the differential-mode sheet with `values` (see differentialModeInput); returns true
// when it ended with OK, `values` then holding what it returns.
using DifferentialModeAction =
    std::function<bool(QWidget* parent, CGnssReceiver& receiver, AppSettings& values)>;

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
