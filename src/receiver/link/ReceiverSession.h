#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "platform/CallbackList.h"
#include "platform/Event.h"
#include "platform/Runnable.h"
#include "platform/SerialPort.h"
#include "receiver/link/LinkTimeouts.h"
#include "receiver/link/ReceiverStatus.h"
#include "receiver/link/TableProgress.h"

namespace quorrel {

// The live connection to the receiver board: the reader thread's body, the status record
// with its reply slots, and the transaction primitives the command methods use.
//
// Threads: run() is the reader thread; every other member is for the thread that runs the
// receiver's operations, one transaction at a time (a second one started meanwhile, from any
// thread, is refused). The reader's three events exist only while it runs; the waiting thread
// holds them through shared ownership, so a wait never touches a destroyed event, and the
// reader closes them when it ends so that every wait then fails at once.
class ReceiverSession : public Runnable {
public:
    // One command and its reply. While it lasts no other transaction can begin; an empty one
    // (false) was refused because another was running.
    class Transaction {
    public:
        Transaction() = default;
        Transaction(Transaction&& other) noexcept : m_session(other.m_session) {
            other.m_session = nullptr;
        }
        Transaction(const Transaction&) = delete;
        Transaction& operator=(const Transaction&) = delete;
        Transaction& operator=(Transaction&&) = delete;
        ~Transaction();
        explicit operator bool() const { return m_session != nullptr; }

    private:
        friend class ReceiverSession;
        explicit Transaction(ReceiverSession* session) : m_session(session) {}
        ReceiverSession* m_session = nullptr;
    };

    explicit ReceiverSession(SerialPort& port);
    ReceiverSession(const ReceiverSession&) = delete;
    ReceiverSession& operator=(const ReceiverSession&) = delete;
    ~ReceiverSession() override;

    std::uint32_t run() override;
    void requestStop() override;

    // Takes the read silence from `timeouts` for the next reader thread.
    void setTimeouts(const LinkTimeouts& timeouts);
    // `listener` runs on the reader thread when it ends without a stop request (the port
    // failed or vanished), after its events are closed and isRunning() is false. It must not
    // call back into the receiver (Close would wait for this very thread); post to the GUI
    // thread. Once removeLinkLostListener returns, the listener is not running and never runs
    // again.
    int addLinkLostListener(std::function<void()> listener);
    void removeLinkLostListener(int id);

    // Before a reader thread is created: marks the session as starting.
    void prepareStart();
    // From any thread: ends the running reader within a fraction of a second, and every reader
    // started after it at once, until resume(). Its end is not a lost link.
    void cancel();
    void resume();
    // Waits until the reader thread has created its events (true) or ended without them.
    bool waitStarted(int timeoutMs);
    // True while a reader thread runs with its events.
    bool isRunning() const;

    // Begins the transaction of `command` (the sentence about to be sent): resets the reply
    // event and clears the ACK flag and the received-flags (except ANP, NPT and the
    // recording-stopped flag). While another transaction runs it changes nothing, says so in
    // one line on standard error and returns an empty transaction.
    [[nodiscard]] Transaction beginTransaction(const std::string& command);
    // Writes `text` (ending in CR LF) in one write; true when every byte went out.
    bool sendCommand(const std::string& text);
    // Each is true when its event exists and is signalled within the time; false at once
    // while no reader thread runs.
    bool waitReply(int timeoutMs);
    bool waitAlive(int timeoutMs);
    bool waitEpoch(int timeoutMs);
    void resetReplyEvent();
    void resetAliveEvent();

    ReceiverStatus& status() { return m_status; }
    // The source-table block the reader is taking in.
    TableProgress& tableProgress() { return m_tableProgress; }
    const ReceiverStatus& status() const { return m_status; }

private:
    struct Events {
        Event alive;
        Event reply;
        Event epoch;
    };
    enum class Phase { Stopped, Starting, Running };

    void endTransaction();
    std::shared_ptr<Events> events() const;
    void publishEvents(std::shared_ptr<Events> events, Phase phase);
    void readUntilStopped(Events& events);

    SerialPort& m_port;
    ReceiverStatus m_status;
    TableProgress m_tableProgress;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_readSilenceMs{LinkTimeouts{}.readSilenceMs};

    mutable std::mutex m_mutex;  // guards the members below
    std::condition_variable m_phaseChanged;
    std::shared_ptr<Events> m_events;
    Phase m_phase = Phase::Stopped;
    bool m_cancelled = false;
    std::string m_transaction;  // the running transaction's command, empty when none

    CallbackList m_linkLost;
};

}  // namespace quorrel
