#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "sim/board/TcpClient.h"

namespace quorrel {

struct CasterEndpoint {
    std::string host;
    int port = 0;
    std::string login, password;
};

// The board's NTRIP v1 client: fetches a caster's source table, and opens a mount point
// whose stream feeds the corrections. Results come back through callbacks from process().
class NtripClient {
public:
    using Result = std::function<void(bool ok)>;
    // Biggest source table the board keeps.
    static constexpr std::size_t kTableLimit = 8 * 1024 * 1024;

    explicit NtripClient(int silenceTimeoutMs) : m_timeoutMs(silenceTimeoutMs) {}

    void loadSourceTable(const CasterEndpoint& caster, std::int64_t nowMs, Result done);
    bool hasSourceTable() const { return !m_table.empty(); }
    // "SOURCETABLE 200 OK" … "ENDSOURCETABLE" CR LF as the caster sent it.
    const std::string& sourceTable() const { return m_table; }

    // Opens `mount`; `done(true)` once correction data flows, `done(false)` on refusal or
    // silence.
    void connect(const CasterEndpoint& caster, const std::string& mount, std::int64_t nowMs,
                 Result done);
    void disconnect();
    bool isStreaming() const { return m_streaming; }
    bool isMountActive() const { return m_mount.fd() >= 0 || m_streaming; }
    // Bytes for the caster (GGA for virtual reference stations).
    void sendUpstream(const std::string& bytes);

    // Each chunk of correction data, and the end of a stream that was running.
    std::function<void(std::size_t bytes)> onData;
    std::function<void()> onStreamLost;

    void collectSockets(std::vector<TcpClient*>& sockets);
    // After poll: reads replies, runs the time-outs.
    void process(std::int64_t nowMs);
    std::optional<std::int64_t> nextDeadline() const;

private:
    void processTable(std::int64_t nowMs);
    void processMount(std::int64_t nowMs);
    void finishTable(bool ok);
    void finishMount(bool ok);
    void loseStream();

    int m_timeoutMs;
    TcpClient m_tableLink;
    Result m_tableDone;
    std::int64_t m_tableDeadline = 0;
    std::size_t m_tableSeen = 0;
    std::size_t m_tableScanned = 0;
    std::string m_table;

    TcpClient m_mount;
    Result m_mountDone;
    bool m_headerSeen = false;
    bool m_streaming = false;
    std::int64_t m_mountDeadline = 0;
};

}  // namespace quorrel
