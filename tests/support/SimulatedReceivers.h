#pragma once

#include <QString>
#include <memory>
#include <string>

#include "sim/board/BoardSimulator.h"
#include "sim/module/ModuleSimulator.h"
#include "support/QuickReceivers.h"

namespace quorrel::test {

// The lines `board` received that begin with `prefix`, in order.
std::vector<std::string> receivedLines(const BoardSimulator& board,
                                       const std::string& prefix = "$");

// The board simulator and the board's driver connected to it, set up as the program does.
struct BoardLink {
    explicit BoardLink(const BoardConfig& config = {});
    ~BoardLink();
    bool open();
    QString devicePath() const { return QString::fromStdString(board.devicePath()); }
    // Lines the board received that begin with `prefix`, in order.
    std::vector<std::string> received(const std::string& prefix = "$") const {
        return receivedLines(board, prefix);
    }

    BoardSimulator board;
    std::unique_ptr<CGnssReceiver> receiver;
};

// The module simulator and the module's driver connected to it.
struct ModuleLink {
    ModuleLink();
    ~ModuleLink();
    bool open();

    ModuleSimulator module;
    std::unique_ptr<CGnssReceiver> receiver;
};

}  // namespace quorrel::test
