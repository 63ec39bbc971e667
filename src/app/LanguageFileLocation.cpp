#include "app/LanguageFileLocation.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace quorrel {
namespace {

constexpr char kLanguageFile[] = "Lang.rcc";
constexpr char kDataFolder[] = "gnss-quorrel";

}  // namespace

QString findLanguageFile(const QString& programDir) {
    const QString beside = QDir(programDir).filePath(QLatin1String(kLanguageFile));
    if (QFileInfo::exists(beside)) return beside;
    const QString inData = QStandardPaths::locate(
        QStandardPaths::GenericDataLocation,
        QStringLiteral("%1/%2").arg(QLatin1String(kDataFolder), QLatin1String(kLanguageFile)));
    if (!inData.isEmpty()) return inData;
    // Set at build time from the install layout, e.g. "../share/gnss-quorrel", so that a
    // program installed under a prefix outside $XDG_DATA_DIRS (/opt/…) finds its own.
    const QString inPrefix = QDir::cleanPath(
        QDir(programDir).filePath(QStringLiteral(QUORREL_DATA_FROM_BIN "/%1").arg(kLanguageFile)));
    if (QFileInfo::exists(inPrefix)) return inPrefix;
    return beside;
}

}  // namespace quorrel
