#pragma once

#include "sim/board/BoardContext.h"
#include "sim/board/CommandDispatcher.h"

namespace quorrel {

// Site, reference position, base/rover mode, base output and correction message commands:
// STI, POS, KPI, CPD, DYN, OCC, BAS, RTC, RNX, CMR.
class PositionCommands {
public:
    explicit PositionCommands(BoardContext& board) : m_board(board) {}
    void registerWith(CommandDispatcher& dispatcher);

private:
    void setSiteName(const Command& c);
    void setPosition(const Command& c, bool knownPoint);
    void setCpd(const Command& c);
    void queryCpd(const Command& c);
    void setOccupation(const Command& c);
    void setBaseOutput(const Command& c);
    void queryBaseOutput();
    void setMessageTypes(const Command& c, std::size_t numbers);
    void acknowledge(const Command& c, bool ok);

    BoardContext& m_board;
};

// "ddmm.mmmm" with hemisphere "N"/"S" (or dddmm.mmmm with "E"/"W") to signed degrees.
bool parseAngle(const std::string& value, const std::string& hemisphere, bool latitude,
                double& degrees);

}  // namespace quorrel
