#pragma once

#include "sim/board/BoardContext.h"
#include "sim/board/CommandDispatcher.h"

namespace quorrel {

// Recording into the board's memory or onto the card: MEM, REC, FIL, DRI, ATL, OBI.
class RecordingCommands {
public:
    // Seconds the debug recorder takes to start writing.
    static constexpr double kAtlStartS = 1.5;

    explicit RecordingCommands(BoardContext& board) : m_board(board) {}
    void registerWith(CommandDispatcher& dispatcher);

private:
    void setMemory(const Command& c);
    void setRecording(const Command& c);
    void queryFile(const Command& c);
    void setAtl(const Command& c);
    void queryAtl();
    bool storageReady() const;
    void acknowledge(const Command& c, bool ok);

    BoardContext& m_board;
};

}  // namespace quorrel
