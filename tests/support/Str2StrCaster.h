#pragma once

#include <sys/types.h>
#include <atomic>
#include <string>
#include <thread>

namespace quorrel::test {

// RTKLIB's str2str as an NTRIP caster on a free loopback port, with one mount point fed an
// RTCM frame every 100 ms. Its quirks: one mount point per process, clients must say
// User-Agent, and once a client has opened the mount point the caster takes no further
// connections; so start one per test that streams.
class Str2StrCaster {
public:
    Str2StrCaster() = default;
    Str2StrCaster(const Str2StrCaster&) = delete;
    Str2StrCaster& operator=(const Str2StrCaster&) = delete;
    ~Str2StrCaster();

    // True when str2str is installed.
    static bool available();
    // `strFields` are the fields of the mount point's STR record after its name.
    bool start(const std::string& mount, const std::string& strFields);
    int port() const { return m_port; }
    void stop();

private:
    bool spawn(const std::string& mount, const std::string& strFields, int port);
    bool waitUntilServing();

    pid_t m_pid = -1;
    int m_input = -1;  // our end of str2str's standard input
    int m_port = 0;
    std::thread m_feeder;
    std::atomic<bool> m_stop{false};
};

// A port on 127.0.0.1 nobody listens on at the moment.
int freeLoopbackPort();

}  // namespace quorrel::test
