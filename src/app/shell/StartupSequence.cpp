#include "app/shell/StartupSequence.h"

namespace quorrel {

bool openReceiver(CGnssReceiver& receiver, const std::u16string& device, bool enableWtiAndA2d) {
    if (!receiver.Open(device)) return false;
    if (enableWtiAndA2d) {
        receiver.EnableWtiOutput();
        receiver.EnableA2dOutput();
    }
    return true;
}

StartupResult startReceiver(CGnssReceiver& receiver, const StartupRequest& request) {
    const auto quitting = [&request] { return request.quit && request.quit->load(); };
    StartupResult result;
    if (request.service) {
        const ServiceLayer service(*request.service);
        if (request.serviceStarting && service.wouldStart()) request.serviceStarting();
        // Its result is not used: the open tells whether the board came up.
        service.EnsureServiceLayer(request.quit);
    }
    if (quitting()) {
        result.failure = OpenFailure::Cancelled;
        return result;
    }
    receiver.setOpenObserver(request.attempt);
    result.connected = openReceiver(receiver, request.device, request.enableWtiAndA2d);
    receiver.setOpenObserver({});
    if (!result.connected) {
        result.failure = quitting() ? OpenFailure::Cancelled : receiver.openFailure();
        result.detail = QString::fromStdString(receiver.openFailureDetail());
    }
    return result;
}

}  // namespace quorrel
