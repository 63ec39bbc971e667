#pragma once

// Satellites as an independent decoder reports them (its JSON "SKY" records) and as our
// message-4 parser reads them, for side-by-side comparison.
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "platform/MemoryByteSource.h"
#include "receiver/external/SirfFrameAssembler.h"
#include "receiver/external/SirfParsers.h"

struct SkySatellite {
    int prn = 0;
    double elevationDeg = 0.0;
    double azimuthDeg = 0.0;
};
using SkyRecord = std::vector<SkySatellite>;

// Every SKY record's satellite list, in order.
inline std::vector<SkyRecord> skyRecordsFromJson(const std::string& json) {
    static const std::regex satellite(R"re("PRN":(\d+),"el":(-?[\d.]+),"az":(-?[\d.]+))re");
    std::vector<SkyRecord> records;
    std::size_t at = 0;
    while ((at = json.find("\"class\":\"SKY\"", at)) != std::string::npos) {
        const std::size_t end = json.find('\n', at);
        const std::string line = json.substr(at, end - at);
        SkyRecord record;
        for (std::sregex_iterator it(line.begin(), line.end(), satellite), last; it != last; ++it)
            record.push_back({std::stoi((*it)[1]), std::stod((*it)[2]), std::stod((*it)[3])});
        records.push_back(record);
        at = end;
    }
    return records;
}

// Our reading of every message 4 in `stream`. Channels without a satellite, or with one whose
// place in the sky is not known yet (azimuth and elevation 0), are left out, as the decoder
// does and the sky plot does.
inline std::vector<SkyRecord> skyRecordsFromFrames(const std::string& stream) {
    quorrel::MemoryByteSource source;
    source.append(stream);
    quorrel::SirfFrameAssembler assembler(source, 0);
    std::vector<SkyRecord> records;
    while (assembler.next() != quorrel::SirfFrameAssembler::Result::Failed) {
        if (assembler.unit().empty() || assembler.kind() != quorrel::SirfUnitKind::Frame ||
            assembler.payload()[0] != quorrel::kSirfMeasuredTracker)
            continue;
        quorrel::SatelliteTable table;
        int count = 0;
        if (!quorrel::parseMeasuredTracker(assembler.payload(), assembler.payloadLength(), {},
                                           table, count))
            continue;
        SkyRecord record;
        for (int i = 0; i < count; ++i) {
            const quorrel::SatelliteEntry& e = table[std::size_t(i)];
            if (e.prn != 0 && (e.azimuth != 0 || e.elevation != 0))
                record.push_back({e.prn, double(e.elevation), double(e.azimuth)});
        }
        records.push_back(record);
    }
    return records;
}

// Same satellites in the same order; our whole degrees are the decoder's, truncated.
#define EXPECT_SAME_SKY(ours, theirs)                                                  \
    do {                                                                               \
        ASSERT_EQ((ours).size(), (theirs).size());                                     \
        for (std::size_t r = 0; r < (ours).size(); ++r) {                              \
            ASSERT_EQ((ours)[r].size(), (theirs)[r].size()) << "record " << r;         \
            for (std::size_t s = 0; s < (ours)[r].size(); ++s) {                       \
                EXPECT_EQ((ours)[r][s].prn, (theirs)[r][s].prn) << "record " << r;     \
                EXPECT_EQ((ours)[r][s].elevationDeg, int((theirs)[r][s].elevationDeg)) \
                    << "PRN " << (ours)[r][s].prn;                                     \
                EXPECT_EQ((ours)[r][s].azimuthDeg, int((theirs)[r][s].azimuthDeg))     \
                    << "PRN " << (ours)[r][s].prn;                                     \
            }                                                                          \
        }                                                                              \
    } while (0)
