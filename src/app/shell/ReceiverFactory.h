#pragma once

#include <QString>
#include <functional>
#include <memory>

#include "receiver/CGnssReceiver.h"
#include "ui/kit/DeviceClass.h"

namespace quorrel {

// Creates the receiver object for a device class; the identification names raw data files.
using ReceiverFactory =
    std::function<std::unique_ptr<CGnssReceiver>(DeviceClass deviceClass, const QString& deviceId)>;

// The module's driver for Code0143 and Code0204, the board's for OtherCode.
std::unique_ptr<CGnssReceiver> createReceiver(DeviceClass deviceClass, const QString& deviceId);

// As createReceiver, with every wait of the driver shortened to well under a second: for
// tests and runs against the simulators, which answer at once.
std::unique_ptr<CGnssReceiver> createQuickReceiver(DeviceClass deviceClass,
                                                   const QString& deviceId);

// A receiver from `factory` as the program runs it: told its device class, and switching
// its output off when it is closed.
std::unique_ptr<CGnssReceiver> createProgramReceiver(const ReceiverFactory& factory,
                                                     DeviceClass deviceClass,
                                                     const QString& deviceId);

}  // namespace quorrel
