#pragma once

#include <QString>
#include <cstddef>
#include <vector>

#include "ui/link/ExclusiveFile.h"
#include "ui/link/HistoryEntry.h"
#include "ui/link/HistoryLayout.h"

namespace quorrel {

// The connections a configuration page remembers, backed by one history file that stays
// locked from load (construction) to release (destruction). Nothing is ever reported: a
// file that cannot be read gives an empty history.
class ConnectionHistory {
public:
    static constexpr std::size_t kMaxEntries = 99;

    // Loads `layout.fileName` from `folder`, creating the folder (0700) and the file (0600)
    // when missing.
    explicit ConnectionHistory(const HistoryLayout& layout,
                               const QString& folder = defaultFolder());
    ~ConnectionHistory() { release(); }
    ConnectionHistory(const ConnectionHistory&) = delete;
    ConnectionHistory& operator=(const ConnectionHistory&) = delete;

    // Remembers `entry`: an entry with the same key (exact, letter case counting) takes its
    // values in place; otherwise it is appended while there are fewer than 99. Values are cut
    // to their fields' capacities. False when nothing was stored: an empty key, a value with
    // ";" or a line break, a full history, or after release.
    bool add(const HistoryEntry& entry);
    // Every entry, in the order they were first remembered.
    const std::vector<HistoryEntry>& entries() const { return m_entries; }

    // Rewrites the file from the entries (atomically) and lets it go; the entries are
    // dropped. Does nothing when another holder has the file locked, or when called again.
    // True when the file was written.
    bool release();

    // True while the file is open and locked by this history.
    bool isHeld() const { return m_file.isHeld(); }
    const QString& filePath() const { return m_path; }
    const HistoryLayout& layout() const { return m_layout; }

    // The program's data folder (XDG, e.g. ~/.local/share/<program>).
    static QString defaultFolder();

private:
    void load();

    const HistoryLayout& m_layout;
    QString m_path;
    ExclusiveFile m_file;
    ExclusiveFile::Status m_status = ExclusiveFile::Status::Closed;
    std::vector<HistoryEntry> m_entries;
    bool m_released = false;
};

}  // namespace quorrel
