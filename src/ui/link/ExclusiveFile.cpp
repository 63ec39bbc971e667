#include "ui/link/ExclusiveFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace quorrel {
namespace {

constexpr mode_t kOwnerOnly = S_IRUSR | S_IWUSR;
constexpr int kOpenAttempts = 3;

bool namesSameFile(int fd, const std::string& path) {
    struct stat held {};
    struct stat named {};
    return ::fstat(fd, &held) == 0 && ::stat(path.c_str(), &named) == 0 &&
           held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes.remove_prefix(std::size_t(written));
    }
    return true;
}

// Makes the rename itself durable.
void syncFolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

ExclusiveFile::Status ExclusiveFile::open(const std::string& path) {
    close();
    for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
        const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, kOwnerOnly);
        if (fd < 0) return Status::Unavailable;
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            ::close(fd);
            return error == EWOULDBLOCK ? Status::HeldElsewhere : Status::Unavailable;
        }
        if (namesSameFile(fd, path)) {
            m_fd = fd;
            return Status::Held;
        }
        // Its holder replaced it between our open and our lock: the path names a new file.
        ::close(fd);
    }
    return Status::Unavailable;
}

void ExclusiveFile::read(const std::function<bool(std::string_view)>& consume) const {
    if (m_fd < 0 || ::lseek(m_fd, 0, SEEK_SET) != 0) return;
    char buffer[16384];
    for (;;) {
        const ssize_t got = ::read(m_fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0 || !consume(std::string_view(buffer, std::size_t(got)))) return;
    }
}

void ExclusiveFile::close() {
    if (m_fd < 0) return;
    ::close(m_fd);  // also drops the lock
    m_fd = -1;
}

bool replaceFileAtomically(const std::string& path, std::string_view bytes) {
    const std::string temporary = path + ".tmp";
    ::unlink(temporary.c_str());  // left by a release that was interrupted
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kOwnerOnly);
    if (fd < 0) return false;
    bool ok = writeAll(fd, bytes) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (!ok || ::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    syncFolderOf(path);
    return true;
}

}  // namespace quorrel
