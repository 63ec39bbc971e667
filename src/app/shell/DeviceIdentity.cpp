#include "app/shell/DeviceIdentity.h"

#include <QFile>

namespace quorrel {
namespace {

std::optional<QString> readDmiSerial(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    // 8-bit text ending at the first zero byte or line end.
    QByteArray bytes = file.read(160);
    const qsizetype end = bytes.indexOf('\0');
    if (end >= 0) bytes.truncate(end);
    const QString serial = QString::fromLatin1(bytes).trimmed();
    if (serial.isEmpty()) return std::nullopt;
    return serial;
}

}  // namespace

bool ReadDeviceId(const DeviceIdSources& sources, QString& id) {
    std::optional<QString> found = sources.commandLine;
    if (!found) found = sources.setting;
    if (!found) found = readDmiSerial(sources.dmiSerialPath);
    id = found ? found->left(kDeviceIdMaxChars) : QString();
    return found.has_value();
}

DeviceClass deviceClassFor(const QString& id) {
    if (id.startsWith(QLatin1String("0143"))) return DeviceClass::Code0143;
    if (id.startsWith(QLatin1String("0204"))) return DeviceClass::Code0204;
    return DeviceClass::OtherCode;
}

QString portNameFor(DeviceClass deviceClass) {
    static const char* const kBaseNames[] = {"COM1", "COM3", "COM3"};
    return QLatin1String(kBaseNames[static_cast<int>(deviceClass)]) + QLatin1Char(':');
}

}  // namespace quorrel
