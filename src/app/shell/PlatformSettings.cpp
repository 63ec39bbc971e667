#include "app/shell/PlatformSettings.h"

#include <QSettings>

#include "app/shell/SettingsStore.h"

namespace quorrel {
namespace {

QString baseName(const QString& portName) {
    return portName.endsWith(QLatin1Char(':')) ? portName.chopped(1) : portName;
}

}  // namespace

PlatformSettings::PlatformSettings(QString applicationTitle)
    : m_title(std::move(applicationTitle)) {}

std::optional<QString> PlatformSettings::value(const QString& name) const {
    QSettings settings(QLatin1String(SettingsStore::kOrganization), m_title);
    settings.beginGroup(QStringLiteral("Platform"));
    const QVariant v = settings.value(name);
    if (!v.isValid()) return std::nullopt;
    return v.toString();
}

std::optional<QString> PlatformSettings::deviceId() const {
    return value(QStringLiteral("DeviceId"));
}

std::optional<QString> PlatformSettings::portDevice(const QString& portName) const {
    std::optional<QString> device = value(baseName(portName));
    if (device && device->trimmed().isEmpty()) return std::nullopt;
    return device;
}

QString devicePathFor(const QString& portName, const QString& portOverride,
                      const PlatformSettings& settings) {
    if (!portOverride.isEmpty()) return portOverride;
    if (std::optional<QString> device = settings.portDevice(portName)) return *device;
    const QString base = baseName(portName);
    bool ok = false;
    const int number = base.mid(3).toInt(&ok);
    if (base.startsWith(QLatin1String("COM")) && ok && number > 0)
        return QStringLiteral("/dev/ttyS%1").arg(number - 1);
    return base;
}

}  // namespace quorrel
