#pragma once

#include <QElapsedTimer>
#include <QThread>
#include <string>
#include <vector>

#include "receiver/ReceiverTypes.h"
#include "support/LoopbackCaster.h"
#include "support/SimulatedReceivers.h"
#include "ui/link/RealTimeDiffLogic.h"

namespace quorrel::test {

using Sentences = std::vector<std::string>;

inline Sentences operator+(Sentences first, const Sentences& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

// Waits until `done` holds or `ms` pass; true when it holds.
template <typename Condition>
bool pollFor(Condition done, int ms = 3000) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms)
        QThread::msleep(10);
    return done();
}

// The board with its modem steps a hundred times faster and a fix from the start.
inline BoardConfig quickBoard() {
    BoardConfig config;
    config.timeScale = 0.01;
    config.startWithFix = true;
    return config;
}

// The board, a caster with mount point "MNT1" and a direct IP server, all on this host.
struct HubBoard {
    explicit HubBoard(const BoardConfig& config = quickBoard()) : link(config) {
        // Room for a loaded machine: the sentence lists must not lose a reply to a time-out.
        LinkTimeouts timeouts = shortLinkTimeouts();
        timeouts.replyMs = timeouts.longReplyMs = 2000;
        static_cast<CInternalReceiver&>(*link.receiver).setTimeouts(timeouts);
        caster.addMount({"MNT1", false, "", ""});
        caster.start();
        server.start();
    }

    // `lines` with "%CASTER%" and "%SERVER%" replaced by the two ports.
    Sentences expand(Sentences lines) const {
        for (std::string& line : lines) {
            replace(line, "%CASTER%", caster.port());
            replace(line, "%SERVER%", server.port());
        }
        return lines;
    }

    // The modem's state as the board holds it.
    int modemState() const { return static_cast<int>(link.board.status().modem); }

    // What the dialling monitor would wait for: the modem online, or given up.
    int waitForDialling() const {
        pollFor([this] {
            const int state = modemState();
            return state != kModemOn && state != kModemInit && state != kModemDialing;
        });
        return modemState();
    }

    // The states the hub can find when it opens, made through the receiver.
    bool asItIs() { return true; }
    bool silenceModem() {
        link.board.ignore("PQVXQ,MDM");
        return true;
    }
    bool startCsdCall() {
        CGnssReceiver& r = *link.receiver;
        return r.SetModemCsd() && r.InitializeModem() &&
               r.SetModemCsdParameters(u"", u"0891234567") && r.SetModemAutoDial() &&
               waitForDialling() == kModemOnline;
    }
    bool startGprs() {
        return link.receiver->SetModemGprsProtocol(0) && link.receiver->InitializeModem();
    }
    bool connectDirectIp() {
        return startGprs() && link.receiver->SetDirectIp(u"127.0.0.1", server.port());
    }
    bool connectMountPoint() {
        return startGprs() &&
               link.receiver->SetNtripParameters(u"127.0.0.1", caster.port(), u"", u"", 0) &&
               link.receiver->ConnectMountPoint(u"MNT1");
    }

    BoardLink link;
    LoopbackCaster caster;
    LoopbackStreamServer server;

private:
    static void replace(std::string& line, const std::string& key, int port) {
        for (std::size_t at; (at = line.find(key)) != std::string::npos;)
            line.replace(at, key.size(), std::to_string(port));
    }
};

// Runs the hub's sequences on the test's thread.
inline ReceiverRunner directRunner(CGnssReceiver& receiver) {
    return [&receiver](const std::function<void(CGnssReceiver&)>& sequence) { sequence(receiver); };
}

// What every link's tear-down sends before the row's own sequence.
inline const Sentences kRoverAndIpOff = {"$PQVXS,CPD,MOD,ROV", "$PQVXS,DIP,OFF",
                                         "$PQVXS,NTR,MTP,OFF", "$PQVXS,NME,GGA,E,OFF"};
// The modem switched on and initialised from OFF.
inline const Sentences kModemStart = {"$PQVXQ,MDM", "$PQVXS,MDM,ON", "$PQVXS,MDM,INI",
                                      "$PQVXQ,MDM"};

}  // namespace quorrel::test
