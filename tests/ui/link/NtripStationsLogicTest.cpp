// The station browser's rows, distances, sorting and details, and the network pages' port
// rule, without a display.
#include <gtest/gtest.h>

#include <QLocale>
#include <QStringList>

#include "receiver/StationList.h"
#include "receiver/link/StatusRecords.h"
#include "ui/link/NetworkSheetLogic.h"
#include "ui/link/NtripStationsLogic.h"

using namespace quorrel;

namespace {

StationRecord station(const char* mountPoint, double latitude, double longitude,
                      const char* identifier = "") {
    StationRecord record;
    record.mountPoint = mountPoint;
    record.identifier = identifier;
    record.latitude = latitude;
    record.longitude = longitude;
    return record;
}

const ReferencePosition kMunich{48.137154, 11.576124};

QStringList column(const std::vector<StationRow>& rows, int which) {
    QStringList texts;
    for (const StationRow& row : rows)
        texts << (which == kStationColumn ? row.mountPoint
                  : which == kNameColumn  ? row.identifier
                                          : row.distanceText);
    return texts;
}

}  // namespace

TEST(NtripStationRows, DistancesAgainstKnownGreatCircles) {
    // Great-circle distances on the 6,371 km sphere, from Munich.
    const struct {
        const char* legend;
        double latitude, longitude;
        DistanceUnit unit;
        const char* shown;
    } cases[] = {
        {"Berlin", 52.520008, 13.404954, DistanceUnit::Kilometre, "  504 km"},
        {"Berlin in miles", 52.520008, 13.404954, DistanceUnit::Mile, "  313 mi"},
        {"Paris", 48.856613, 2.352222, DistanceUnit::Kilometre, "  684 km"},
        {"New York", 40.712776, -74.005974, DistanceUnit::Kilometre, " 6488 km"},
        {"antipode", -48.137154, -168.423876, DistanceUnit::Kilometre, "20015 km"},
        {"the receiver's own spot", 48.137154, 11.576124, DistanceUnit::Kilometre, "    0 km"},
    };
    for (const auto& c : cases) {
        StationList stations;
        stations.add(station("MP", c.latitude, c.longitude));
        const auto rows = stationRows(stations, kMunich, c.unit);
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows[0].distanceText, c.shown) << c.legend;
    }
}

TEST(NtripStationRows, WithoutAPositionEveryDistanceIsZeroAndTextsAreTrimmed) {
    StationList stations;
    stations.add(station("  MP1 ", 52.5, 13.4, " Berlin\t"));
    stations.add(station("MP2", -33.9, 151.2, "Sydney"));
    const auto rows = stationRows(stations, std::nullopt, DistanceUnit::Kilometre);
    EXPECT_EQ(column(rows, kStationColumn), QStringList({"MP1", "MP2"}));
    EXPECT_EQ(column(rows, kNameColumn), QStringList({"Berlin", "Sydney"}));
    EXPECT_EQ(column(rows, kDistanceColumn), QStringList({"    0 km", "    0 km"}));
}

TEST(NtripStationRows, UnitFollowsTheLocalesMeasurementSystem) {
    EXPECT_EQ(distanceUnitFor(QLocale(QLocale::English, QLocale::UnitedStates)),
              DistanceUnit::Mile);
    EXPECT_EQ(distanceUnitFor(QLocale(QLocale::English, QLocale::UnitedKingdom)),
              DistanceUnit::Kilometre);
    EXPECT_EQ(distanceUnitFor(QLocale(QLocale::German, QLocale::Germany)), DistanceUnit::Kilometre);
}

TEST(NtripStationRows, ReferenceNeedsAPositionWithASolution) {
    PositionRecord position;
    position.latitude = 1.5;
    position.longitude = 2.5;
    EXPECT_FALSE(referencePosition(true, position)) << "solution type 0";
    position.solutionType = 5;
    EXPECT_FALSE(referencePosition(false, position)) << "not read";
    ASSERT_TRUE(referencePosition(true, position));
    EXPECT_EQ(referencePosition(true, position)->longitudeDeg, 2.5);
}

TEST(NtripStationSort, TextsOfDigitsCompareByValueOthersByCharacterCode) {
    const struct {
        const char* a;
        const char* b;
        int sign;
    } cases[] = {
        {"9", "10", -1}, {"-5", "3", -1}, {"007", "7", 0},
        {"a", "B", 1},   {"B", "a", -1},  {"9a", "10a", 1},
        {"-", "1", -1},  {"", "0", -1},   {"99999999999999999999", "1", 1},
    };
    for (const auto& c : cases) {
        const int result = compareListTexts(c.a, c.b);
        EXPECT_EQ((result > 0) - (result < 0), c.sign) << c.a << " vs " << c.b;
    }
}

TEST(NtripStationSort, EachColumnAscendingAndDescendingDistanceByValue) {
    StationList stations;
    stations.add(station("MP10", 52.520008, 13.404954, "Berlin"));   //  504 km
    stations.add(station("MP9", 48.2, 11.6, "Garching"));            //    7 km
    stations.add(station("ab", 40.712776, -74.005974, "New York"));  // 6488 km
    stations.add(station("Zz", 48.856613, 2.352222, "Paris"));       //  684 km
    const auto unsorted = stationRows(stations, kMunich, DistanceUnit::Kilometre);
    const struct {
        int column;
        bool ascending;
        QStringList mountPoints;
    } cases[] = {
        {kStationColumn, true, {"MP10", "MP9", "Zz", "ab"}},
        {kStationColumn, false, {"ab", "Zz", "MP9", "MP10"}},
        {kNameColumn, true, {"MP10", "MP9", "ab", "Zz"}},
        {kDistanceColumn, true, {"MP9", "MP10", "Zz", "ab"}},
        {kDistanceColumn, false, {"ab", "Zz", "MP10", "MP9"}},
    };
    for (const auto& c : cases) {
        auto rows = unsorted;
        sortStationRows(rows, c.column, c.ascending);
        EXPECT_EQ(column(rows, kStationColumn), c.mountPoints) << c.column << c.ascending;
    }
}

TEST(NtripStationSort, HeaderClickSortsAscendingThenTogglesOnTheSameColumn) {
    const StationSort start{kStationColumn, true};
    const StationSort once = sortAfterClick(start, kDistanceColumn);
    EXPECT_TRUE(once.column == kDistanceColumn && once.ascending);
    const StationSort twice = sortAfterClick(once, kDistanceColumn);
    EXPECT_TRUE(twice.column == kDistanceColumn && !twice.ascending);
    const StationSort thrice = sortAfterClick(twice, kDistanceColumn);
    EXPECT_TRUE(thrice.ascending);
    EXPECT_TRUE(sortAfterClick(twice, kNameColumn).ascending);
}

TEST(NtripStationDetails, TwelveRowsWithCarrierSolutionAndNmeaWords) {
    StationRecord s = station("MNT1", 48.126, -11.5, "Home");
    s.workValue = 12.0;
    s.format = "RTCM 3.2";
    s.network = "QRL";
    s.navigationSystem = "GPS+GLO";
    s.country = "DEU";
    const struct {
        std::int32_t carrier, solution, nmea;
        const char *carrierText, *solutionText, *nmeaText;
    } cases[] = {{0, 0, 0, "No", "Single Base", "No"},
                 {1, 1, 1, "L1", "Network", "Yes"},
                 {2, 0, 2, "L1&L2", "Single Base", "Yes"},
                 {7, 0, 0, "L1&L2", "Single Base", "No"}};
    for (const auto& c : cases) {
        s.carrier = c.carrier;
        s.solution = c.solution;
        s.nmea = c.nmea;
        const auto rows = stationDetails(s, DistanceUnit::Mile);
        ASSERT_EQ(rows.size(), 12u);
        QStringList names, values;
        for (const auto& [name, value] : rows) {
            names << name;
            values << value;
        }
        EXPECT_EQ(names,
                  QStringList({"Station", "Name", "Distance", "Format", "Network", "Carrier",
                               "System", "Latitude", "Longitude", "Country", "Solution", "NMEA"}));
        EXPECT_EQ(values,
                  QStringList({"MNT1", "Home", "12 mi", "RTCM 3.2", "QRL", c.carrierText, "GPS+GLO",
                               "48.13", "-11.50", "DEU", c.solutionText, c.nmeaText}));
    }
}

TEST(NtripStationPick, TheRowsOwnStationAsTheRowNamesIt) {
    StationList stations;
    stations.add(station(" PADDED ", 0, 0, " first "));
    stations.add(station("MP", 0, 0, "second"));
    stations.add(station("MP", 0, 0, "third"));
    StationRecord wantsPosition = station("MP", 0, 0, "fourth");
    wantsPosition.nmea = 1;
    stations.add(wantsPosition);
    const auto rows = stationRows(stations, std::nullopt, DistanceUnit::Kilometre);
    const struct {
        int row;
        const char *mountPoint, *identifier;
        std::int32_t nmea;
    } cases[] = {{0, "PADDED", "first", 0}, {2, "MP", "third", 0}, {3, "MP", "fourth", 1}};
    for (const auto& c : cases) {
        const PickedStation picked = pickStation(stations, rows[std::size_t(c.row)]);
        EXPECT_EQ(picked.mountPoint, c.mountPoint) << c.row;
        EXPECT_EQ(picked.identifier, c.identifier) << c.row;
        EXPECT_EQ(picked.nmea, c.nmea) << c.row;
    }
}

TEST(NetworkPorts, FieldTextBecomesAPortOrZero) {
    const struct {
        const char* text;
        std::int32_t port;
    } cases[] = {{"2101", 2101}, {"0", 0},   {"65535", 65535}, {"65536", 0}, {"-1", 0},
                 {"abc", 0},     {"21x", 0}, {"", 0},          {" 80 ", 80}};
    for (const auto& c : cases)
        EXPECT_EQ(portFromText(c.text), c.port) << '"' << c.text << '"';
}
