#include "ui/link/HistoryChoices.h"

#include <algorithm>

namespace quorrel {

QStringList historyListItems(const std::vector<HistoryEntry>& entries,
                             const HistoryLayout& layout) {
    QStringList items;
    for (const HistoryEntry& entry : entries) {
        const QString key = entry.text(layout.keyField);
        if (key.isEmpty()) continue;
        const bool covered = std::any_of(items.cbegin(), items.cend(), [&key](const QString& item) {
            return item.startsWith(key, Qt::CaseInsensitive);
        });
        if (!covered) items.append(key);
    }
    // No two items are equal without regard to case: the later would begin with the earlier.
    std::sort(items.begin(), items.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    return items;
}

const HistoryEntry* findHistoryEntry(const std::vector<HistoryEntry>& entries,
                                     const HistoryLayout& layout, const QString& key) {
    if (key.isEmpty()) return nullptr;
    const auto found = std::find_if(entries.cbegin(), entries.cend(), [&](const HistoryEntry& e) {
        return e.text(layout.keyField) == key;
    });
    return found == entries.cend() ? nullptr : &*found;
}

HistoryValueFault historyValueFault(const QString& value) {
    // ";", CR and LF keep their bytes in Latin-1; other characters cannot become them.
    const QByteArray bytes = value.toLatin1();
    return historyValueFault(std::string_view(bytes.constData(), std::size_t(bytes.size())));
}

}  // namespace quorrel
