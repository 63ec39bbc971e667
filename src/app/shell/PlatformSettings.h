#pragma once

#include <QString>
#include <optional>

namespace quorrel {

// This platform's own values beside the program's settings (group "Platform" of the same
// location): "DeviceId" stands in for the handheld's identification, "COM1" and "COM3" name
// the serial devices behind those ports.
class PlatformSettings {
public:
    explicit PlatformSettings(QString applicationTitle);

    std::optional<QString> deviceId() const;
    // The device configured for a port name such as "COM3:" (the colon is optional).
    std::optional<QString> portDevice(const QString& portName) const;

private:
    std::optional<QString> value(const QString& name) const;

    QString m_title;
};

// The serial device for a port name: `portOverride` (--port) when given, else the configured
// device, else /dev/ttyS<n-1> for "COMn:" (so "COM1:" is /dev/ttyS0 and "COM3:" /dev/ttyS2).
QString devicePathFor(const QString& portName, const QString& portOverride,
                      const PlatformSettings& settings);

}  // namespace quorrel
