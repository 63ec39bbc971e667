#include "sim/board/PtyLink.h"

#include <fcntl.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <limits>

namespace quorrel {

PtyLink::PtyLink() {
    if (!m_pty.isOpen()) return;
    const int flags = fcntl(m_pty.masterFd(), F_GETFL);
    fcntl(m_pty.masterFd(), F_SETFL, flags | O_NONBLOCK);
}

bool PtyLink::readInput(std::uint32_t listeningBaud,
                        const std::function<void(std::string)>& onLine) {
    if (!isOpen()) return false;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(fd(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            // EIO: nobody holds the slave right now; not a failure of the board's side.
            return errno == EAGAIN || errno == EIO;
        }
        if (n == 0) return true;
        if (lineRate() != listeningBaud) {
            m_framer.reset();
            continue;
        }
        m_framer.push(std::string_view(buffer, std::size_t(n)), onLine);
    }
}

void PtyLink::queue(std::string bytes, std::int64_t dueMs, std::uint32_t baud, bool droppable) {
    if (droppable && m_backlog > kEpochBacklogLimit) return;
    if (m_backlog + bytes.size() > kBacklogLimit) return;
    m_backlog += bytes.size();
    m_delayed.emplace(dueMs, Piece{std::move(bytes), baud});
}

void PtyLink::promoteDue(std::int64_t nowMs) {
    while (!m_delayed.empty() && m_delayed.begin()->first <= nowMs) {
        m_ready.push_back(std::move(m_delayed.begin()->second));
        m_delayed.erase(m_delayed.begin());
    }
}

// Every byte with the top bit set: never "$", CR, LF or a letter of a sentence head.
void PtyLink::garble(std::string& bytes) {
    for (char& c : bytes) {
        m_noise ^= m_noise << 13;
        m_noise ^= m_noise >> 17;
        m_noise ^= m_noise << 5;
        c = static_cast<char>(0x80 | ((m_noise ^ static_cast<unsigned char>(c)) & 0x7F));
    }
}

bool PtyLink::flush(std::int64_t nowMs) {
    if (!isOpen()) return false;
    promoteDue(nowMs);
    std::size_t allowed = allowance(nowMs);
    while (!m_ready.empty() && allowed > 0) {
        Piece& piece = m_ready.front();
        if (m_written == 0 && piece.baud != lineRate()) garble(piece.bytes);
        const std::size_t length = std::min(piece.bytes.size() - m_written, allowed);
        const ssize_t n = ::write(fd(), piece.bytes.data() + m_written, length);
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno == EAGAIN || errno == EIO;
        }
        m_written += std::size_t(n);
        allowed -= std::size_t(n);
        if (m_paced) m_credit -= double(n);
        if (m_written == piece.bytes.size()) {
            m_backlog -= piece.bytes.size();
            m_ready.pop_front();
            m_written = 0;
        }
    }
    return true;
}

std::size_t PtyLink::allowance(std::int64_t nowMs) {
    const std::uint32_t rate = lineRate();
    if (!m_paced || rate == 0) return std::numeric_limits<std::size_t>::max();
    const double bytesPerMs = rate / 10000.0;
    // An idle line saves up no more than a couple of slices: bursts stay short.
    const double most = std::max(16.0, bytesPerMs * 2 * kPaceSliceMs);
    if (m_creditMs >= 0)
        m_credit = std::min(most, m_credit + bytesPerMs * double(nowMs - m_creditMs));
    m_creditMs = nowMs;
    return m_credit >= 1.0 ? std::size_t(m_credit) : 0;
}

std::int64_t PtyLink::nextDueMs() const {
    const std::int64_t delayed = m_delayed.empty() ? -1 : m_delayed.begin()->first;
    if (!m_paced || m_ready.empty() || m_credit >= 1.0) return delayed;
    const std::int64_t slice = m_creditMs + kPaceSliceMs;
    return delayed < 0 ? slice : std::min(delayed, slice);
}

}  // namespace quorrel
