#pragma once

#include <QString>
#include <cstdio>

#include "ctl/CtlOptions.h"

namespace quorrel {

class InterruptWatcher;

// What the program takes from its surroundings.
struct CtlEnvironment {
    QString programDir;       // holds the simulators
    bool shortWaits = false;  // every receiver wait shortened (tests)
    std::FILE* out = stdout;
    std::FILE* err = stderr;
    InterruptWatcher* interrupts = nullptr;  // Ctrl-C; none: the command is never interrupted
};

// Runs the command of `options` and returns the exit status: 0 done (also a watch, log or
// recording ended by Ctrl-C), 1 the receiver refused or did not answer, 2 bad usage, 128 + the
// signal for a single operation cut short by one.
int runCtl(const CtlOptions& options, const CtlEnvironment& environment);

}  // namespace quorrel
