#pragma once

#include <cstdint>
#include <vector>

namespace quorrel {

// One satellite the simulated module sees.
struct SimSatellite {
    int prn = 0;
    double azimuthDeg = 0.0;
    double elevationDeg = 0.0;
    int cn0DbHz = 0;  // 0: in view but not tracked
};

// The simulated world: a fixed position and a fixed sky.
struct SimScenario {
    double latitudeDeg = 46.4982872;
    double longitudeDeg = 7.5674117;
    double altitudeMslM = 1344.99;
    double geoidSeparationM = 45.59;
    double speedMps = 0.51;
    double courseDeg = 10.38;
    double horizontalErrorM = 2.66;
    double verticalErrorM = 4.83;
    std::vector<SimSatellite> satellites = defaultSky();
    // Broadcasts corrections: tracked (and used) only while SBAS is on.
    SimSatellite sbasSatellite{124, 147.0, 32.5, 38};

    static std::vector<SimSatellite> defaultSky();
};

// What the module tracks and uses in one epoch, given its settings.
struct SimEpochSky {
    std::vector<SimSatellite> tracked;  // at most 12 channels, in channel order
    std::vector<int> used;              // PRNs in the fix
    bool differential = false;
    double hdop = 0.0;
};

// The satellites above `maskTenths` with a signal are used; an outage uses none.
SimEpochSky epochSky(const SimScenario& scenario, int maskTenths, bool sbasOn, bool outage);

}  // namespace quorrel
