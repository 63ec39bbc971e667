#include "ui/config/GnssPageLogic.h"

#include <iterator>

#include "receiver/CGnssReceiver.h"
#include "ui/kit/Resources.h"

namespace quorrel {
namespace {

struct Antenna {
    const char* displayName;  // null: the resource text "Unknown"
    const char16_t* code;
};

constexpr Antenna kAntennas[] = {
    {"RZA100(L1 GPS)", u"RZA100"},
    {"RZA221770(L1 GPS/GLONASS)", u"RZA221770"},
    {"RZA221771(L1/L2/L5 GPS/GLONASS/GALILEO)", u"RZA221771"},
    {"RZA331516(L1/L2 GPS/GLONASS)", u"RZA331516"},
    {nullptr, u"UNKNOWN"},
};
constexpr int kAntennaCount = int(std::size(kAntennas));
static_assert(GnssPageLogic::kUnknownAntennaRow == kAntennaCount - 1);

constexpr const char* kTrackingModes[] = {"GPS L1", "GPS/GLONASS L1", "GPS L1/L2P", "GPS L1/L2C"};

}  // namespace

QStringList GnssPageLogic::trackingModes() const {
    QStringList modes;
    for (const char* mode : kTrackingModes) {
        modes << QString::fromLatin1(mode);
        if (!isBoard()) break;
    }
    return modes;
}

QStringList GnssPageLogic::antennaNames() {
    QStringList names;
    for (const Antenna& antenna : kAntennas)
        names << (antenna.displayName ? QString::fromLatin1(antenna.displayName)
                                      : resText(kStrUnknownAntenna));
    return names;
}

int GnssPageLogic::antennaRowFor(const std::u16string& name) const {
    for (int row = 0; row < kAntennaCount; ++row)
        if (name == kAntennas[row].code) return row;
    return kUnknownAntennaRow;
}

GnssValues GnssPageLogic::load(CGnssReceiver& receiver) const {
    GnssValues values;
    // The board reports modes this page does not offer; they leave the list without a row.
    int mode = -1;
    if (receiver.QueryTrackingMode(mode) && mode >= 0 && mode < trackingModes().size())
        values.trackingMode = mode;
    bool sbas = false;
    if (receiver.QuerySbas(sbas)) values.sbas = sbas;
    if (!isBoard()) return values;

    values.elevationShown = true;
    int degrees = 0;
    if (receiver.QueryElevationMask(degrees)) values.elevation = QString::number(degrees);
    values.antennaShown = receiver.GetA2dValue1() != 0;
    if (!values.antennaShown) return values;
    std::u16string name;
    if (receiver.QueryAntennaName(name)) {
        values.antennaRow = antennaRowFor(name);
    } else {
        values.antennaRow = kUnknownAntennaRow;
        values.message = kStrCannotGetAntennaName;
    }
    return values;
}

void GnssPageLogic::apply(CGnssReceiver& receiver, const GnssValues& values) const {
    if (isBoard()) {
        if (values.antennaShown && values.antennaRow >= 0 && values.antennaRow < kAntennaCount)
            receiver.SetAntennaName(kAntennas[values.antennaRow].code);
        // No row selected (a mode the list does not hold): the receiver keeps its own mode.
        if (values.trackingMode >= 0 && values.trackingMode < trackingModes().size())
            receiver.SetTrackingMode(values.trackingMode);
    }
    receiver.SetSbas(values.sbas);
    if (isBoard()) receiver.SetElevationMask(elevationDegrees(values.elevation));
}

int GnssPageLogic::elevationDegrees(const QString& text) {
    bool ok = false;
    const int degrees = text.trimmed().toInt(&ok);
    return ok ? degrees : 0;
}

}  // namespace quorrel
