#pragma once

#include <vector>

#include "sim/board/Geodesy.h"

namespace quorrel {

enum class Constellation { Gps, Glonass, Sbas };

struct SatelliteView {
    int prn = 0;  // 1–32 GPS, 65–96 GLONASS, 120–138 SBAS
    Constellation system = Constellation::Gps;
    double elevationDeg = 0;
    double azimuthDeg = 0;
    int snrDbHz = 0;  // 0 while the channel has not locked on
    bool used = false;
    Enu lineOfSight;  // unit vector from the antenna to the satellite
};

// What the tracking loops are allowed to do.
struct TrackingOptions {
    bool glonass = true;
    bool sbas = true;
    int elevationMaskDeg = 10;
    // 0 right after start or reset, 1 once every channel had the time to lock on.
    double acquisition = 1.0;
};

struct Dilution {
    double pdop = 99.9, hdop = 99.9, vdop = 99.9;
};

// Satellites on circular orbits (GPS: 6 planes of 5 at 55°, 11 h 58 min; GLONASS: 3 planes
// of 8 at 64.8°, 11 h 15 min) and SBAS on the geostationary ring, seen from the antenna.
class SkyModel {
public:
    // Most satellites one NMEA group (four GSV messages) can carry.
    static constexpr int kGroupLimit = 16;
    // Most satellites one GSA sentence can list.
    static constexpr int kGsaLimit = 12;

    void setReceiver(const Geodetic& antenna);
    // The satellites above the horizon at `unixSeconds`: GPS and SBAS first (GSV's GP group),
    // then GLONASS; at most kGroupLimit of each group, highest first when there are more.
    std::vector<SatelliteView> visible(double unixSeconds, const TrackingOptions& options) const;

    // Dilution of precision of the satellites marked used.
    static Dilution dilution(const std::vector<SatelliteView>& satellites);

private:
    SatelliteView look(const Ecef& satellite, int prn, Constellation system) const;
    void addGps(double unixSeconds, std::vector<SatelliteView>& out) const;
    void addGlonass(double unixSeconds, std::vector<SatelliteView>& out) const;
    void addSbas(std::vector<SatelliteView>& out) const;

    Geodetic m_antenna;
    Ecef m_antennaEcef = toEcef(m_antenna);
};

}  // namespace quorrel
