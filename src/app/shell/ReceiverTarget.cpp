#include "app/shell/ReceiverTarget.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

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

QString simulatorPathFor(const QString& programDir, DeviceClass deviceClass) {
    const QString name = simulatorProgramFor(deviceClass);
    const QString beside = QDir(programDir).filePath(name);
    if (QFileInfo(beside).isExecutable()) return beside;
    const QString onPath = QStandardPaths::findExecutable(name);
    return onPath.isEmpty() ? beside : onPath;
}

}  // namespace quorrel
