#include "sim/module/ModuleSky.h"

namespace quorrel {
namespace {

constexpr std::size_t kChannels = 12;

}  // namespace

std::vector<SimSatellite> SimScenario::defaultSky() {
    return {
        {23, 84.0, 6.5, 0},    {28, 160.5, 7.5, 0},   {8, 189.0, 66.0, 44},
        {29, 273.0, 13.5, 31}, {10, 304.5, 51.0, 29}, {4, 199.5, 15.5, 36},
        {2, 241.5, 34.0, 43},  {27, 76.5, 71.5, 43},  {13, 42.0, 3.0, 22},
    };
}

SimEpochSky epochSky(const SimScenario& scenario, int maskTenths, bool sbasOn, bool outage) {
    SimEpochSky sky;
    for (const SimSatellite& satellite : scenario.satellites)
        if (sky.tracked.size() < kChannels) sky.tracked.push_back(satellite);
    if (sbasOn && sky.tracked.size() < kChannels) sky.tracked.push_back(scenario.sbasSatellite);
    if (outage) return sky;
    for (const SimSatellite& satellite : sky.tracked) {
        const bool aboveMask = satellite.elevationDeg * 10.0 >= maskTenths;
        // SBAS ranging is not used in the fix; its corrections are.
        if (satellite.prn <= 32 && satellite.cn0DbHz > 0 && aboveMask)
            sky.used.push_back(satellite.prn);
    }
    sky.differential = sbasOn && !sky.used.empty();
    if (sky.used.size() >= 4) sky.hdop = 0.8 + 6.0 / double(sky.used.size());
    if (sky.used.size() < 4) sky.used.clear();
    return sky;
}

}  // namespace quorrel
