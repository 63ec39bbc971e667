#pragma once

namespace quorrel {

// The application shell's waits, in one place so that tests can shorten them.
struct AppTimings {
    int serviceLayerStartMs = 5000;  // after starting the companion service
    int powerOffCloseMs = 3000;      // between a successful power-off and the menu closing
    int simulatorStartMs = 10000;    // for a simulator to print its device path
};

}  // namespace quorrel
