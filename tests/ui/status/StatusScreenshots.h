#pragma once

// Writes the three pages of a status sheet as PNG files for the documentation (see
// support/Screenshots.h).
#include "support/Screenshots.h"
#include "ui/status/CGnssStatusSheet.h"

inline void saveScreenshots(quorrel::CGnssStatusSheet& sheet, const QString& prefix) {
    if (!quorrel::test::screenshotsWanted()) return;
    const char* const names[] = {"position", "satellites", "signal"};
    for (int i = 0; i < sheet.pageCount(); ++i) {
        sheet.setActivePage(i);
        quorrel::test::saveScreenshot(sheet,
                                      QStringLiteral("%1-%2").arg(prefix, QLatin1String(names[i])));
    }
    sheet.setActivePage(0);
}
