#pragma once

#include <QString>

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
    // True when the service already runs or was started (after the start wait); false when
    // the program-files location is unknown. Whether the start itself worked is not known.
    bool EnsureServiceLayer() const;

    QString executablePath() const;

private:
    ServiceLayerConfig m_config;
};

}  // namespace quorrel
