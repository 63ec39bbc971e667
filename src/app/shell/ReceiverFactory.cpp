#include "app/shell/ReceiverFactory.h"

#include "receiver/CInternalReceiver.h"
#include "receiver/external/CExternalNmeaReceiver.h"

namespace quorrel {

std::unique_ptr<CGnssReceiver> createReceiver(DeviceClass deviceClass, const QString& deviceId) {
    if (!isExternalModule(deviceClass)) return std::make_unique<CInternalReceiver>();
    auto module = std::make_unique<CExternalNmeaReceiver>();
    module->SetDeviceIdentifier(deviceId.toStdU16String());
    return module;
}

std::unique_ptr<CGnssReceiver> createQuickReceiver(DeviceClass deviceClass,
                                                   const QString& deviceId) {
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

std::unique_ptr<CGnssReceiver> createProgramReceiver(const ReceiverFactory& factory,
                                                     DeviceClass deviceClass,
                                                     const QString& deviceId) {
    std::unique_ptr<CGnssReceiver> receiver = factory(deviceClass, deviceId);
    receiver->SetDeviceClass(static_cast<int>(deviceClass));
    receiver->SetStopOutputOnClose(true);
    return receiver;
}

}  // namespace quorrel
