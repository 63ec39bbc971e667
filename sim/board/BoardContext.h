#pragma once

#include <cstdint>

#include "sim/board/BoardConfig.h"
#include "sim/board/BoardOutput.h"
#include "sim/board/BoardState.h"
#include "sim/board/DirectIpClient.h"
#include "sim/board/ModemModel.h"
#include "sim/board/NtripClient.h"
#include "sim/board/OutputSchedule.h"
#include "sim/board/PositionModel.h"
#include "sim/board/TimerQueue.h"

namespace quorrel {

// What the board does beyond keeping settings, for the command handlers.
class BoardControl {
public:
    virtual ~BoardControl() = default;
    // Seconds on the simulator's steady clock.
    virtual double nowS() const = 0;
    virtual std::int64_t utcMs() const = 0;
    virtual void powerOff() = 0;
    virtual void reset() = 0;
    // The NMEA output table changed: plan the next epoch again.
    virtual void outputChanged() = 0;
    // Milliseconds for a delay of `seconds` of the board's own making (time-scaled).
    virtual std::int64_t scaledMs(double seconds) const = 0;
};

// The parts of the board a command handler may touch.
struct BoardContext {
    const BoardConfig& config;
    BoardState& state;
    OutputSchedule& schedule;
    PositionModel& position;
    ModemModel& modem;
    NtripClient& ntrip;
    DirectIpClient& directIp;
    TimerQueue& timers;
    BoardOutput& out;
    BoardControl& control;
};

}  // namespace quorrel
