#include "receiver/external/ExternalStatus.h"

namespace quorrel {

void ExternalStatus::publishPosition(const PositionRecord& position) {
    LockGuard guard(m_positionLock);
    m_position = position;
}

PositionRecord ExternalStatus::position() const {
    LockGuard guard(m_positionLock);
    return m_position;
}

void ExternalStatus::publishSatellites(const SatelliteTable& satellites, int count) {
    LockGuard guard(m_satelliteLock);
    m_satellites = satellites;
    m_satelliteCount = count;
}

int ExternalStatus::satellites(SatelliteTable& satellites) const {
    LockGuard guard(m_satelliteLock);
    satellites = m_satellites;
    return m_satelliteCount;
}

void ExternalStatus::publishNavigationParameters(const NavigationParameters& parameters) {
    LockGuard guard(m_parameterLock);
    m_parameters = parameters;
}

NavigationParameters ExternalStatus::navigationParameters() const {
    LockGuard guard(m_parameterLock);
    return m_parameters;
}

void ExternalStatus::publishSoftwareVersion(const std::string& text) {
    LockGuard guard(m_versionLock);
    m_version = text;
}

std::string ExternalStatus::softwareVersion() const {
    LockGuard guard(m_versionLock);
    return m_version;
}

void ExternalStatus::clear() {
    publishPosition(PositionRecord{});
    publishSatellites(SatelliteTable{}, 0);
    publishNavigationParameters(NavigationParameters{});
    publishSoftwareVersion({});
}

}  // namespace quorrel
