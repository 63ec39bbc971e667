#pragma once

#include <string>
#include <vector>

#include "support/LoopbackServer.h"

namespace quorrel::test {

// An NTRIP v1 caster for tests, on 127.0.0.1: "GET /" (or an unknown mount point) gets the
// source table, a known mount point "ICY 200 OK" and a frame every tick. Unlike str2str it
// serves tables of any size, several mount points on one port, mount points that never send
// and mount points that want a login.
class LoopbackCaster : public LoopbackServer {
public:
    struct Mount {
        std::string name;
        bool silent = false;  // answers "ICY 200 OK", then sends nothing
        std::string login, password;
    };

    ~LoopbackCaster() override { stop(); }

    // The records between "SOURCETABLE 200 OK" and "ENDSOURCETABLE", each ending in CR LF.
    void setSourceTableLines(std::string lines);
    void addMount(Mount mount);
    // The request heads received so far, in order.
    std::vector<std::string> requests();
    // What streaming clients sent after their request (the rover's GGA).
    std::string upstream();

protected:
    void onReceive(Client& client) override;
    void onTick(Client& client) override;

private:
    void answerRequest(Client& client, const std::string& head);
    const Mount* findMount(const std::string& name) const;

    std::string m_table;
    std::vector<Mount> m_mounts;
    std::vector<std::string> m_requests;
    std::string m_upstream;
};

// A correction server that streams a frame every tick to whoever connects (direct IP).
class LoopbackStreamServer : public LoopbackServer {
public:
    ~LoopbackStreamServer() override { stop(); }

protected:
    void onReceive(Client& client) override { client.in.clear(); }
    void onTick(Client& client) override;
    bool streamsOnConnect() const override { return true; }
};

// An RTCM 3 message 1005 (reference station position) with a valid CRC-24Q.
std::string rtcmFrame();
// `count` "STR" records with mount points "MP0000"… around the given point, CR LF each.
std::string stationLines(int count, double latitudeDeg, double longitudeDeg);

}  // namespace quorrel::test
