#include "ctl/InterruptWatcher.h"

#include <poll.h>
#include <signal.h>
#include <sys/eventfd.h>
#include <sys/signalfd.h>
#include <unistd.h>
#include <chrono>
#include <cstdlib>

namespace quorrel {
namespace {

sigset_t interruptSignals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    return set;
}

}  // namespace

InterruptWatcher::InterruptWatcher() {
    const sigset_t set = interruptSignals();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    m_signalFd = signalfd(-1, &set, SFD_CLOEXEC);
    m_stopFd = eventfd(0, EFD_CLOEXEC);
    m_thread = std::thread([this] { watch(); });
}

InterruptWatcher::~InterruptWatcher() {
    const std::uint64_t one = 1;
    if (write(m_stopFd, &one, sizeof one) < 0) {
        // Nothing else can wake the thread; leaving it is better than hanging here.
        m_thread.detach();
    } else {
        m_thread.join();
    }
    close(m_signalFd);
    close(m_stopFd);
}

void InterruptWatcher::setOnInterrupt(std::function<void()> onInterrupt) {
    std::lock_guard<std::mutex> guard(m_mutex);
    m_onInterrupt = std::move(onInterrupt);
}

bool InterruptWatcher::sleep(int ms) {
    std::unique_lock<std::mutex> lock(m_mutex);
    return !m_changed.wait_for(lock, std::chrono::milliseconds(ms),
                               [this] { return interrupted(); });
}

void InterruptWatcher::watch() {
    for (;;) {
        pollfd fds[2] = {{m_signalFd, POLLIN, 0}, {m_stopFd, POLLIN, 0}};
        if (poll(fds, 2, -1) < 0) continue;
        if (fds[1].revents) return;
        signalfd_siginfo info{};
        if (read(m_signalFd, &info, sizeof info) != sizeof info) continue;
        // A second signal: the user does not want to wait for the receiver any longer.
        if (interrupted()) std::_Exit(128 + int(info.ssi_signo));
        std::function<void()> onInterrupt;
        {
            std::lock_guard<std::mutex> guard(m_mutex);
            m_signal = int(info.ssi_signo);
            onInterrupt = m_onInterrupt;
        }
        m_changed.notify_all();
        if (onInterrupt) onInterrupt();
    }
}

}  // namespace quorrel
