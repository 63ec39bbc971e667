#include "ui/link/ConnectionHistory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "ui/link/HistoryFileFormat.h"

namespace quorrel {
namespace {

// A new data folder is private to its owner, as XDG asks.
void makeFolder(const QString& folder) {
    if (folder.isEmpty() || QFileInfo(folder).isDir()) return;
    const QString clean = QDir::cleanPath(folder);
    QDir().mkpath(QFileInfo(clean).absolutePath());
    QDir().mkdir(clean, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

std::string localPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

}  // namespace

ConnectionHistory::ConnectionHistory(const HistoryLayout& layout, const QString& folder)
    : m_layout(layout), m_path(QDir(folder).filePath(QString::fromLatin1(layout.fileName))) {
    makeFolder(folder);
    load();
}

void ConnectionHistory::load() {
    m_status = m_file.open(localPath(m_path));
    HistoryFileParser parser(m_layout);
    m_file.read([&parser](std::string_view bytes) {
        parser.feed(bytes);
        return parser.wantsMore();
    });
    m_entries = parser.finish();
}

QString ConnectionHistory::defaultFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

bool ConnectionHistory::add(const HistoryEntry& entry) {
    if (m_released) return false;
    HistoryEntry stored;
    for (int k = 0; k < m_layout.fieldCount(); ++k) {
        stored.setValue(k, storedHistoryValue(m_layout.fields[std::size_t(k)], entry.value(k)));
        if (historyValueFault(stored.value(k)) != HistoryValueFault::None) return false;
    }
    const std::string& key = stored.value(m_layout.keyField);
    if (key.empty()) return false;
    for (HistoryEntry& remembered : m_entries) {
        if (remembered.value(m_layout.keyField) == key) {
            remembered = std::move(stored);
            return true;
        }
    }
    if (m_entries.size() >= kMaxEntries) return false;
    m_entries.push_back(std::move(stored));
    return true;
}

bool ConnectionHistory::release() {
    if (m_released) return false;
    m_released = true;
    // A file another holder has locked is theirs to write.
    const bool written =
        m_status != ExclusiveFile::Status::HeldElsewhere &&
        replaceFileAtomically(localPath(m_path), formatHistoryFile(m_entries, m_layout));
    m_file.close();
    m_entries.clear();
    return written;
}

}  // namespace quorrel
