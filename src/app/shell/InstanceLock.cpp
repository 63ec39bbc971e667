#include "app/shell/InstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <cerrno>
#include <cstdlib>

namespace quorrel {

InstanceLock::InstanceLock(const std::string& path) {
    // Close-on-exec: a simulator started by the program must not inherit the guard.
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        m_fd = fd;
        return;
    }
    m_duplicate = errno == EWOULDBLOCK;
    ::close(fd);
}

InstanceLock::~InstanceLock() {
    if (m_fd >= 0) ::close(m_fd);
}

std::string InstanceLock::defaultPath() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime) return std::string(runtime) + "/Quorrel.lock";
    return "/tmp/Quorrel-" + std::to_string(::getuid()) + ".lock";
}

}  // namespace quorrel
