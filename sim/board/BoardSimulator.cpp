#include "sim/board/BoardSimulator.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>

namespace quorrel {

BoardSimulator::BoardSimulator(BoardConfig config)
    : m_config(std::move(config)), m_board(m_config, *this) {
    m_wakeFd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    m_pty.setLineRatePacing(m_config.lineRatePacing);
}

BoardSimulator::~BoardSimulator() {
    stop();
    if (m_wakeFd >= 0) ::close(m_wakeFd);
}

bool BoardSimulator::start() {
    if (m_thread.joinable()) return m_running;
    if (!m_pty.isOpen() || m_wakeFd < 0) return false;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_loopNowMs = steadyMs();
        m_board.start(m_loopNowMs, utcMs());
    }
    m_stop = false;
    m_running = true;
    m_thread = std::thread([this] { run(); });
    return true;
}

void BoardSimulator::stop() {
    m_stop = true;
    wake();
    if (m_thread.joinable()) m_thread.join();
    m_running = false;
}

bool BoardSimulator::createLink(const std::string& path) const {
    struct stat info {};
    if (lstat(path.c_str(), &info) == 0) {
        // Only ever replace a link, never a file someone keeps there.
        if (!S_ISLNK(info.st_mode) || ::unlink(path.c_str()) != 0) return false;
    }
    return ::symlink(devicePath().c_str(), path.c_str()) == 0;
}

BoardStatus BoardSimulator::status() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_board.status();
}

void BoardSimulator::setCorrectionLink(bool up) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_board.setDriverLink(up);
    wake();
}

void BoardSimulator::forceSolution(std::optional<SolutionKind> kind) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_board.forceSolution(kind);
}

void BoardSimulator::setDialAnswers(bool answers) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_board.setDialAnswers(answers);
}

bool BoardSimulator::setOutput(char port, const std::string& message, double periodS) {
    const std::optional<BoardMessage> which = messageByName(message);
    if (!which || port < 'A' || port > 'F') return false;
    std::lock_guard<std::mutex> lock(m_mutex);
    m_board.setOutput(port - 'A', *which, periodS);
    wake();
    return true;
}

void BoardSimulator::nak(const std::string& command, int times) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_faults.nak(command, times);
}

void BoardSimulator::ignore(const std::string& command, int times) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_faults.ignore(command, times);
}

void BoardSimulator::corruptChecksum(const std::string& reply, int times) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_faults.corruptChecksum(reply, times);
}

void BoardSimulator::silence(bool on) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_faults.setSilent(on);
}

void BoardSimulator::unplug() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_pty.unplug();
    wake();
}

void BoardSimulator::delayReplies(int ms) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_faults.setReplyDelayMs(std::max(ms, 0));
}

void BoardSimulator::clearFaults() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_faults.clear();
}

// Called by the board, on the loop thread, with the lock held.
void BoardSimulator::send(std::string bytes, OutputKind kind) {
    if (m_faults.isSilent()) return;
    m_faults.corrupt(bytes);
    const std::int64_t delay = kind == OutputKind::Reply ? m_faults.replyDelayMs() : 0;
    m_pty.queue(std::move(bytes), m_loopNowMs + delay, m_board.listeningBaud(),
                kind == OutputKind::Epoch);
}

void BoardSimulator::onLine(std::string line) {
    m_log.add(line);
    if (m_faults.isSilent()) return;
    switch (m_faults.actionFor(line)) {
        case FaultInjector::Action::Ignore:
            return;
        case FaultInjector::Action::Nak:
            if (std::optional<Command> command = parseCommand(line))
                BoardOutput::nak(command->code);
            return;
        case FaultInjector::Action::Normal:
            m_board.handleLine(line);
            return;
    }
}

void BoardSimulator::run() {
    std::vector<pollfd> fds;
    std::vector<TcpClient*> sockets;
    for (;;) {
        int timeoutMs = 0;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_stop || !m_pty.isOpen()) break;
            timeoutMs = planPoll(fds, sockets);
        }
        if (::poll(fds.data(), fds.size(), timeoutMs) < 0 && errno != EINTR) break;
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_stop || !serve(fds, sockets)) break;
    }
    m_running = false;
}

// The pty, the wake-up event, then one entry per IP socket; returns the poll time-out.
int BoardSimulator::planPoll(std::vector<pollfd>& fds, std::vector<TcpClient*>& sockets) {
    sockets.clear();
    m_board.collectSockets(sockets);
    fds.clear();
    fds.push_back({m_pty.fd(), short(POLLIN | (m_pty.wantsWrite() ? POLLOUT : 0)), 0});
    fds.push_back({m_wakeFd, POLLIN, 0});
    for (TcpClient* socket : sockets)
        fds.push_back({socket->fd(), socket->pollEvents(), 0});
    const std::int64_t now = steadyMs();
    std::int64_t next = m_board.nextWakeMs();
    if (m_pty.nextDueMs() >= 0) next = std::min(next, m_pty.nextDueMs());
    return static_cast<int>(std::clamp<std::int64_t>(next - now, 0, 1000));
}

bool BoardSimulator::serve(const std::vector<pollfd>& fds, const std::vector<TcpClient*>& sockets) {
    std::uint64_t wakes = 0;
    if (fds[1].revents & POLLIN) (void)!::read(m_wakeFd, &wakes, sizeof wakes);
    if (!m_pty.isOpen()) return false;
    m_loopNowMs = steadyMs();
    const std::int64_t utc = utcMs();
    m_board.setClock(m_loopNowMs, utc);
    for (std::size_t i = 0; i < sockets.size(); ++i)
        sockets[i]->onPoll(fds[i + 2].revents);
    const bool open = m_pty.readInput(m_board.listeningBaud(),
                                      [this](std::string line) { onLine(std::move(line)); });
    if (!open) return false;
    m_board.advance(m_loopNowMs, utc);
    return m_pty.flush(m_loopNowMs);
}

void BoardSimulator::wake() const {
    const std::uint64_t one = 1;
    if (m_wakeFd >= 0) (void)!::write(m_wakeFd, &one, sizeof one);
}

std::int64_t BoardSimulator::steadyMs() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 m_origin)
        .count();
}

std::int64_t BoardSimulator::utcMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

}  // namespace quorrel
