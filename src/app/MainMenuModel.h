#pragma once

#include <array>
#include <vector>

#include "ui/kit/AppSettings.h"
#include "ui/kit/DeviceClass.h"

namespace quorrel {

// Feature numbers of the main menu; feature n shows the n-th icon of the strip.
enum class Feature : int {
    GnssSettings = 1,
    DifferentialMode = 2,
    NmeaOutput = 3,
    GnssStatus = 4,
    Reset = 5,
    TroubleShooting = 6,
    About = 7,
    TurnOffGnss = 8,
};

struct MenuEntry {
    Feature feature;
    int textId;  // string resource of the entry's text
};

// The menu's entries for a device class and the map from list position to feature.
class MainMenuModel {
public:
    static constexpr int kMaxEntries = 8;

    explicit MainMenuModel(DeviceClass deviceClass);

    const std::vector<MenuEntry>& entries() const { return m_entries; }
    // The feature at a list position; nothing for -1 or a position without an entry.
    bool featureAt(int position, Feature& feature) const;

private:
    std::vector<MenuEntry> m_entries;
    std::array<int, kMaxEntries> m_positionMap;  // feature number per position, -1 = none
};

// What the differential-mode sheet is given from the menu's settings copy: the NTRIP and
// direct-IP parameters, the external-receiver flag and the network protocol.
AppSettings differentialModeInput(const AppSettings& settings);
// Takes back what an accepted sheet returns; the external-receiver flag stays the menu's.
void takeDifferentialModeResult(AppSettings& settings, const AppSettings& result);

}  // namespace quorrel
