// Arbitrary text through the source-table parser.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "receiver/StationList.h"

using namespace quorrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    static StationList stations;
    parseSourceTable(text.c_str(), stations);
    for (const StationRecord& r : stations.records())
        if (r.mountPoint.size() > 100 || r.country.size() > 5 || r.fee.size() > 2) std::abort();
    return 0;
}
