#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <string>
#include <utility>

#include "platform/Lock.h"
#include "receiver/link/ReplyRecords.h"
#include "receiver/link/StatusRecords.h"

namespace quorrel {

// A value written by the reader thread and copied out by the GUI thread, behind its own lock.
template <class T>
class ReplySlot {
public:
    T get() const {
        LockGuard guard(m_lock);
        return m_value;
    }
    void set(T value) {
        LockGuard guard(m_lock);
        m_value = std::move(value);
    }
    // Runs `change` on the value under the lock.
    template <class F>
    void update(F&& change) {
        LockGuard guard(m_lock);
        change(m_value);
    }
    // Runs `use` on the value under the lock and returns its result.
    template <class F>
    auto read(F&& use) const {
        LockGuard guard(m_lock);
        return use(static_cast<const T&>(m_value));
    }

private:
    mutable Lock m_lock;
    T m_value{};
};

// One received-flag per reply kind; a waiting command tests its own after the reply event.
enum class ReplyKind {
    NtrMountPoint,
    NtrParameters,
    NtrSourceTable,
    Mdm,
    Dip,
    Cpd,
    Rdp,
    Prt,
    Bth,
    Nmo,
    Obi,
    Sba,
    Glo,
    Gns,
    Pem,
    A2d,
    Anh,
    Anp,
    Anr,
    Bas,
    Sti,
    Dri,
    Rec,
    Atl,
    Mem,
    Wti,
    Fil,
    Version,
    Npt,
    Count,
};

// Where an "OK" or "FAIL" operation result comes from.
enum class ResultSource : std::uint8_t { None, Modem, Ntrip };

struct PublishedSatellites {
    SatelliteTable table{};
    std::int32_t count = 0;  // leading entries with a non-zero PRN
};

// The receiver status record and every reply slot, written by the parsers on the reader
// thread. Published data is copied out under each group's own lock; no path holds two.
class ReceiverStatus {
public:
    static constexpr int kUsedListSize = 32;
    using UsedList = std::array<std::int32_t, kUsedListSize>;

    ReceiverStatus() = default;
    ReceiverStatus(const ReceiverStatus&) = delete;
    ReceiverStatus& operator=(const ReceiverStatus&) = delete;

    // Reader-thread working state; the GUI thread only sees the published copies.
    PositionRecord& workingPosition() { return m_working; }
    SatelliteTable& workingSatellites() { return m_workingSatellites; }
    const UsedList& usedList() const { return m_usedList; }
    // Replaces the used list, and with it what isUsed answers (reader thread).
    void setUsedList(const UsedList& list);
    // True when `prn` is non-zero and in the used list (reader thread): one bit lookup.
    bool isUsed(std::int32_t prn) const {
        if (prn > 0 && prn < kUsedBits)
            return (m_usedBits[std::size_t(prn) / 64] >> (prn % 64) & 1u) != 0;
        return prn >= kUsedBits && isInUsedList(prn);
    }
    // Replaces the published position with the working copy (one consistent epoch).
    void publishPosition();
    // Publishes the working satellite table with its count of leading non-zero PRNs.
    void publishSatellites();

    PositionRecord position() const { return m_position.get(); }
    // Copies the published satellite table; returns its satellite count.
    int satellites(SatelliteTable& table) const;
    // The current recording file name; false when the receiver reported "NONE" or none came.
    bool currentFileName(std::string& name) const;

    // Reply flags. Written by the reader thread before it signals the reply event.
    void setReceived(ReplyKind kind, bool on) { m_received[index(kind)].store(on); }
    bool received(ReplyKind kind) const { return m_received[index(kind)].load(); }
    // Clears the flags a new transaction starts without: all but ANP, NPT, the
    // recording-stopped flag and the operation-OK flag. It awaits no result.
    void clearTransactionFlags();
    std::atomic<bool> ack{false};
    std::atomic<bool> operationOk{false};  // "OK"/"FAIL" of the NTR and MDM results
    // The running transaction waits for a result from `source`; results from anywhere else
    // belong to no one waiting and change nothing.
    void awaitResult(ResultSource source) { m_awaitedResult.store(source); }
    // Parsers: an "OK" (true) or "FAIL" (false) result from `source`; a damaged reply of that
    // kind counts as "FAIL", since it may have been the result awaited.
    void reportResult(ResultSource source, bool ok) {
        if (source != m_awaitedResult.load()) return;
        operationOk.store(ok);
        m_resultPending.store(true);
    }
    // An "OK" or "FAIL" result arrived since the transaction began and the reply event has
    // been signalled for it. A result right behind its acknowledgement can share one wake of
    // the event with it; this tells the waiter that its result is in, and that no signal of
    // it is still to come to end the next transaction's wait.
    std::atomic<bool> operationDone{false};
    // The parsers report a result; the session publishes it after signalling the reply event.
    void publishOperationResult() {
        if (m_resultPending.exchange(false)) operationDone.store(true);
    }
    std::atomic<bool> recordingStopped{false};
    std::atomic<std::uint8_t> epochFlag{0};  // 1 after VEC, 0 after the other status sentences
    // Only the reader thread writes the flag, so its stores need no ordering.
    void setEpochFlag(std::uint8_t value) { epochFlag.store(value, std::memory_order_relaxed); }

    // Field groups, each with its own lock, declared (and so created) in their fixed order.
private:
    ReplySlot<PositionRecord> m_position;
    ReplySlot<PublishedSatellites> m_satellites;

public:
    ReplySlot<ModemReply> modem;
    ReplySlot<DirectIpReply> directIp;
    ReplySlot<CpdReply> cpd;
    ReplySlot<RadioRecord> radio;
    ReplySlot<std::string> mountPoint;
    ReplySlot<NtripParametersReply> ntripParameters;
    ReplySlot<std::string> sourceTable;  // from the last letter of "TBL" to the block's end
    ReplySlot<PortReply> port;
    ReplySlot<std::string> bluetoothName;
    ReplySlot<NmeaOutputReply> nmeaOutput;
    ReplySlot<ObiReply> obi;
    ReplySlot<std::uint8_t> sbas;
    ReplySlot<std::uint8_t> glonass;
    ReplySlot<std::int32_t> trackingMode;
    ReplySlot<std::int32_t> elevationMask;
    ReplySlot<A2dReply> a2d;
    ReplySlot<AntennaHeightReply> antennaHeight;
    ReplySlot<std::int32_t> antennaReduction;
    ReplySlot<std::string> antennaName;
    ReplySlot<BaseOutputReply> baseOutput;
    ReplySlot<std::string> siteName;
    ReplySlot<double> recordingInterval;
    ReplySlot<std::int32_t> recording;
    ReplySlot<AtlReply> atl;
    ReplySlot<std::int32_t> memory;
    ReplySlot<std::int32_t> wti;
    ReplySlot<VersionReply> version;
    ReplySlot<NptReply> npt;
    ReplySlot<std::string> fileName;

private:
    static constexpr std::size_t index(ReplyKind kind) { return static_cast<std::size_t>(kind); }
    // The bitmap covers every PRN a GSA can list; larger ones are looked for in the list.
    static constexpr int kUsedBits = 256;
    bool isInUsedList(std::int32_t prn) const;

    PositionRecord m_working;
    SatelliteTable m_workingSatellites{};
    UsedList m_usedList{};
    std::array<std::uint64_t, kUsedBits / 64> m_usedBits{};
    std::atomic<bool> m_resultPending{false};
    std::atomic<ResultSource> m_awaitedResult{ResultSource::None};
    std::array<std::atomic<bool>, static_cast<std::size_t>(ReplyKind::Count)> m_received{};
};

}  // namespace quorrel
