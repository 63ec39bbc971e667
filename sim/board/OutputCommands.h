#pragma once

#include "sim/board/BoardContext.h"
#include "sim/board/CommandDispatcher.h"

namespace quorrel {

// NMEA output and serial port commands: NME, NMO, PRT, BTH.
class OutputCommands {
public:
    explicit OutputCommands(BoardContext& board) : m_board(board) {}
    void registerWith(CommandDispatcher& dispatcher);

private:
    void setMessage(const Command& c);
    bool switchMessage(int port, const std::string& name, bool on, std::int64_t periodMs);
    void queryOutput(const Command& c);
    void setPort(const Command& c);
    void queryPort(const Command& c);
    void setBluetoothName(const Command& c);
    void acknowledge(const Command& c, bool ok);

    BoardContext& m_board;
};

}  // namespace quorrel
