#include "QuickReceivers.h"

namespace quorrel::test {

std::unique_ptr<CGnssReceiver> quickReceiver(DeviceClass deviceClass, const QString& deviceId) {
    if (!isExternalModule(deviceClass)) {
        auto board = std::make_unique<CInternalReceiver>();
        board->setTimeouts(shortLinkTimeouts());
        return board;
    }
    auto module = std::make_unique<CExternalNmeaReceiver>();
    module->SetTimeouts(shortModuleTimeouts());
    module->SetDeviceIdentifier(deviceId.toStdU16String());
    return module;
}

}  // namespace quorrel::test
