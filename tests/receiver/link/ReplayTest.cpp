// Real receivers' recordings through the reader and the parsers, compared with what an
// independent decoder made of the same bytes (the .chk files beside each recording).
//
// Differences that follow from how this link reads sentences, each counted per recording:
// - Talkers and types the classifier does not accept (RMC, GBS, proprietary ones) change
//   nothing here, so position checks start with the first GGA or GLL.
// - A "$" inside a sentence starts a new one: a sentence interrupted by another is dropped
//   where the other decoder splices it back together ("interrupted").
// - A sentence whose checksum the recording garbled (no "*" five characters from its end)
//   counts as one without a checksum and is used; the other decoder drops it ("garbled").
// - DOP values are read with one decimal (truncated), hence a tolerance of 0.1.
// - A GSV group with a message missing (lost in the recording or dropped as above) is
//   published differently: this link publishes the leading satellites up to the gap and
//   keeps earlier values where message 1 is missing; the other decoder keeps its previous
//   sky. Such groups are not compared ("incomplete groups").
// - VTG speed: the other decoder takes RMC's knots; compared where the epoch's VTG came
//   after its RMC (the same epoch), to 0.1 km/h.
// - The other decoder dates these old recordings 1024 weeks later (it resolves the GPS week
//   rollover differently); dates are compared modulo 1024 weeks.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/MemoryByteSource.h"
#include "receiver/link/Classifier.h"
#include "receiver/link/ReceiverStatus.h"
#include "receiver/link/SentenceDispatcher.h"
#include "receiver/link/SentenceReader.h"

using namespace quorrel;

namespace {

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        out.push_back(line);
    }
    return out;
}

// A number after "key": in a JSON record; false when the key is absent.
bool jsonNumber(const std::string& json, const std::string& key, double& value,
                std::size_t from = 0) {
    const std::size_t at = json.find("\"" + key + "\":", from);
    if (at == std::string::npos) return false;
    value = std::strtod(json.c_str() + at + key.size() + 3, nullptr);
    return true;
}

bool jsonHas(const std::string& json, const std::string& text) {
    return json.find(text) != std::string::npos;
}

struct DecodedSatellite {
    int prn;
    double elevation, azimuth, snr;
    int used;
};

std::vector<DecodedSatellite> jsonSatellites(const std::string& json) {
    std::vector<DecodedSatellite> out;
    for (std::size_t at = json.find("{\"PRN\":"); at != std::string::npos;
         at = json.find("{\"PRN\":", at + 1)) {
        DecodedSatellite s{};
        double prn = 0;
        jsonNumber(json, "PRN", prn, at);
        s.prn = int(prn);
        jsonNumber(json, "el", s.elevation, at);
        jsonNumber(json, "az", s.azimuth, at);
        jsonNumber(json, "ss", s.snr, at);
        const std::size_t end = json.find('}', at);
        const std::size_t used = json.find("\"used\":true", at);
        s.used = used != std::string::npos && used < end ? 1 : 0;
        out.push_back(s);
    }
    return out;
}

// Every sentence the reader frames out of a recording (the recorder's "#" lines removed).
std::vector<std::string> frame(const std::string& recording) {
    std::string bytes;
    for (const std::string& line : lines(recording))
        if (line.empty() || line[0] != '#') bytes += line + "\r\n";
    MemoryByteSource source(512);
    source.append(bytes);
    std::atomic<bool> stop{false};
    SentenceReader reader(source, stop);
    std::vector<char> buffer(SentenceReader::kBufferSize);
    std::vector<std::string> out;
    SentenceType type;
    while (reader.readSentence(type, buffer.data(), buffer.size()))
        out.emplace_back(buffer.data());
    return out;
}

// Days since 6 January 1980 of a civil date.
int gpsDay(int year, int month, int day) {
    auto daysFromCivil = [](int y, int m, int d) {  // days since 1970-01-01
        y -= m <= 2;
        const int era = (y >= 0 ? y : y - 399) / 400;
        const int yoe = y - era * 400;
        const int doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
        const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
        return era * 146097 + doe - 719468;
    };
    return daysFromCivil(year, month, day) - daysFromCivil(1980, 1, 6);
}

class Replay {
public:
    explicit Replay(std::string name) : m_name(std::move(name)) {}

    // A sentence of the recording: dispatched as the reader thread would.
    void sentence(const std::string& text) {
        const SentenceType type = classifySentence(text.c_str(), text.size());
        dispatchSentence(m_status, type, text.c_str(), text.size());
        m_seenPosition |= type == SentenceType::GGA || type == SentenceType::GLL;
        m_seenZda |= type == SentenceType::ZDA;
        if (type == SentenceType::VTG) m_vtgSinceRmc = true;
        if (type == SentenceType::GSV) followGroup(text[9] - '0');
        if (text.compare(3, 3, "RMC") == 0) m_vtgSinceRmc = false;
        m_head = text.substr(1, 5);
    }

    void record(const std::string& json) {
        if (jsonHas(json, "\"class\":\"TPV\"")) checkPosition(json);
        if (jsonHas(json, "\"class\":\"GST\"")) checkErrors(json);
        if (jsonHas(json, "\"class\":\"SKY\"")) checkSky(json);
    }

    int comparisons() const { return m_comparisons; }
    int incompleteGroups() const { return m_incompleteGroups; }

private:
    const PositionRecord& record() { return m_status.workingPosition(); }

    // Whether the messages of the current GSV group came complete and in order.
    void followGroup(int number) {
        if (number == 1) {
            m_groupComplete = true;
        } else if (number != m_lastMessage + 1) {
            m_groupComplete = false;
        }
        m_lastMessage = number;
    }

    void expect(const char* what, double ours, double theirs, double tolerance) {
        ++m_comparisons;
        EXPECT_NEAR(ours, theirs, tolerance) << m_name << ": " << what << " after " << m_head;
    }

    void checkPosition(const std::string& json) {
        const PositionRecord& r = record();
        double value = 0;
        if (m_seenPosition && jsonNumber(json, "lat", value))
            expect("latitude", r.latitude, value, 1e-7);
        if (m_seenPosition && jsonNumber(json, "lon", value))
            expect("longitude", r.longitude, value, 1e-7);
        if (m_seenPosition && jsonNumber(json, "altHAE", value))
            expect("ellipsoid height", r.ellipsoidHeight, value, 1e-3);
        if (m_vtgSinceRmc && jsonNumber(json, "speed", value))
            expect("speed km/h", r.speed, value * 3.6, 0.1);
        const std::size_t at = json.find("\"time\":\"");
        if (m_seenZda && at != std::string::npos) {
            const char* date = json.c_str() + at + 8;
            const int theirs = gpsDay(std::atoi(date), std::atoi(date + 5), std::atoi(date + 8));
            const int ours = gpsDay(r.utcYear, r.utcMonth, r.utcDay);
            expect("date (days modulo 1024 weeks)", (theirs - ours) % 7168, 0, 0);
        }
    }

    void checkErrors(const std::string& json) {
        double lat = 0, lon = 0, alt = 0;
        if (!jsonNumber(json, "lat", lat) || !jsonNumber(json, "lon", lon) ||
            !jsonNumber(json, "alt", alt))
            return;  // an empty GST: the decoder keeps nothing, the record keeps its values
        expect("horizontal error", record().horizontalError, std::hypot(lat, lon), 1e-4);
        expect("vertical error", record().verticalError, alt, 1e-4);
    }

    void checkSky(const std::string& json) {
        double value = 0;
        if (jsonNumber(json, "pdop", value)) expect("PDOP", record().pdop, value, 0.1);
        if (jsonNumber(json, "hdop", value)) expect("HDOP", record().hdop, value, 0.1);
        if (!m_groupComplete) {
            ++m_incompleteGroups;
            return;
        }
        SatelliteTable table{};
        const int count = m_status.satellites(table);
        for (const DecodedSatellite& s : jsonSatellites(json)) {
            const int prn = s.prn >= 33 && s.prn <= 64 ? s.prn + 87 : s.prn;
            int index = 0;
            while (index < count && table[index].prn != prn)
                ++index;
            ASSERT_LT(index, count) << m_name << ": PRN " << s.prn << " missing";
            const SatelliteEntry& entry = table[index];
            expect("elevation", entry.elevation, s.elevation, 0);
            expect("azimuth", entry.azimuth, s.azimuth, 0);
            expect("SNR", entry.snr, s.snr, 0.5);
            expect("used", entry.used, s.used, 0);
        }
    }

    std::string m_name;
    ReceiverStatus m_status;
    std::string m_head;
    bool m_seenPosition = false;
    bool m_seenZda = false;
    bool m_vtgSinceRmc = false;
    bool m_groupComplete = false;
    int m_lastMessage = 0;
    int m_incompleteGroups = 0;
    int m_comparisons = 0;
};

struct Recording {
    const char* name;
    int interrupted;       // sentences the reader drops because another one cut into them
    int garbled;           // sentences with a garbled checksum that the reader keeps
    int incompleteGroups;  // GSV groups with a message missing
};

void PrintTo(const Recording& recording, std::ostream* out) {
    *out << recording.name;
}

class ReplayTest : public ::testing::TestWithParam<Recording> {};

}  // namespace

TEST_P(ReplayTest, ParsedValuesMatchTheIndependentDecoder) {
    const Recording& recording = GetParam();
    const std::filesystem::path dir = QUORREL_CAPTURES_DIR;
    const std::filesystem::path log = dir / (std::string(recording.name) + ".log");
    if (!std::filesystem::exists(log)) GTEST_SKIP() << "recordings not present: " << dir;

    const std::vector<std::string> framed = frame(readFile(log));
    Replay replay(recording.name);
    std::size_t next = 0;
    int interrupted = 0;
    int garbled = 0;
    for (const std::string& line : lines(readFile(log.string() + ".chk"))) {
        if (line.rfind("$", 0) == 0) {
            const std::string text = line + "\r\n";
            if (next + 1 < framed.size() && framed[next] != text && framed[next + 1] == text) {
                replay.sentence(framed[next++]);  // framed here, dropped by the other decoder
                ++garbled;
            }
            if (next < framed.size() && framed[next] == text) {
                replay.sentence(framed[next++]);
            } else {
                ++interrupted;
            }
        } else if (line.rfind("{", 0) == 0) {
            replay.record(line);
        }
    }
    EXPECT_EQ(next, framed.size());
    EXPECT_EQ(interrupted, recording.interrupted);
    EXPECT_EQ(garbled, recording.garbled);
    EXPECT_EQ(replay.incompleteGroups(), recording.incompleteGroups);
    EXPECT_GT(replay.comparisons(), 50);
}

INSTANTIATE_TEST_SUITE_P(NmeaRecordings, ReplayTest,
                         ::testing::Values(Recording{"skytraq-fix", 0, 0, 0},
                                           Recording{"isync", 1, 0, 7},
                                           Recording{"ublox-lea-4h", 0, 0, 0},
                                           Recording{"et-332", 0, 1, 0}),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             for (char& c : name)
                                 if (c == '-') c = '_';
                             return name;
                         });
