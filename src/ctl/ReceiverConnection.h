#pragma once

#include <QString>
#include <atomic>
#include <memory>
#include <optional>
#include <string>

#include "app/shell/ReceiverTarget.h"
#include "app/shell/ServiceLayer.h"
#include "platform/TrafficObserver.h"

namespace quorrel {

class CGnssReceiver;
class SimulatorProcess;

// Where and how the command line reaches its receiver.
struct ConnectRequest {
    std::optional<QString> deviceId;  // --device-id
    QString port;                     // --port
    bool simulate = false;            // --simulate: the simulator in `programDir`
    QString programDir;
    QString dmiSerialPath = QStringLiteral("/sys/class/dmi/id/product_serial");
    ServiceLayerConfig serviceLayer = ServiceLayerConfig::installed();
    bool shortWaits = false;  // every wait shortened, for tests against the simulators
    TrafficObserver traffic;  // sees the link's bytes from the open on
};

// The receiver as the application opens it: the same device class and device from the same
// settings, the companion service for the board, the same baud search, the WTI and A2D output
// unless "IsExternalGps" is 1, and output switched off when it is closed.
class ReceiverConnection {
public:
    explicit ReceiverConnection(ConnectRequest request);
    ~ReceiverConnection();
    ReceiverConnection(const ReceiverConnection&) = delete;
    ReceiverConnection& operator=(const ReceiverConnection&) = delete;

    const ReceiverTarget& target() const { return m_target; }
    CGnssReceiver& receiver() { return *m_receiver; }
    // The "IsExternalGps" setting: exactly 1.
    bool isExternalGps() const;

    // True when connected; otherwise `problem` holds the line for standard error (empty when
    // `quit` ended the search).
    bool open(const std::atomic<bool>* quit, std::string& problem);
    // From any thread: a running open gives up.
    void cancelOpen();
    // Closes the receiver (output off) and ends the simulator; again does nothing.
    void close();

private:
    bool startSimulator(std::string& problem);

    ConnectRequest m_request;
    ReceiverTarget m_target;
    std::unique_ptr<CGnssReceiver> m_receiver;
    std::unique_ptr<SimulatorProcess> m_simulator;
    bool m_open = false;
};

}  // namespace quorrel
