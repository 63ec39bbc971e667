#pragma once

#include "sim/board/BoardContext.h"
#include "sim/board/CommandDispatcher.h"

namespace quorrel {

// The modem and the IP client: MDM, DIP, NTR.
class NetworkCommands {
public:
    explicit NetworkCommands(BoardContext& board) : m_board(board) {}
    void registerWith(CommandDispatcher& dispatcher);

private:
    void setDirectIp(const Command& c);
    void queryDirectIp();
    void setNtrip(const Command& c);
    bool setNtripParameters(const Command& c);
    void connectMountPoint(const std::string& mount);
    void loadSourceTable();
    void queryNtrip(const Command& c);
    bool casterKnown() const;
    CasterEndpoint caster() const;

    BoardContext& m_board;
};

}  // namespace quorrel
