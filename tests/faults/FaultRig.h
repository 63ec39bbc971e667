#pragma once

#include "app/shell/OpenFailureText.h"
#include "support/RecordingPrompts.h"
#include "support/SimulatedReceivers.h"
#include "ui/kit/ReceiverWorker.h"
#include "ui/link/HubTestSupport.h"

namespace quorrel::test {

// What the simulated board starts with.
constexpr int kBoardTrackingMode = 1;
constexpr int kBoardElevationMaskDeg = 10;

// The simulated board, the board's driver with short waits (room to spare on a loaded
// machine) and the receiver worker with prompts the test answers.
struct FaultRig {
    explicit FaultRig(const BoardConfig& config = quickBoard()) : link(config) {
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
        const bool reported = pollFor([this] { return link.receiver->GetA2dValue1() != 0; });
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
