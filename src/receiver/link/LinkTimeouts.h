#pragma once

namespace quorrel {

// Every wait of the receiver link in one place, in milliseconds. The defaults are the
// production values; tests shorten them.
struct LinkTimeouts {
    int replyMs = 10000;          // the usual reply or acknowledgement
    int longReplyMs = 20000;      // modem on/off and initialisation
    int reply30Ms = 30000;        // longer receiver operations
    int directIpMs = 35000;       // direct IP connection
    int reply90Ms = 90000;        // longer receiver operations
    int ntripMs = 120000;         // NTRIP connection result and source table
    int aliveMs = 5000;           // any "$P"/"$G" head during the baud search
    int epochMs = 1500;           // the next "$PQVXR,VEC"
    int baudSettleMs = 100;       // after starting the reader at a new rate
    int readSilenceMs = 1000;     // one read of the port; bounds the reader's stop time
    int recordingPollMs = 10000;  // least time between two recording-state queries
};

// Waits short enough that an unanswered request costs under a second, for tests against a
// simulator that answers at once.
inline LinkTimeouts shortLinkTimeouts() {
    LinkTimeouts t;
    t.replyMs = 800;
    t.longReplyMs = 800;
    t.aliveMs = 300;
    t.epochMs = 300;
    t.baudSettleMs = 5;
    t.readSilenceMs = 50;
    t.recordingPollMs = 300;
    return t;
}

}  // namespace quorrel
