#pragma once

#include <QTemporaryDir>

#include "app/CGnssApp.h"

namespace quorrel::test {

// The application's surroundings in temporary places: its program folder and lock file; no
// companion service to wait for, no device identification; the receiver on `device`.
inline AppConfig isolatedConfig(const QTemporaryDir& programDir, const QTemporaryDir& runtime,
                                const std::string& device) {
    AppConfig c;
    c.programDir = programDir.path();
    c.lockPath = runtime.filePath(QStringLiteral("Quorrel.lock"));
    c.portOverride = QString::fromStdString(device);
    c.serviceLayer.processName = QStringLiteral("NoSuchService");
    c.serviceLayer.startWaitMs = 0;
    c.deviceIdArg = QString();
    return c;
}

}  // namespace quorrel::test
