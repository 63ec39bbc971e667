#pragma once

#include <QStringList>

#include "app/CGnssApp.h"

namespace quorrel {

// Reads the program's options into `config`. Prints --help and --version and ends the
// process for them, and for unknown options, as Linux programs do.
void applyCommandLine(const QStringList& arguments, AppConfig& config);

// True when Qt can show windows here; otherwise prints how to get a display.
bool checkDisplay();

}  // namespace quorrel
