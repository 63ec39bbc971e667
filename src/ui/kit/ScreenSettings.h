#pragma once

#include <QString>
#include <cstdint>

namespace quorrel {

// The values a screen keeps for itself between runs ("NMEAPortIndex", "SendPosToNet"), in the
// program's settings location. Screens are handed one (through ScreenContext) instead of
// reaching a global, so tests give them their own. Qt Core only: the shell implements it.
class ScreenSettings {
public:
    virtual ~ScreenSettings() = default;

    // The 32-bit value `name`, or `fallback` when it is missing or unreadable.
    virtual std::uint32_t readDword(const QString& name, std::uint32_t fallback) const = 0;
    // Stores `value` under `name`; a failed write is ignored.
    virtual void writeDword(const QString& name, std::uint32_t value) = 0;
};

}  // namespace quorrel
