#include "ui/link/NtripStationsLogic.h"

#include <algorithm>

#include "receiver/GreatCircle.h"
#include "receiver/StationList.h"
#include "receiver/link/StatusRecords.h"
#include "ui/kit/Resources.h"
#include "ui/kit/StringIds.h"

namespace quorrel {
namespace {

constexpr double kKilometresPerMetre = 0.001;
constexpr double kMilesPerMetre = 0.0006213699494949495;
constexpr int kDistanceWidth = 5;

QString latin1(const std::string& text) {
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

double factor(DistanceUnit unit) {
    return unit == DistanceUnit::Mile ? kMilesPerMetre : kKilometresPerMetre;
}

bool isNumberText(const QString& text) {
    const qsizetype start = text.startsWith(u'-') ? 1 : 0;
    if (text.size() == start) return false;
    for (qsizetype i = start; i < text.size(); ++i)
        if (text[i] < u'0' || text[i] > u'9') return false;
    return true;
}

// Digit texts beyond 64 bits (no caster has such) fall back to the order of the texts.
int compareNumberTexts(const QString& a, const QString& b) {
    bool okA = false, okB = false;
    const qlonglong x = a.toLongLong(&okA);
    const qlonglong y = b.toLongLong(&okB);
    if (okA && okB) return x < y ? -1 : x > y ? 1 : 0;
    return QString::compare(a, b);
}

QString yesNo(std::int32_t flag) {
    return resText(flag != 0 ? kStrYes : kStrNo);
}

QString carrierText(std::int32_t carrier) {
    if (carrier == 0) return resText(kStrNo);
    return carrier == 1 ? QStringLiteral("L1") : QStringLiteral("L1&L2");
}

}  // namespace

DistanceUnit distanceUnitFor(const QLocale& locale) {
    return locale.measurementSystem() == QLocale::ImperialUSSystem ? DistanceUnit::Mile
                                                                   : DistanceUnit::Kilometre;
}

QString distanceUnitText(DistanceUnit unit) {
    return resText(unit == DistanceUnit::Mile ? kStrMile : kStrKm);
}

std::optional<ReferencePosition> referencePosition(bool read, const PositionRecord& position) {
    if (!read || position.solutionType == 0) return std::nullopt;
    return ReferencePosition{position.latitude, position.longitude};
}

QString referenceLine(const std::optional<ReferencePosition>& reference) {
    if (!reference) return resText(kStrNoReferencePosition);
    return resText(kStrDistancesFrom)
        .arg(reference->latitudeDeg, 0, 'f', 6)
        .arg(reference->longitudeDeg, 0, 'f', 6);
}

std::vector<StationRow> stationRows(const StationList& stations,
                                    const std::optional<ReferencePosition>& reference,
                                    DistanceUnit unit) {
    const QString unitText = distanceUnitText(unit);
    std::vector<StationRow> rows;
    rows.reserve(stations.count());
    for (const StationRecord& station : stations.records()) {
        StationRow row{latin1(station.mountPoint).trimmed(),
                       latin1(station.identifier).trimmed(),
                       {},
                       0,
                       int(rows.size())};
        if (reference) {
            const double metres =
                greatCircleDistanceM(reference->latitudeDeg, reference->longitudeDeg,
                                     station.latitude, station.longitude);
            row.distance = long(metres * factor(unit) + 0.5);
        }
        row.distanceText = QStringLiteral("%1 %2")
                               .arg(QString::number(row.distance), kDistanceWidth)
                               .arg(unitText);
        rows.push_back(std::move(row));
    }
    return rows;
}

int compareListTexts(const QString& a, const QString& b) {
    if (isNumberText(a) && isNumberText(b)) return compareNumberTexts(a, b);
    return QString::compare(a, b, Qt::CaseSensitive);
}

void sortStationRows(std::vector<StationRow>& rows, int column, bool ascending) {
    const auto less = [column](const StationRow& a, const StationRow& b) {
        switch (column) {
            case kDistanceColumn:
                return a.distance < b.distance;
            case kNameColumn:
                return compareListTexts(a.identifier, b.identifier) < 0;
            default:
                return compareListTexts(a.mountPoint, b.mountPoint) < 0;
        }
    };
    if (ascending)
        std::stable_sort(rows.begin(), rows.end(), less);
    else
        std::stable_sort(rows.begin(), rows.end(),
                         [&less](const StationRow& a, const StationRow& b) { return less(b, a); });
}

StationSort sortAfterClick(const StationSort& current, int clickedColumn) {
    const bool descending = current.column == clickedColumn && current.ascending;
    return {clickedColumn, !descending};
}

PickedStation pickStation(const StationList& stations, const StationRow& row) {
    const StationRecord& station = stations.records()[std::size_t(row.order)];
    return {row.mountPoint, row.identifier, station.nmea};
}

std::vector<std::pair<QString, QString>> stationDetails(const StationRecord& station,
                                                        DistanceUnit unit) {
    return {
        {resText(kStrStation), latin1(station.mountPoint)},
        {resText(kStrName), latin1(station.identifier)},
        {resText(kStrDistance),
         QStringLiteral("%1 %2").arg(station.workValue, 0, 'f', 0).arg(distanceUnitText(unit))},
        {resText(kStrFormat), latin1(station.format)},
        {resText(kStrNetwork), latin1(station.network)},
        {resText(kStrCarrier), carrierText(station.carrier)},
        {resText(kStrSystem), latin1(station.navigationSystem)},
        {resText(kStrLatitude), QString::number(station.latitude, 'f', 2)},
        {resText(kStrLongitude), QString::number(station.longitude, 'f', 2)},
        {resText(kStrCountry), latin1(station.country)},
        {resText(kStrSolution), resText(station.solution != 0 ? kStrNetwork : kStrSingleBase)},
        {resText(kStrNmea), yesNo(station.nmea)},
    };
}

}  // namespace quorrel
