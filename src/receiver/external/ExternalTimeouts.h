#pragma once

namespace quorrel {

// Every wait of the module driver, in milliseconds. Tests shorten them.
struct ExternalTimeouts {
    int acknowledgementMs = 5000;        // a command's acknowledgement
    int navigationParametersMs = 15000;  // message 19 after the poll was acknowledged
    int dataSeenMs = 5000;               // first sentence or frame at a tried baud rate
    int protocolSwitchMs = 1000;         // sleep around each protocol switch
    int settleMs = 100;                  // after starting the reader, before closing
    int epochMs = 1500;                  // the next valid fix
    int readMs = 1000;                   // one read of the reader thread
    int recordingWaitMs = 2000;          // the reader thread closing the raw data file
};

// Waits short enough for tests against a simulated module that answers at once.
inline ExternalTimeouts shortModuleTimeouts() {
    ExternalTimeouts t;
    t.acknowledgementMs = 1000;
    t.navigationParametersMs = 1000;
    t.dataSeenMs = 300;
    t.protocolSwitchMs = 100;
    t.settleMs = 20;
    t.readMs = 50;
    return t;
}

}  // namespace quorrel
