#pragma once

// Writes the three pages of a status sheet as PNG files into the folder named by
// QUORREL_SCREENSHOT_DIR, for the documentation; does nothing when it is not set.
#include <QDir>
#include <QString>

#include "ui/status/CGnssStatusSheet.h"

inline bool screenshotsWanted() {
    return !qEnvironmentVariableIsEmpty("QUORREL_SCREENSHOT_DIR");
}

inline void saveScreenshots(quorrel::CGnssStatusSheet& sheet, const QString& prefix) {
    if (!screenshotsWanted()) return;
    const QDir folder(qEnvironmentVariable("QUORREL_SCREENSHOT_DIR"));
    folder.mkpath(QStringLiteral("."));
    const char* const names[] = {"position", "satellites", "signal"};
    for (int i = 0; i < sheet.pageCount(); ++i) {
        sheet.setActivePage(i);
        sheet.grab().save(folder.filePath(
            QStringLiteral("%1-%2.png").arg(prefix).arg(QString::fromLatin1(names[i]))));
    }
    sheet.setActivePage(0);
}
