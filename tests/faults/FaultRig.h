#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include "app/shell/OpenFailureText.h"
#include "support/RecordingPrompts.h"
#include "support/SimulatedReceivers.h"
#include "ui/kit/ReceiverWorker.h"

namespace quorrel::test {

// What the simulated board starts with.
constexpr int kBoardTrackingMode = 1;
constexpr int kBoardElevationMaskDeg = 10;

// Waits until `done` holds or `ms` pass, keeping the event loop going; true when it holds.
template <typename Condition>
bool pollUntil(Condition done, int ms = 3000) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms) {
        QCoreApplication::processEvents();
        QThread::msleep(5);
    }
    return done();
}

// The board's modem and solution a hundred times faster, with a fix from the start.
inline BoardConfig quickFaultBoard() {
    BoardConfig config;
    config.timeScale = 0.01;
    config.startWithFix = true;
    return config;
}

// The simulated board, the board's driver with short waits (room to spare on a loaded
// machine) and the receiver worker with prompts the test answers.
struct FaultRig {
    explicit FaultRig(const BoardConfig& config = quickFaultBoard()) : link(config) {
        timeouts = shortLinkTimeouts();
        timeouts.replyMs = timeouts.longReplyMs = 1500;
        timeouts.aliveMs = 500;
        static_cast<CInternalReceiver&>(*link.receiver).setTimeouts(timeouts);
    }
    ~FaultRig() {
        worker.run([](CGnssReceiver& r) { r.Close(); });
    }

    bool open() {
        return worker.run([this](CGnssReceiver&) { return link.open(); });
    }
    // Open, with the antenna report coming in as after the program's start-up.
    bool openWithAntennaReports() {
        if (!open()) return false;
        link.board.setOutput('A', "A2D", 0.1);
        const bool reported = pollUntil([this] { return link.receiver->GetA2dValue1() != 0; });
        link.board.clearLog();
        return reported;
    }
    QString openFailureLine() const {
        return quorrel::openFailureLine(link.devicePath(), link.receiver->openFailure(),
                                        QString::fromStdString(link.receiver->openFailureDetail()));
    }

    BoardLink link;
    LinkTimeouts timeouts;
    RecordingPrompts prompts;
    ReceiverWorker worker{*link.receiver, prompts};
};

}  // namespace quorrel::test
