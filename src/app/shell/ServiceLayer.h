#pragma once

#include <QString>
#include <atomic>

namespace quorrel {

// Where the companion service lives and how long it gets to bring the board up.
struct ServiceLayerConfig {
    QString processName = QStringLiteral("ServiceLayer");
    // This platform's program-files location: the install prefix's lib/gnss-quorrel.
    QString programFilesDir;
    QString folder = QStringLiteral("GNSS Service Layer");
    int startWaitMs = 5000;

    static ServiceLayerConfig installed();
};

// Finds the companion service among the running processes and starts it when missing.
class ServiceLayer {
public:
    explicit ServiceLayer(ServiceLayerConfig config) : m_config(std::move(config)) {}

    // True when a process whose executable name equals the service's, ignoring case, runs.
    bool IsServiceLayerRunning() const;
    // True when the service already runs or was started (after the start wait, which
    // `cancel` cuts short); false, without waiting, when there is nothing to start: the
    // program-files location is unknown or the executable is not there, or it cannot be run.
    // Whether the started service brought the board up is not known here.
    bool EnsureServiceLayer(const std::atomic<bool>* cancel = nullptr) const;
    // True when starting the service would mean the start wait.
    bool wouldStart() const;

    QString executablePath() const;

private:
    ServiceLayerConfig m_config;
};

}  // namespace quorrel
