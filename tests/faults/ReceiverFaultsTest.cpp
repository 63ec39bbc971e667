// The receiver's faults as the program meets them: each sequence runs on the receiver worker,
// as a screen runs it, and ends in a state the user is shown; nothing already known is lost.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QThread>
#include <QTimer>
#include <functional>
#include <string>

#include "FaultRig.h"
#include "ui/config/GnssPageLogic.h"
#include "ui/config/TroubleshootPageLogic.h"

using namespace quorrel;
using namespace quorrel::test;

namespace {

struct QueryCase {
    const char* reply;  // the reply's code, as the board's fault switches name it
    const char* command;
    std::function<bool(CGnssReceiver&)> query;
};

const QueryCase kQueries[] = {
    {"GNS", "PQVXQ,GNS",
     [](CGnssReceiver& r) {
         int m = -1;
         return r.QueryTrackingMode(m);
     }},
    {"PEM", "PQVXQ,PEM",
     [](CGnssReceiver& r) {
         int d = 0;
         return r.QueryElevationMask(d);
     }},
    {"SBA", "PQVXQ,SBA",
     [](CGnssReceiver& r) {
         bool on = false;
         return r.QuerySbas(on);
     }},
    {"GLO", "PQVXQ,GLO",
     [](CGnssReceiver& r) {
         bool on = false;
         return r.QueryGlonass(on);
     }},
    {"ANP", "PQVXQ,ANP",
     [](CGnssReceiver& r) {
         std::u16string n;
         return r.QueryAntennaName(n);
     }},
    {"ANH", "PQVXQ,ANH",
     [](CGnssReceiver& r) {
         double h = 0;
         int t = 0;
         return r.QueryAntennaHeight(h, t);
     }},
    {"ATL", "PQVXQ,ATL",
     [](CGnssReceiver& r) {
         AtlState s{};
         return r.QueryAtlState(s);
     }},
    {"MEM", "PQVXQ,MEM",
     [](CGnssReceiver& r) {
         int m = 0;
         return r.QueryMemory(m);
     }},
    {"MDM", "PQVXQ,MDM",
     [](CGnssReceiver& r) {
         int s = 0;
         return r.QueryModemState(s);
     }},
    {"NTR", "PQVXQ,NTR",
     [](CGnssReceiver& r) {
         std::u16string m;
         return r.QueryMountPoint(m);
     }},
    {"DIP", "PQVXQ,DIP",
     [](CGnssReceiver& r) {
         std::u16string a;
         int p = 0;
         return r.QueryDirectIp(a, p);
     }},
    {"PRT", "PQVXQ,PRT",
     [](CGnssReceiver& r) {
         int p = 0, b = 0;
         return r.QueryOwnPort(p, b);
     }},
    {"CPD", "PQVXQ,CPD",
     [](CGnssReceiver& r) {
         int m = 0;
         return r.QueryCpdMode(m);
     }},
    {"NMO", "PQVXQ,NMO",
     [](CGnssReceiver& r) {
         NmeaOutputRecord o{};
         return r.QueryNmeaOutput(0, o);
     }},
    {"STI", "PQVXQ,STI",
     [](CGnssReceiver& r) {
         std::u16string n;
         return r.QuerySiteName(n);
     }},
};

}  // namespace

// A damaged, refused or unanswered reply fails its own query, and only that one: the same
// query succeeds right after, so one bad line never takes the link or a later screen down.
TEST(ReceiverFaults, EveryReplyKindDamagedRefusedOrUnansweredFailsOnlyItsOwnQuery) {
    FaultRig rig;
    ASSERT_TRUE(rig.open());
    using Fault = std::function<void(BoardSimulator&, const QueryCase&)>;
    // A refused antenna query is the one exception the receiver keeps on purpose: an antenna
    // name that already came in still counts, so NAK ends that wait with the name known.
    const std::pair<const char*, Fault> faults[] = {
        {"bad checksum",
         [](BoardSimulator& b, const QueryCase& c) { b.corruptChecksum(c.reply, 1); }},
        {"NAK", [](BoardSimulator& b, const QueryCase& c) { b.nak(c.command, 1); }},
    };
    for (const QueryCase& c : kQueries) {
        for (const auto& [legend, inject] : faults) {
            SCOPED_TRACE(std::string(c.reply) + ": " + legend);
            inject(rig.link.board, c);
            const bool answered = rig.worker.run(c.query);
            if (std::string(legend) != "NAK" || std::string(c.reply) != "ANP") {
                EXPECT_FALSE(answered);
            }
            EXPECT_TRUE(rig.worker.run(c.query));
        }
    }
    // An unanswered query costs its time-out once, then the board answers again.
    for (const char* code : {"PEM", "MDM", "NTR"}) {
        SCOPED_TRACE(std::string(code) + ": no answer");
        const QueryCase& c =
            *std::find_if(std::begin(kQueries), std::end(kQueries),
                          [&](const QueryCase& q) { return std::string(q.reply) == code; });
        rig.link.board.ignore(c.command, 1);
        EXPECT_FALSE(rig.worker.run(c.query));
        EXPECT_TRUE(rig.worker.run(c.query));
    }
    EXPECT_TRUE(rig.link.receiver->IsConnected());
}

// A reply that comes after its query gave up lands in the next transaction's wait; that wait
// must not take it for its own answer.
TEST(ReceiverFaults, AReplyMeantForAnotherTransactionIsNotTakenForThisOne) {
    FaultRig rig;
    ASSERT_TRUE(rig.open());
    CGnssReceiver& r = *rig.link.receiver;
    ASSERT_TRUE(rig.worker.run([](CGnssReceiver& r) { return r.SetElevationMask(17); }));
    rig.link.board.delayReplies(rig.timeouts.replyMs + 300);
    EXPECT_FALSE(rig.worker.run([](CGnssReceiver& r) {
        int degrees = 0;
        return r.QueryElevationMask(degrees);
    }));
    rig.link.board.delayReplies(0);
    // The late PEM reply arrives while this waits for GNS.
    int mode = -1;
    EXPECT_TRUE(rig.worker.run([&](CGnssReceiver&) { return r.QueryTrackingMode(mode); }));
    EXPECT_EQ(mode, kBoardTrackingMode);
    int degrees = -1;
    EXPECT_TRUE(rig.worker.run([&](CGnssReceiver&) { return r.QueryElevationMask(degrees); }));
    EXPECT_EQ(degrees, 17);
}

// A board that refuses everything for a while: the GNSS page opens with nothing selected and
// the antenna message, OK goes through without hanging, and when the storm is over the page
// reads the board's real values again.
TEST(ReceiverFaults, NakStormLeavesEveryPageUsableAndPassesWithoutTrace) {
    FaultRig rig;
    ASSERT_TRUE(rig.openWithAntennaReports());
    const GnssPageLogic page(DeviceClass::OtherCode);
    rig.link.board.nak("PQVXQ");
    rig.link.board.nak("PQVXS");
    const GnssValues during = rig.worker.run([&](CGnssReceiver& r) { return page.load(r); });
    EXPECT_EQ(during.trackingMode, -1);
    EXPECT_TRUE(during.elevation.isEmpty());
    EXPECT_EQ(during.antennaRow, GnssPageLogic::kUnknownAntennaRow);
    EXPECT_EQ(during.message, kStrCannotGetAntennaName);
    rig.worker.run([&](CGnssReceiver& r) { page.apply(r, during); });
    EXPECT_TRUE(rig.link.receiver->IsConnected());

    rig.link.board.clearFaults();
    const GnssValues after = rig.worker.run([&](CGnssReceiver& r) { return page.load(r); });
    EXPECT_EQ(after.trackingMode, kBoardTrackingMode);
    EXPECT_EQ(after.elevation.toInt(), kBoardElevationMaskDeg);
    EXPECT_FALSE(after.message.has_value());
}

// Unplugged in the middle of a query: the wait ends at once rather than at its time-out, the
// loss is reported, and a board plugged back in (a new device) opens again: Reconnect.
TEST(ReceiverFaults, UnpluggedMidCommandEndsTheWaitAndReconnectFindsTheBoardAgain) {
    FaultRig rig;
    ASSERT_TRUE(rig.open());
    std::atomic<int> lost{0};
    rig.link.receiver->addLinkLostListener([&] { ++lost; });
    rig.link.board.delayReplies(60'000);
    QTimer::singleShot(200, [&] { rig.link.board.unplug(); });
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(rig.worker.run([](CGnssReceiver& r) {
        int degrees = 0;
        return r.QueryElevationMask(degrees);
    }));
    EXPECT_LT(clock.elapsed(), rig.timeouts.replyMs + 1000);
    EXPECT_TRUE(pollFor([&] { return lost.load() > 0; }));
    EXPECT_FALSE(rig.link.receiver->IsConnected());

    BoardSimulator pluggedBack(quickBoard());
    ASSERT_TRUE(pluggedBack.start());
    const std::u16string device = QString::fromStdString(pluggedBack.devicePath()).toStdU16String();
    EXPECT_TRUE(rig.worker.run([&](CGnssReceiver& r) {
        r.Close();
        return r.Open(device);
    }));
    EXPECT_TRUE(rig.link.receiver->IsConnected());
    rig.worker.run([](CGnssReceiver& r) { r.Close(); });
    pluggedBack.stop();
}

// A board listening at a rate the search never tries answers nothing the program can read:
// the open fails as "no answer", and what the user reads names the device and the reason.
TEST(ReceiverFaults, BaudRateTheSearchDoesNotTryEndsAsNoAnswer) {
    BoardConfig config = quickBoard();
    config.baudRate = 2400;
    FaultRig rig(config);
    EXPECT_FALSE(rig.open());
    EXPECT_EQ(rig.link.receiver->openFailure(), OpenFailure::NoAnswer);
    const QString line = rig.openFailureLine();
    EXPECT_TRUE(line.contains(rig.link.devicePath())) << line.toStdString();
    EXPECT_FALSE(rig.link.receiver->IsConnected());
}

// Powered off while the troubleshooting sheet waits for the recording to start: the wait ends
// with "Error recording debug data" and the window went on painting all along.
TEST(ReceiverFaults, BoardPoweredOffWhileTheTroubleshootSheetWaits) {
    FaultRig rig;
    ASSERT_TRUE(rig.open());
    const TroubleshootPageLogic page(1500);
    TroubleshootValues values;
    values.debugOutput = true;
    values.storage = 0;
    int ticks = 0;
    QTimer painter;
    QObject::connect(&painter, &QTimer::timeout, [&] { ++ticks; });
    painter.start(50);
    QTimer poweredOff;
    QObject::connect(&poweredOff, &QTimer::timeout, [&] {
        if (rig.link.board.receivedCount("$PQVXS,ATL,ON") == 0) return;
        rig.link.board.silence(true);
        poweredOff.stop();
    });
    poweredOff.start(5);
    const auto message = rig.worker.run([&](CGnssReceiver& r) { return page.apply(r, values); });
    EXPECT_EQ(message, kStrErrorRecordingDebug);
    EXPECT_GE(ticks, 10);
}
