#pragma once

#include <initializer_list>
#include <ostream>
#include <string>
#include <vector>

#include "ui/link/HistoryEntry.h"

namespace quorrel {

// Failures show an entry as its values.
inline void PrintTo(const HistoryEntry& entry, std::ostream* out) {
    *out << "{";
    for (const std::string& value : entry.values())
        *out << " \"" << value << "\"";
    *out << " }";
}

namespace test {

inline HistoryEntry entry(std::initializer_list<std::string> values) {
    return HistoryEntry(std::vector<std::string>(values));
}

}  // namespace test
}  // namespace quorrel
