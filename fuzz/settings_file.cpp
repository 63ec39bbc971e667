// Arbitrary bytes as the program's settings file, read the way start-up reads it.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

#include "app/shell/SettingsStore.h"

using namespace quorrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static QTemporaryDir folder;
    static bool ready = [] {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.path());
        return folder.isValid() && QDir(folder.path()).mkpath(SettingsStore::kOrganization);
    }();
    if (!ready) std::abort();
    // A new title per input: QSettings caches what it parsed per file.
    static unsigned serial = 0;
    const QString title = QStringLiteral("Fuzz%1").arg(serial++);
    const QString path = folder.path() + "/" + SettingsStore::kOrganization + "/" + title + ".conf";
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) std::abort();
    file.write(reinterpret_cast<const char*>(data), qint64(size));
    file.close();

    const SettingsStore store(title);
    const AppSettings settings = store.load();
    if (settings.dialGsm != 0 || settings.connectNtrip != 0 || settings.connectIp != 0)
        std::abort();  // the connect flags are never read back
    store.readIsExternalGps();
    QFile::remove(path);
    return 0;
}
