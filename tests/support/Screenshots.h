#pragma once

// Pictures of screens for the documentation: written as PNG files into the folder named by
// QUORREL_SCREENSHOT_DIR, and nothing at all when it is not set.
#include <QDir>
#include <QString>
#include <QWidget>

namespace quorrel::test {

inline bool screenshotsWanted() {
    return !qEnvironmentVariableIsEmpty("QUORREL_SCREENSHOT_DIR");
}

// Saves `widget` as "<name>.png".
inline void saveScreenshot(QWidget& widget, const QString& name) {
    if (!screenshotsWanted()) return;
    const QDir folder(qEnvironmentVariable("QUORREL_SCREENSHOT_DIR"));
    folder.mkpath(QStringLiteral("."));
    widget.grab().save(folder.filePath(name + QStringLiteral(".png")));
}

}  // namespace quorrel::test
