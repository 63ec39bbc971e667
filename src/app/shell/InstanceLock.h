#pragma once

#include <string>

namespace quorrel {

// The single-instance guard: an exclusive lock on a file named after "Quorrel" in the user's
// runtime folder, held for the lifetime of the object. The system drops the lock when the
// process ends, however it ends. A lock file that cannot be created or locked for any reason
// other than another holder counts as a first instance.
class InstanceLock {
public:
    explicit InstanceLock(const std::string& path = defaultPath());
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // True when another process (or another lock object) already holds the guard.
    bool isDuplicate() const { return m_duplicate; }
    bool isHeld() const { return m_fd >= 0; }

    // "$XDG_RUNTIME_DIR/Quorrel.lock", else "/tmp/Quorrel-<uid>.lock".
    static std::string defaultPath();

private:
    int m_fd = -1;
    bool m_duplicate = false;
};

}  // namespace quorrel
