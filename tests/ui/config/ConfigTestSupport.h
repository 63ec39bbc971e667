#pragma once

#include <QElapsedTimer>
#include <QThread>
#include <cstdint>
#include <string>
#include <vector>

#include "sim/module/ModuleIds.h"
#include "support/SimulatedReceivers.h"

namespace quorrel::test {

// Waits until `done` holds or `ms` pass; true when it holds.
template <typename Condition>
bool pollFor(Condition done, int ms = 3000) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms)
        QThread::msleep(10);
    return done();
}

// The board as the program leaves it after start-up: its antenna report coming in (here ten
// times a second), the log cleared.
inline bool openWithAntennaReports(BoardLink& link) {
    if (!link.open()) return false;
    link.board.setOutput('A', "A2D", 0.1);
    const bool reported = pollFor([&] { return link.receiver->GetA2dValue0() != 0; });
    link.board.clearLog();
    return reported;
}

// The IDs of the binary messages the module received, oldest first.
inline std::vector<int> receivedIds(const ModuleSimulator& module) {
    std::vector<int> ids;
    for (const ModuleLogEntry& entry : module.received())
        if (entry.kind == ModuleProtocol::Binary) ids.push_back(entry.messageId());
    return ids;
}

}  // namespace quorrel::test
