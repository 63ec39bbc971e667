#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quorrel {

// One "STR" record of an NTRIP caster's source table. Texts are cut to the lengths the
// browser keeps (mount point and most texts 100, country 5, authentication and fee 2).
struct StationRecord {
    double workValue = 0.0;  // free for the browser (distance, sort key)
    std::string mountPoint;
    std::string identifier;
    std::string format;
    std::string formatDetails;
    std::int32_t carrier = 0;
    std::string navigationSystem;
    std::string network;
    std::string country;
    double latitude = 0.0;
    double longitude = 0.0;
    std::int32_t nmea = 0;
    std::int32_t solution = 0;
    std::string generator;
    std::string compression;
    std::string authentication;
    std::string fee;
    std::int32_t bitRate = 0;
};

// The stations of one source-table load, in table order.
class StationList {
public:
    static constexpr std::size_t kGrowth = 100;

    StationList() { m_records.reserve(kGrowth); }

    void clear() { m_records.clear(); }
    void add(const StationRecord& record);
    std::size_t count() const { return m_records.size(); }
    // A copy of record `index`; an index below 0 gives the first record and one at or past
    // the end the last. False (and `record` untouched) when the list is empty.
    bool get(long index, StationRecord& record) const;
    const std::vector<StationRecord>& records() const { return m_records; }

private:
    std::vector<StationRecord> m_records;
};

// Clears `stations` and adds one record per "STR" line found between the "SOURCETABLE" line
// and "ENDSOURCETABLE" of `text` (NUL-terminated). Lines are cut at 1,023 characters.
void parseSourceTable(const char* text, StationList& stations);

// One "STR" line (without line end) as a record.
StationRecord parseStreamLine(const char* line);

}  // namespace quorrel
