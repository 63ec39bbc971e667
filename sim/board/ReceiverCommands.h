#pragma once

#include "sim/board/BoardContext.h"
#include "sim/board/CommandDispatcher.h"

namespace quorrel {

// Tracking, antenna and device commands: SBA, GLO, GNS, PEM, ANH, ANT, ANR, ANP, NPT,
// VERSION, PWR, RST, INI.
class ReceiverCommands {
public:
    explicit ReceiverCommands(BoardContext& board) : m_board(board) {}
    void registerWith(CommandDispatcher& dispatcher);

private:
    void registerTracking(CommandDispatcher& d);
    void registerAntenna(CommandDispatcher& d);
    void registerDevice(CommandDispatcher& d);
    void setOnOff(const Command& c, bool& target);
    void setTrackingMode(const Command& c);
    void setAntennaHeight(const Command& c);
    void setAntennaOffsets(const Command& c);
    void setAntennaName(const Command& c);
    void queryAntennaName(const Command& c);
    void setPorts(const Command& c);
    void sendVersion();
    void acknowledge(const Command& c, bool ok);

    BoardContext& m_board;
};

}  // namespace quorrel
