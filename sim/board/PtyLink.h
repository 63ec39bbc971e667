#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>

#include "platform/PseudoTerminal.h"
#include "sim/board/CommandFramer.h"

namespace quorrel {

// The board's UART on the master side of a pseudo-terminal. Input is cut into sentences. Output
// waits in a queue until its time and is written without blocking; each piece carries the
// rate it was sent at, and goes out as line noise when the program's side of the line is
// set to another rate, as a real UART would look from the wrong rate. Noise never holds a
// "$", so it can never look like the head of a sentence.
class PtyLink {
public:
    // Epoch output is dropped rather than queued beyond this while nobody reads the port.
    static constexpr std::size_t kEpochBacklogLimit = 256 * 1024;
    // Nothing more is queued beyond this (a reader that never reads).
    static constexpr std::size_t kBacklogLimit = 32 * 1024 * 1024;

    PtyLink();

    // Sends no faster than lineRate() allows (ten bits a byte), in slices of kPaceSliceMs.
    void setLineRatePacing(bool on) { m_paced = on; }
    static constexpr int kPaceSliceMs = 10;

    bool isOpen() const { return m_pty.isOpen(); }
    int fd() const { return m_pty.masterFd(); }
    const std::string& devicePath() const { return m_pty.slavePath(); }
    // The rate the program's side of the line is set to (0 when unknown).
    std::uint32_t lineRate() const { return m_pty.slaveBaudRate(); }

    // Reads what is waiting. Sentences received at `listeningBaud` go to `onLine`, without
    // CR LF; at any other rate the bytes are garbage to the UART and are dropped. False when
    // the device is gone.
    bool readInput(std::uint32_t listeningBaud, const std::function<void(std::string)>& onLine);
    // Queues `bytes` to go out at `dueMs`, sent at `baud`. `droppable` output is lost when
    // the backlog is long.
    void queue(std::string bytes, std::int64_t dueMs, std::uint32_t baud, bool droppable);
    // Writes what is due without blocking; false when the device is gone.
    bool flush(std::int64_t nowMs);
    bool wantsWrite() const { return !m_ready.empty() && (!m_paced || m_credit >= 1.0); }
    // Steady time of the next delayed piece or paced slice, or -1.
    std::int64_t nextDueMs() const;
    std::size_t backlogBytes() const { return m_backlog; }
    // Closes the device: whoever holds the slave sees it vanish.
    void unplug() { m_pty.closeMaster(); }

private:
    struct Piece {
        std::string bytes;
        std::uint32_t baud;
    };

    void promoteDue(std::int64_t nowMs);
    // How many bytes the line takes now; no limit without pacing.
    std::size_t allowance(std::int64_t nowMs);
    void garble(std::string& bytes);

    PseudoTerminal m_pty;
    CommandFramer m_framer;
    std::multimap<std::int64_t, Piece> m_delayed;
    std::deque<Piece> m_ready;
    std::size_t m_written = 0;  // bytes of m_ready.front() already out
    std::size_t m_backlog = 0;
    std::uint32_t m_noise = 0x2545F491u;
    bool m_paced = false;
    double m_credit = 0.0;  // bytes the line could have taken since the last write
    std::int64_t m_creditMs = -1;
};

}  // namespace quorrel
