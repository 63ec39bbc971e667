#pragma once

#include <QThread>
#include <cstdint>
#include <string>
#include <vector>

#include "sim/module/ModuleIds.h"
#include "support/SimulatedReceivers.h"

namespace quorrel::test {

// The board as the program leaves it after start-up: its antenna report coming in (here ten
// times a second), the log cleared.
inline bool openWithAntennaReports(BoardLink& link) {
    if (!link.open()) return false;
    link.board.setOutput('A', "A2D", 0.1);
    for (int waitedMs = 0; link.receiver->GetA2dValue0() == 0 && waitedMs < 3000; waitedMs += 10)
        QThread::msleep(10);
    link.board.clearLog();
    return link.receiver->GetA2dValue0() != 0;
}

// The IDs of the binary messages the module received, oldest first.
inline std::vector<int> receivedIds(const ModuleSimulator& module) {
    std::vector<int> ids;
    for (const ModuleLogEntry& entry : module.received())
        if (entry.kind == ModuleProtocol::Binary) ids.push_back(entry.messageId());
    return ids;
}

}  // namespace quorrel::test
