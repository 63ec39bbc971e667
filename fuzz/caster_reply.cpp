// Arbitrary bytes as a caster's answer: the board's classification of the reply, the
// source-table cut and the station search stay inside what they were given.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "sim/board/NtripResponse.h"

using namespace quorrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const CasterReply reply = classifyCasterReply(bytes);
    if (reply.answer == CasterAnswer::Stream && reply.headerLength > size) std::abort();
    if (const auto table = completeSourceTable(bytes)) {
        if (table->size() > size + 2 || !table->starts_with("SOURCETABLE 200 OK")) std::abort();
        if (table->substr(table->size() - 16) != "ENDSOURCETABLE\r\n") std::abort();
    }
    double latitude = 0, longitude = 0;
    findStation(bytes, bytes.substr(0, size % 8), latitude, longitude);
    return 0;
}
