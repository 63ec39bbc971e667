// Casters that refuse, go silent or send more than any real one, met through the station
// browser's sequence on the receiver worker: the browse ends in a state the user is told
// about, and the receiver's own caster settings are back afterwards every time.
#include <gtest/gtest.h>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <functional>
#include <memory>

#include "FaultRig.h"
#include "receiver/SourceTableBrowse.h"
#include "receiver/StationList.h"
#include "support/LoopbackCaster.h"

using namespace quorrel;
using namespace quorrel::test;

namespace {

// Takes the connection and the request, and never says a word.
class SilentServer : public LoopbackServer {
public:
    ~SilentServer() override { stop(); }

protected:
    void onReceive(Client& client) override { client.in.clear(); }
    void onTick(Client&) override {}
};

// A port on this host where nothing listens: connections to it are refused.
int refusingPort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(fd);
    return ntohs(address.sin_port);
}

struct CasterCase {
    const char* legend;
    std::function<int()> start;  // starts the caster, returns its port
    BrowseOutcome outcome;
    std::size_t stations;
};

// Stations of about 125 bytes: a table of just under 4 MiB, the most the reader keeps of one
// table, and one well over it.
constexpr int kLargestTableStations = 33'000;
constexpr int kOversizeTableStations = 40'000;

}  // namespace

TEST(CasterFaults, RefusingSilentAndHugeCastersEndClearlyAndRestoreTheReceiversCaster) {
    LoopbackCaster largest, oversize;
    SilentServer silent;
    const CasterCase cases[] = {
        {"refuses the connection", [] { return refusingPort(); }, BrowseOutcome::Failed, 0},
        {"accepts, then says nothing", [&] { return silent.start() ? silent.port() : 0; },
         BrowseOutcome::Failed, 0},
        {"sends a table of almost 4 MiB",
         [&] {
             largest.setSourceTableLines(stationLines(kLargestTableStations, 48.0, 11.0));
             return largest.start() ? largest.port() : 0;
         },
         BrowseOutcome::Loaded, std::size_t(kLargestTableStations)},
        {"sends a table of more than 4 MiB",
         [&] {
             oversize.setSourceTableLines(stationLines(kOversizeTableStations, 48.0, 11.0));
             return oversize.start() ? oversize.port() : 0;
         },
         BrowseOutcome::Failed, 0},
    };
    FaultRig rig;
    // The caster's wait shortened: what is measured here is how each case ends.
    rig.timeouts.ntripMs = 8000;
    static_cast<CInternalReceiver&>(*rig.link.receiver).setTimeouts(rig.timeouts);
    ASSERT_TRUE(rig.open());
    ASSERT_TRUE(rig.worker.run([](CGnssReceiver& r) {
        return r.SetNtripParameters(u"own.example", 2101, u"me", u"secret", 0);
    }));
    for (const CasterCase& c : cases) {
        SCOPED_TRACE(c.legend);
        const int port = c.start();
        ASSERT_NE(port, 0);
        BrowseRequest request;
        request.caster = {u"127.0.0.1", port, u"", u""};
        StationList stations;
        const BrowseOutcome outcome = rig.worker.run(
            [&](CGnssReceiver& r) { return browseSourceTable(r, request, stations); });
        EXPECT_EQ(outcome, c.outcome);
        EXPECT_EQ(stations.count(), c.stations);

        std::u16string host, login, password;
        int ownPort = 0;
        ASSERT_TRUE(rig.worker.run([&](CGnssReceiver& r) {
            return r.QueryNtripParameters(host, ownPort, login, password);
        }));
        EXPECT_EQ(host, u"own.example");
        EXPECT_EQ(ownPort, 2101);
        EXPECT_EQ(login, u"me");
        EXPECT_TRUE(rig.link.receiver->IsConnected());
    }
}
