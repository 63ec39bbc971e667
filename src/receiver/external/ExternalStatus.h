#pragma once

#include <string>

#include "platform/Lock.h"
#include "receiver/external/SirfParsers.h"
#include "receiver/link/StatusRecords.h"

namespace quorrel {

// What the reader thread learns from the module, one group per lock; the GUI thread copies
// a group out whole.
class ExternalStatus {
public:
    void publishPosition(const PositionRecord& position);
    PositionRecord position() const;

    void publishSatellites(const SatelliteTable& satellites, int count);
    // Copies the table; returns the channel count.
    int satellites(SatelliteTable& satellites) const;

    void publishNavigationParameters(const NavigationParameters& parameters);
    NavigationParameters navigationParameters() const;

    void publishSoftwareVersion(const std::string& text);
    std::string softwareVersion() const;

    // Back to nothing known, before a new link.
    void clear();

private:
    mutable Lock m_positionLock;
    PositionRecord m_position;
    mutable Lock m_satelliteLock;
    SatelliteTable m_satellites{};
    int m_satelliteCount = 0;
    mutable Lock m_parameterLock;
    NavigationParameters m_parameters;
    mutable Lock m_versionLock;
    std::string m_version;
};

}  // namespace quorrel
