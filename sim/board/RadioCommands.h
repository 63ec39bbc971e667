#pragma once

#include "sim/board/BoardContext.h"
#include "sim/board/CommandDispatcher.h"

namespace quorrel {

// The UHF radio modules on the radio ports: RDP and MDP.
class RadioCommands {
public:
    // Seconds a radio takes to report its type after "TYP,port,UNKNOWN".
    static constexpr double kDetectS = 2.0;

    explicit RadioCommands(BoardContext& board) : m_board(board) {}
    void registerWith(CommandDispatcher& dispatcher);
    // Channels a radio of this type offers.
    static int channelCount(const std::string& type);

private:
    void setRadio(const Command& c);
    void setType(const Command& c);
    void setParameters(const Command& c);
    void queryRadio(const Command& c);
    void acknowledge(const Command& c, bool ok);

    BoardContext& m_board;
};

}  // namespace quorrel
