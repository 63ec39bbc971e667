#include "platform/WorkerThread.h"

#include <chrono>
#include <thread>

namespace quorrel {

WorkerThread::WorkerThread(Runnable& runnable)
    : m_runnable(runnable), m_state(std::make_shared<State>()) {
    std::thread([state = m_state, &runnable] {
        const std::uint32_t code = runnable.run();
        std::lock_guard<std::mutex> guard(state->mutex);
        state->exitCode = code;
        state->finished = true;
        state->ended.notify_all();
    }).detach();
}

WorkerThread::~WorkerThread() = default;

bool WorkerThread::waitForEnd(int timeoutMs) {
    std::unique_lock<std::mutex> lock(m_state->mutex);
    if (timeoutMs < 0) {
        m_state->ended.wait(lock, [this] { return m_state->finished; });
        return true;
    }
    return m_state->ended.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                   [this] { return m_state->finished; });
}

bool WorkerThread::isRunning() const {
    std::lock_guard<std::mutex> guard(m_state->mutex);
    return !m_state->finished;
}

std::uint32_t WorkerThread::exitCode() const {
    std::lock_guard<std::mutex> guard(m_state->mutex);
    return m_state->exitCode;
}

}  // namespace quorrel
