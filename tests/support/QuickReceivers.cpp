#include "support/QuickReceivers.h"

namespace quorrel::test {

LinkTimeouts shortLinkTimeouts() {
    LinkTimeouts t;
    t.replyMs = 800;
    t.longReplyMs = 800;
    t.aliveMs = 300;
    t.epochMs = 300;
    t.baudSettleMs = 5;
    t.readSilenceMs = 50;
    t.recordingPollMs = 300;
    return t;
}

ExternalTimeouts shortModuleTimeouts() {
    ExternalTimeouts t;
    t.acknowledgementMs = 1000;
    t.navigationParametersMs = 1000;
    t.dataSeenMs = 300;
    t.protocolSwitchMs = 100;
    t.settleMs = 20;
    t.readMs = 50;
    return t;
}

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
