#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "platform/Event.h"
#include "platform/Runnable.h"
#include "platform/SerialPort.h"
#include "receiver/link/LinkTimeouts.h"
#include "receiver/link/ReceiverStatus.h"

namespace quorrel {

// The live connection to the receiver board: the reader thread's body, the status record
// with its reply slots, and the transaction primitives the command methods use.
//
// Threads: run() is the reader thread; every other member is for the GUI thread, one
// transaction at a time. The reader's three events exist only while it runs; the GUI thread
// holds them through shared ownership, so a wait never touches a destroyed event, and the
// reader closes them when it ends so that every wait then fails at once.
class ReceiverSession : public Runnable {
public:
    explicit ReceiverSession(SerialPort& port);
    ReceiverSession(const ReceiverSession&) = delete;
    ReceiverSession& operator=(const ReceiverSession&) = delete;
    ~ReceiverSession() override;

    std::uint32_t run() override;
    void requestStop() override;

    // Takes the read silence from `timeouts` for the next reader thread.
    void setTimeouts(const LinkTimeouts& timeouts);
    // Called on the reader thread when it ends without a stop request (the port failed or
    // vanished), after its events are closed and isRunning() is false. It must not call back
    // into the receiver (Close would wait for this very thread); post to the GUI thread.
    void setLinkLostCallback(std::function<void()> callback);

    // Before a reader thread is created: marks the session as starting.
    void prepareStart();
    // Waits until the reader thread has created its events (true) or ended without them.
    bool waitStarted(int timeoutMs);
    // True while a reader thread runs with its events.
    bool isRunning() const;

    // Resets the reply event and clears the ACK flag and the received-flags (except ANP,
    // NPT and the recording-stopped flag).
    void beginTransaction();
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
    const ReceiverStatus& status() const { return m_status; }

private:
    struct Events {
        Event alive;
        Event reply;
        Event epoch;
    };
    enum class Phase { Stopped, Starting, Running };

    std::shared_ptr<Events> events() const;
    void publishEvents(std::shared_ptr<Events> events, Phase phase);
    void readUntilStopped(Events& events);

    SerialPort& m_port;
    ReceiverStatus m_status;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_readSilenceMs{LinkTimeouts{}.readSilenceMs};

    mutable std::mutex m_mutex;  // guards the three members below
    std::condition_variable m_phaseChanged;
    std::shared_ptr<Events> m_events;
    Phase m_phase = Phase::Stopped;
    std::function<void()> m_linkLost;
};

}  // namespace quorrel
