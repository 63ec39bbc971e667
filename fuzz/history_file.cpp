// Arbitrary bytes as each of the four history files, fed in two pieces split where the
// input's first byte says. What loads must be storable and must write a file that loads alike.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "ui/link/HistoryFileFormat.h"

using namespace quorrel;

namespace {

bool isStorable(const HistoryEntry& entry, const HistoryLayout& layout) {
    if (entry.value(layout.keyField).empty()) return false;
    for (int k = 0; k < layout.fieldCount(); ++k) {
        const HistoryField& field = layout.fields[std::size_t(k)];
        const std::string& value = entry.value(k);
        if (storedHistoryValue(field, value) != value) return false;
        if (historyValueFault(value) != HistoryValueFault::None) return false;
    }
    return true;
}

void check(std::string_view bytes, std::size_t split, const HistoryLayout& layout) {
    const std::vector<HistoryEntry> entries = parseHistoryFile(bytes, layout);
    if (entries.size() > kHistoryTableEntries) std::abort();
    for (const HistoryEntry& entry : entries)
        if (!isStorable(entry, layout)) std::abort();

    HistoryFileParser pieces(layout);
    pieces.feed(bytes.substr(0, split));
    pieces.feed(bytes.substr(split));
    if (pieces.finish() != entries) std::abort();

    if (parseHistoryFile(formatHistoryFile(entries, layout), layout) != entries) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t split = size == 0 ? 0 : data[0] % (size + 1);
    for (const HistoryLayout* layout : {&HistoryLayout::directIp(), &HistoryLayout::gsm(),
                                        &HistoryLayout::gprs(), &HistoryLayout::ntrip()})
        check(bytes, split, *layout);
    return 0;
}
