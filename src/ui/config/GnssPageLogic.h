#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "ui/kit/DeviceClass.h"
#include "ui/kit/StringIds.h"

namespace quorrel {

class CGnssReceiver;

// What the GNSS page shows and sends back on OK.
struct GnssValues {
    int trackingMode = -1;  // row of the tracking-mode list, -1 for none
    bool sbas = false;
    bool elevationShown = false;
    QString elevation;                // the elevation field's text, in degrees
    bool antennaShown = false;        // the board reports an external antenna
    int antennaRow = -1;              // row of the antenna list, -1 for none
    std::optional<StringId> message;  // to tell the user once the page is open
};

// The GNSS page without its widgets: tracking mode, SBAS, and on the board the elevation
// mask and, with an external antenna connected, the antenna model. load and apply talk to
// the receiver, so they run on the receiver worker.
class GnssPageLogic {
public:
    static constexpr int kUnknownAntennaRow = 4;

    explicit GnssPageLogic(DeviceClass deviceClass) : m_deviceClass(deviceClass) {}

    // The tracking modes offered, in list order (a list row is the mode's number); an
    // external receiver offers "GPS L1" only.
    QStringList trackingModes() const;
    // The external antennas' display names; the last, "Unknown", comes from the resources.
    static QStringList antennaNames();

    GnssValues load(CGnssReceiver& receiver) const;
    // Failures stay silent: nothing the receiver refuses may keep the sheet from closing.
    void apply(CGnssReceiver& receiver, const GnssValues& values) const;

    // The elevation field's number of degrees; text that is not a number gives 0.
    static int elevationDegrees(const QString& text);

private:
    bool isBoard() const { return !isExternalModule(m_deviceClass); }
    int antennaRowFor(const std::u16string& name) const;

    DeviceClass m_deviceClass;
};

}  // namespace quorrel
