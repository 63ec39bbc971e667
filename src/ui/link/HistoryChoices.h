#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "ui/link/HistoryEntry.h"
#include "ui/link/HistoryLayout.h"

namespace quorrel {

// The items of a page's drop-down list: the key of each entry, in file order, unless it is
// empty or an item already taken begins with it (letter case ignored); sorted
// alphabetically, letter case ignored.
QStringList historyListItems(const std::vector<HistoryEntry>& entries, const HistoryLayout& layout);

// The first entry whose key equals `key` exactly; null when there is none or `key` is empty.
const HistoryEntry* findHistoryEntry(const std::vector<HistoryEntry>& entries,
                                     const HistoryLayout& layout, const QString& key);

// What a page checks before OK: a value the history file cannot hold.
HistoryValueFault historyValueFault(const QString& value);

}  // namespace quorrel
