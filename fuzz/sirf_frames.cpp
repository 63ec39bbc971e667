// Arbitrary bytes through the module driver's frame assembler and then through its reader
// body (parsers, status records, raw data recorder): every unit delivered is a well-formed
// frame or line within the receive buffer, and nothing reads or writes out of bounds.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/MemoryByteSource.h"
#include "receiver/external/ExternalSession.h"
#include "receiver/external/ExternalStatus.h"
#include "receiver/external/RawDataRecorder.h"
#include "receiver/external/SirfFrame.h"
#include "receiver/external/SirfFrameAssembler.h"

using namespace quorrel;

namespace {

// The first byte picks the size of each read and whether silences come between reads.
void fill(MemoryByteSource& source, const std::uint8_t* data, std::size_t size) {
    const std::size_t chunk = 1 + data[0] % 64;
    const bool silences = data[0] & 0x80;
    for (std::size_t at = 1; at < size; at += chunk) {
        source.append(data + at, std::min(chunk, size - at));
        if (silences) source.appendSilence();
    }
}

void checkUnit(const SirfFrameAssembler& assembler) {
    const std::vector<std::uint8_t>& unit = assembler.unit();
    if (unit.size() > SirfFrameAssembler::kBufferLimit) std::abort();
    if (assembler.kind() == SirfUnitKind::NmeaLine) {
        if (unit.front() != '$' || unit.back() != '\n') std::abort();
        return;
    }
    if (unit.size() <= kSirfFrameOverhead || unit[0] != kSirfStart1 || unit[1] != kSirfStart2 ||
        unit[unit.size() - 2] != kSirfEnd1 || unit[unit.size() - 1] != kSirfEnd2)
        std::abort();
    const std::uint16_t checksum =
        std::uint16_t(unit[unit.size() - 4] << 8 | unit[unit.size() - 3]);
    if (!sirfChecksumMatches(checksum, assembler.payload(), assembler.payloadLength()))
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    MemoryByteSource source;
    fill(source, data, size);
    SirfFrameAssembler assembler(source, 0);
    SirfFrameAssembler::Result result;
    while ((result = assembler.next()) != SirfFrameAssembler::Result::Failed)
        if (result == SirfFrameAssembler::Result::Unit) checkUnit(assembler);

    MemoryByteSource again;
    fill(again, data, size);
    ExternalStatus status;
    RawDataRecorder recorder;
    recorder.start("/dev/null", "GP3", 0);
    int polls = 0;
    ExternalSession session(
        again, status, recorder, [&polls](const auto&) { ++polls; }, 0);
    session.run();
    SatelliteTable table;
    if (status.satellites(table) > kSatelliteSlots) std::abort();
    return 0;
}
