#pragma once

#include <mutex>

namespace quorrel {

// A re-entrant lock without time-out.
class Lock {
public:
    void lock() { m_mutex.lock(); }
    void unlock() { m_mutex.unlock(); }

private:
    std::recursive_mutex m_mutex;
};

// Holds a Lock for one scope.
class LockGuard {
public:
    explicit LockGuard(Lock& lock) : m_lock(lock) { m_lock.lock(); }
    LockGuard(const LockGuard&) = delete;
    LockGuard& operator=(const LockGuard&) = delete;
    ~LockGuard() { m_lock.unlock(); }

private:
    Lock& m_lock;
};

}  // namespace quorrel
