#pragma once

#include "sim/board/BoardOutput.h"
#include "sim/board/NmeaFormatter.h"
#include "sim/board/OutputSchedule.h"

namespace quorrel {

// Readings of the unsolicited replies that go out with an epoch.
struct UnsolicitedValues {
    bool externalAntenna = true;
    double observationSeconds = 0;  // since the observation buffer was reset
};

// Sends one epoch on a port: the messages due at the epoch's time in the order GGA, GLL,
// GSA, GSV, GST, ZDA, VTG, RMC, RRE, then "$PQVXR,VEC" closing the epoch, then the
// unsolicited A2D, OBI and WTI.
class EpochWriter {
public:
    EpochWriter(const OutputSchedule& schedule, BoardOutput& out)
        : m_schedule(schedule), m_out(out) {}

    void write(int port, const EpochSnapshot& epoch, const UnsolicitedValues& values);

private:
    void send(const std::string& body) { m_out.sentence(body, OutputKind::Epoch); }
    void writeUnsolicited(int port, const EpochSnapshot& epoch, const UnsolicitedValues& values);

    const OutputSchedule& m_schedule;
    BoardOutput& m_out;
};

}  // namespace quorrel
