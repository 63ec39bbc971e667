#pragma once

#include <QString>
#include <atomic>
#include <functional>
#include <optional>
#include <string>

#include "app/shell/ServiceLayer.h"
#include "receiver/CGnssReceiver.h"

namespace quorrel {

// What the start-up sequence needs; it runs on the receiver worker.
struct StartupRequest {
    std::u16string device;
    // The board's companion service, made sure of before the open; none for the module and
    // for the simulator.
    std::optional<ServiceLayerConfig> service;
    bool enableWtiAndA2d = true;  // false when "IsExternalGps" is 1
    // Set by Quit: the service wait ends and nothing more is sent.
    const std::atomic<bool>* quit = nullptr;
    // Progress, called on the worker thread: the service start wait begins; a baud-rate try.
    std::function<void()> serviceStarting;
    std::function<void(const OpenAttempt&)> attempt;
};

struct StartupResult {
    bool connected = false;
    OpenFailure failure = OpenFailure::None;
    QString detail;
};

// The companion service (when asked for), Open, then the WTI and A2D outputs.
StartupResult startReceiver(CGnssReceiver& receiver, const StartupRequest& request);

// Open on `device`, then the WTI and A2D outputs when `enableWtiAndA2d`; true when open.
bool openReceiver(CGnssReceiver& receiver, const std::u16string& device, bool enableWtiAndA2d);

}  // namespace quorrel
