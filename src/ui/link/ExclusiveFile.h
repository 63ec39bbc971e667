#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace quorrel {

// A file held open under an advisory exclusive lock (flock) until close. Files are
// replaced by renaming a new one over them, so a lock is taken only on a file the path
// still names after locking.
class ExclusiveFile {
public:
    enum class Status {
        Closed,
        Held,           // open and locked by this object
        HeldElsewhere,  // another holder has it locked
        Unavailable,    // cannot be opened or created
    };

    ExclusiveFile() = default;
    ~ExclusiveFile() { close(); }
    ExclusiveFile(const ExclusiveFile&) = delete;
    ExclusiveFile& operator=(const ExclusiveFile&) = delete;

    // Opens `path` for reading and writing, creating it (0600) when missing, and locks it
    // without waiting.
    Status open(const std::string& path);
    // Hands the file from its start to `consume` piece by piece until it returns false, the
    // end of the file or a failed read.
    void read(const std::function<bool(std::string_view)>& consume) const;
    void close();

    bool isHeld() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

// Replaces the file at `path` with `bytes`: writes "<path>.tmp" (0600) beside it, flushes it
// to the disk and renames it over `path`, so an interruption or a full disk leaves the old
// file whole. False when a step failed; `path` is then untouched and the temporary removed.
// The fixed temporary name is safe only for the holder of the file's lock.
bool replaceFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace quorrel
