#pragma once

#include <cstdio>
#include <mutex>

#include "ctl/TrafficLines.h"
#include "platform/TrafficObserver.h"

namespace quorrel {

// Prints the link's traffic as it happens, one time-stamped line per sentence or frame:
// "12:00:03.125 out $PQVXS,NME,GGA,A,ON,1.00" for what the program sent, "in" for what it
// received. Bytes arrive on the reader and on the writing thread alike.
class TrafficLog {
public:
    explicit TrafficLog(std::FILE* out) : m_out(out) {}

    // An observer for the receiver's port that feeds this log; the log must outlive its use.
    TrafficObserver observer();

private:
    void onBytes(TrafficDirection direction, const std::uint8_t* bytes, std::size_t length);

    std::FILE* m_out;
    std::mutex m_mutex;  // the two assemblers and the output
    TrafficLines m_in;
    TrafficLines m_sent;
};

}  // namespace quorrel
