#include "app/MainMenuModel.h"

#include "ui/kit/StringIds.h"

namespace quorrel {
namespace {

constexpr MenuEntry kBoardEntries[] = {
    {Feature::GnssSettings, kStrGnssSettings},
    {Feature::DifferentialMode, kStrDifferentialMode},
    {Feature::NmeaOutput, kStrNmeaOutput},
    {Feature::GnssStatus, kStrGnssStatus},
    {Feature::Reset, kStrReset},
    {Feature::TroubleShooting, kStrTroubleShooting},
    {Feature::About, kStrAbout},
    {Feature::TurnOffGnss, kStrTurnOffGnss},
};

constexpr MenuEntry kModuleEntries[] = {
    {Feature::GnssSettings, kStrGnssSettings},
    {Feature::GnssStatus, kStrGnssStatus},
    {Feature::Reset, kStrReset},
    {Feature::About, kStrAbout},
};

}  // namespace

MainMenuModel::MainMenuModel(DeviceClass deviceClass) {
    m_positionMap.fill(-1);
    if (isExternalModule(deviceClass))
        m_entries.assign(std::begin(kModuleEntries), std::end(kModuleEntries));
    else
        m_entries.assign(std::begin(kBoardEntries), std::end(kBoardEntries));
    for (std::size_t i = 0; i < m_entries.size(); ++i)
        m_positionMap[i] = static_cast<int>(m_entries[i].feature);
}

bool MainMenuModel::featureAt(int position, Feature& feature) const {
    if (position < 0 || position >= kMaxEntries || m_positionMap[position] < 0) return false;
    feature = static_cast<Feature>(m_positionMap[position]);
    return true;
}

AppSettings differentialModeInput(const AppSettings& settings) {
    AppSettings input;
    input.ntripPort = settings.ntripPort;
    input.ntripAddress = settings.ntripAddress;
    input.ntripUser = settings.ntripUser;
    input.ntripPassword = settings.ntripPassword;
    input.ntripMountPoint = settings.ntripMountPoint;
    input.ipPort = settings.ipPort;
    input.ipAddress = settings.ipAddress;
    input.isExternalGps = settings.isExternalGps;
    input.networkProtocol = settings.networkProtocol;
    return input;
}

void takeDifferentialModeResult(AppSettings& settings, const AppSettings& result) {
    const bool isExternalGps = settings.isExternalGps;
    settings = result;
    settings.isExternalGps = isExternalGps;
}

}  // namespace quorrel
