#include "app/shell/SettingsStore.h"

#include <QSettings>

namespace quorrel {
namespace {

// The registry stored four bytes; a text that is not a number fitting in them is unreadable.
std::optional<std::uint32_t> toDword(const QVariant& value) {
    if (!value.isValid()) return std::nullopt;
    bool ok = false;
    const qlonglong number = value.toString().trimmed().toLongLong(&ok);
    if (!ok || number < INT32_MIN || number > qlonglong(UINT32_MAX)) return std::nullopt;
    return static_cast<std::uint32_t>(number);
}

std::int32_t asInt32(std::uint32_t dword) {
    return static_cast<std::int32_t>(dword);
}

}  // namespace

SettingsStore::SettingsStore(QString applicationTitle) : m_title(std::move(applicationTitle)) {}

std::optional<std::uint32_t> SettingsStore::readDword(const QString& name) const {
    QSettings settings(QLatin1String(kOrganization), m_title);
    settings.beginGroup(QLatin1String(kGroup));
    return toDword(settings.value(name));
}

std::uint32_t SettingsStore::readDword(const QString& name, std::uint32_t fallback) const {
    return readDword(name).value_or(fallback);
}

QString SettingsStore::readString(const QString& name) const {
    QSettings settings(QLatin1String(kOrganization), m_title);
    settings.beginGroup(QLatin1String(kGroup));
    return settings.value(name).toString();
}

void SettingsStore::writeDword(const QString& name, std::uint32_t value) const {
    QSettings settings(QLatin1String(kOrganization), m_title);
    settings.beginGroup(QLatin1String(kGroup));
    settings.setValue(name, value);
}

void SettingsStore::writeString(const QString& name, const QString& value) const {
    QSettings settings(QLatin1String(kOrganization), m_title);
    settings.beginGroup(QLatin1String(kGroup));
    settings.setValue(name, value);
}

AppSettings SettingsStore::load() const {
    QSettings store(QLatin1String(kOrganization), m_title);
    store.beginGroup(QLatin1String(kGroup));
    auto dword = [&store](const char* name) {
        return asInt32(toDword(store.value(QLatin1String(name))).value_or(0));
    };
    auto text = [&store](const char* name) { return store.value(QLatin1String(name)).toString(); };
    AppSettings s;
    s.ntripPort = dword("NtripPort");
    s.ntripAddress = text("NtripAddress");
    s.ntripUser = text("NtripUser");
    s.ntripPassword = text("NtripPassword");
    s.ntripMountPoint = text("NtripMountPoit");
    s.ipPort = dword("IpPort");
    s.ipAddress = text("IpAddress");
    s.isExternalGps = toDword(store.value(QStringLiteral("IsExternalGps"))) == 1u;
    s.networkProtocol = dword("NetworkProtocol");
    return s;
}

void SettingsStore::save(const AppSettings& s) const {
    QSettings store(QLatin1String(kOrganization), m_title);
    store.beginGroup(QLatin1String(kGroup));
    auto dword = [&store](const char* name, std::int32_t value) {
        store.setValue(QLatin1String(name), static_cast<std::uint32_t>(value));
    };
    auto text = [&store](const char* name, const QString& value) {
        // An empty text stays an (empty) value rather than disappearing.
        store.setValue(QLatin1String(name), value.isNull() ? QStringLiteral("") : value);
    };
    dword("NtripPort", s.ntripPort);
    text("NtripAddress", s.ntripAddress);
    text("NtripUser", s.ntripUser);
    text("NtripPassword", s.ntripPassword);
    text("NtripMountPoit", s.ntripMountPoint);
    dword("IpPort", s.ipPort);
    text("IpAddress", s.ipAddress);
    dword("DialGsm", s.dialGsm != 0 ? 1 : 0);
    dword("ConnectNtrip", s.connectNtrip != 0 ? 1 : 0);
    dword("ConnectIp", s.connectIp != 0 ? 1 : 0);
    dword("NetworkProtocol", s.networkProtocol);
}

bool SettingsStore::readIsExternalGps() const {
    return readDword(QStringLiteral("IsExternalGps")) == 1u;
}

std::uint32_t StoredScreenSettings::readDword(const QString& name, std::uint32_t fallback) const {
    return m_store.readDword(name, fallback);
}

void StoredScreenSettings::writeDword(const QString& name, std::uint32_t value) {
    m_store.writeDword(name, value);
}

}  // namespace quorrel
