#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quorrel {

// One thing the module made out of its input: an NMEA line ("$" up to LF, as received) or
// the payload of a binary frame whose length, checksum and tail were right.
struct ModuleInputUnit {
    bool binary = false;
    std::vector<std::uint8_t> bytes;
};

// Cuts what the module receives into NMEA lines and binary frames. A line is dropped when a
// "$" or a frame head comes before its LF, or when it grows past kLineLimit. A bad frame is
// dropped and the search starts again at the byte after its head, so that a stray A0 A2
// costs no good frame behind it.
class ModuleInputFramer {
public:
    static constexpr std::size_t kLineLimit = 256;

    // Appends `length` received bytes; returns the units they complete, oldest first.
    std::vector<ModuleInputUnit> push(const std::uint8_t* bytes, std::size_t length);
    // Forgets what is pending, as garbled input does.
    void reset() { m_pending.clear(); }
    // Bytes held for a unit not yet complete: never more than the longest frame.
    std::size_t pendingBytes() const { return m_pending.size(); }

private:
    enum class Scan { NeedMore, NotAUnit, Unit };

    Scan scanLine(std::size_t at, ModuleInputUnit& unit) const;
    Scan scanFrame(std::size_t at, ModuleInputUnit& unit) const;
    bool isFrameHead(std::size_t at) const;

    std::vector<std::uint8_t> m_pending;  // from the start of a possible unit on
};

}  // namespace quorrel
