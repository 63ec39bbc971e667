#pragma once

#include <QLocale>
#include <QString>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace quorrel {

class StationList;
struct PositionRecord;
struct StationRecord;

enum class DistanceUnit { Kilometre, Mile };

// Miles for a locale that measures in U.S. units, kilometres elsewhere.
DistanceUnit distanceUnitFor(const QLocale& locale);
QString distanceUnitText(DistanceUnit unit);

// Where the distances are measured from: the receiver's own position, when it has one.
struct ReferencePosition {
    double latitudeDeg = 0.0;
    double longitudeDeg = 0.0;
};
// Only a position read successfully and with a solution (type not 0) counts.
std::optional<ReferencePosition> referencePosition(bool read, const PositionRecord& position);
// The line under the station list that says where the distances come from.
QString referenceLine(const std::optional<ReferencePosition>& reference);

enum StationColumn : int { kStationColumn, kNameColumn, kDistanceColumn, kStationColumnCount };

// One row of the station list: the texts shown and the distance they came from.
struct StationRow {
    QString mountPoint;  // white space around it removed
    QString identifier;  // ditto
    QString distanceText;
    long distance = 0;  // whole display units
    int order = 0;      // place in the station list
};

// A row per station, in list order; distances 0 without a reference.
std::vector<StationRow> stationRows(const StationList& stations,
                                    const std::optional<ReferencePosition>& reference,
                                    DistanceUnit unit);

// How the list compares two texts of a column: texts of digits only (a leading minus
// allowed) by value, other texts by character code, letter case counting.
int compareListTexts(const QString& a, const QString& b);
// Sorts by `column`; the distance column by the distance itself.
void sortStationRows(std::vector<StationRow>& rows, int column, bool ascending);

// Which way a header click sorts: ascending, or descending when that column is already
// sorted ascending.
struct StationSort {
    int column = kStationColumn;
    bool ascending = true;
};
StationSort sortAfterClick(const StationSort& current, int clickedColumn);

// What OK picks from the row: the station the row was made from, named as the row shows it
// (a mount point stored with white space around it would name no station of the caster).
struct PickedStation {
    QString mountPoint;
    QString identifier;
    std::int32_t nmea = 0;
};
PickedStation pickStation(const StationList& stations, const StationRow& row);

// The twelve (name, value) rows of the detail dialog; the distance is the work value.
std::vector<std::pair<QString, QString>> stationDetails(const StationRecord& station,
                                                        DistanceUnit unit);

}  // namespace quorrel
