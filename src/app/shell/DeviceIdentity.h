#pragma once

#include <QString>
#include <optional>

#include "ui/kit/DeviceClass.h"

namespace quorrel {

// Where this platform takes the handheld's identification from, tried in this order.
struct DeviceIdSources {
    std::optional<QString> commandLine;  // --device-id
    std::optional<QString> setting;      // the "DeviceId" setting
    QString dmiSerialPath = QStringLiteral("/sys/class/dmi/id/product_serial");
};

constexpr int kDeviceIdMaxChars = 32;

// Fills `id` (at most 32 characters) from the first source that has one; false, with `id`
// empty, when none has.
bool ReadDeviceId(const DeviceIdSources& sources, QString& id);

// "0143…" and "0204…" (exact, case-sensitive) name the two module handhelds; anything else,
// also an empty identification, is the board.
DeviceClass deviceClassFor(const QString& id);

// "COM1:" for Code0143, "COM3:" otherwise.
QString portNameFor(DeviceClass deviceClass);

}  // namespace quorrel
