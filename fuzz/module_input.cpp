// Arbitrary bytes as the module receives them: its framer hands out only lines that run from
// "$" to LF within the limit and payloads whose frame was whole and checked, and keeps no
// more than one unfinished unit pending.
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "sim/module/ModuleFrame.h"
#include "sim/module/ModuleInputFramer.h"
#include "sim/module/ModuleMessages.h"

using namespace quorrel;

namespace {

void checkUnit(const ModuleInputUnit& unit) {
    const auto& b = unit.bytes;
    if (b.empty()) std::abort();
    if (unit.binary) {
        if (b.size() > kModulePayloadLimit) std::abort();
        return;
    }
    if (b.front() != '$' || b.back() != '\n' || b.size() > ModuleInputFramer::kLineLimit)
        std::abort();
    hasCheckedNmeaTail(std::string(b.begin(), b.end()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // The first byte picks how the bytes are cut into reads.
    const std::size_t piece = 1 + data[0] % 32;
    ModuleInputFramer framer;
    for (std::size_t at = 1; at < size; at += piece) {
        const std::size_t length = std::min(piece, size - at);
        for (const ModuleInputUnit& unit : framer.push(data + at, length))
            checkUnit(unit);
        if (framer.pendingBytes() > kModulePayloadLimit + 8) std::abort();
    }
    return 0;
}
