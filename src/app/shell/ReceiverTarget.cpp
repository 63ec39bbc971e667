#include "app/shell/ReceiverTarget.h"

#include "app/shell/DeviceIdentity.h"
#include "app/shell/PlatformSettings.h"

namespace quorrel {

ReceiverTarget findReceiverTarget(const QString& title, const std::optional<QString>& deviceIdArg,
                                  const QString& dmiSerialPath, const QString& portOverride) {
    const PlatformSettings platform(title);
    ReceiverTarget target;
    ReadDeviceId(DeviceIdSources{deviceIdArg, platform.deviceId(), dmiSerialPath}, target.deviceId);
    target.deviceClass = deviceClassFor(target.deviceId);
    target.devicePath = devicePathFor(portNameFor(target.deviceClass), portOverride, platform);
    return target;
}

QString simulatorProgramFor(DeviceClass deviceClass) {
    return isExternalModule(deviceClass) ? QStringLiteral("quorrel-modulesim")
                                         : QStringLiteral("quorrel-boardsim");
}

}  // namespace quorrel
