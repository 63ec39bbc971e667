#pragma once

#include <QString>
#include <memory>

#include "app/shell/ReceiverFactory.h"
#include "receiver/CInternalReceiver.h"
#include "receiver/external/CExternalNmeaReceiver.h"
#include "ui/kit/DeviceClass.h"

namespace quorrel::test {

// The receiver drivers with every wait shortened, so that tests of unanswered requests stay
// fast; what the program does with them is unchanged.
inline std::unique_ptr<CGnssReceiver> quickReceiver(DeviceClass deviceClass,
                                                    const QString& deviceId) {
    return createQuickReceiver(deviceClass, deviceId);
}

}  // namespace quorrel::test
