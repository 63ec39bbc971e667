#pragma once

#include <QString>
#include <optional>

#include "ui/kit/DeviceClass.h"

namespace quorrel {

// The receiver the program talks to and the device it is reached on.
struct ReceiverTarget {
    QString deviceId;
    DeviceClass deviceClass = DeviceClass::OtherCode;
    QString devicePath;
};

// From the handheld's identification (--device-id, else the "DeviceId" setting, else the
// DMI serial) the device class, and from its port name the device: `portOverride` (--port)
// when given, else the device configured for that port in the settings location `title`.
ReceiverTarget findReceiverTarget(const QString& title, const std::optional<QString>& deviceIdArg,
                                  const QString& dmiSerialPath, const QString& portOverride);

// The simulator program that stands in for the receiver of `deviceClass`.
QString simulatorProgramFor(DeviceClass deviceClass);
// Where that simulator is: beside the program in `programDir` (a build tree, an install), else
// on PATH; the path beside the program when neither has it, so the failure names it.
QString simulatorPathFor(const QString& programDir, DeviceClass deviceClass);

}  // namespace quorrel
