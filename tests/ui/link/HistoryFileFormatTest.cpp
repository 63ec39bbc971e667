#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HistoryTestSupport.h"
#include "ui/link/HistoryFileFormat.h"

using namespace quorrel;
using quorrel::test::entry;

namespace {

using namespace std::string_literals;

struct FileCase {
    const char* legend;
    const HistoryLayout& layout;
    std::string bytes;
    std::vector<HistoryEntry> entries;
};

const HistoryLayout& kDip = HistoryLayout::directIp();
const HistoryLayout& kGsm = HistoryLayout::gsm();
const HistoryLayout& kGprs = HistoryLayout::gprs();
const HistoryLayout& kNtrip = HistoryLayout::ntrip();

// Files the program writes: they load to these entries and are written back byte for byte.
const std::vector<FileCase> kWrittenFiles = {
    {"direct IP, two entries (19 bytes)",
     kDip,
     "alpha;beta\r\n2101;80",
     {entry({"alpha", "2101"}), entry({"beta", "80"})}},
    {"no entries is a 0-byte file", kNtrip, "", {}},
    // Sound behaviour: an empty line is one empty value, not the end of the file.
    {"GSM, one entry with an empty PIN", kGsm, "\r\n5551234", {entry({"", "5551234"})}},
    {"NTRIP, one entry without login",
     kNtrip,
     "caster.example\r\n2101\r\n\r\n\r\nMNT1",
     {entry({"caster.example", "2101", "", "", "MNT1"})}},
    {"NTRIP, one entry with only a host: the empty last line has no bytes",
     kNtrip,
     "h\r\n0\r\n\r\n\r\n",
     {entry({"h", "0", "", "", ""})}},
    {"NTRIP, one-letter mount point at the very end",
     kNtrip,
     "a;b\r\n2101;2102\r\nu;v\r\np;q\r\nMNT;X",
     {entry({"a", "2101", "u", "p", "MNT"}), entry({"b", "2102", "v", "q", "X"})}},
    {"GPRS, empty values between others",
     kGprs,
     "1234;\r\ninternet;web\r\n;guest\r\n;",
     {entry({"1234", "internet", "", ""}), entry({"", "web", "guest", ""})}},
    {"keys differing only in case are two entries",
     kDip,
     "Caster;caster\r\n1;2",
     {entry({"Caster", "1"}), entry({"caster", "2"})}},
    {"Latin-1 bytes pass through", kDip, "Z\xFCrich\r\n2101", {entry({"Z\xFCrich", "2101"})}},
};

const std::string kLongHosts = std::string(9998, 'x') + ";tail";
const std::string kHundredOne = [] {
    std::string line = "h0";
    for (int i = 1; i <= 100; ++i)
        line += ";h" + std::to_string(i);
    return line;
}();

// Files from elsewhere (older versions, damage, hand edits): loaded as far as they are sound.
const std::vector<FileCase> kForeignFiles = {
    {"bare line ends of an older version's empty history", kNtrip, "\r\n\r\n\r\n\r\n", {}},
    {"bare line ends, GSM", kGsm, "\r\n", {}},
    {"count follows the last line read",
     kDip,
     "a;b;c\r\n1;2",
     {entry({"a", "1"}), entry({"b", "2"})}},
    {"entries beyond a shorter key line have no key and are dropped",
     kDip,
     "a\r\n1;2",
     {entry({"a", "1"})}},
    {"only CR LF ends a line; a lone CR or LF ends the values",
     kDip,
     "a\nb;c\r\n1;2\rz;3",
     {entry({"a", "1"})}},
    {"numbers read as atoi reads them, held to 32 bits",
     kDip,
     "a;b;c;d;e\r\n 42x;-7;abc;99999999999;+5",
     {entry({"a", "42"}), entry({"b", "-7"}), entry({"c", "0"}), entry({"d", "2147483647"}),
      entry({"e", "5"})}},
    {"a zero byte ends a value",
     kDip,
     "ab\0cd;ef\r\n7;8"s,
     {entry({"ab", "7"}), entry({"ef", "8"})}},
    {"values are cut to their field's capacity",
     kGsm,
     "1234567890\r\n"s + std::string(30, '5'),
     {entry({"12345678", std::string(21, '5')})}},
    {"a line is cut at 9,999 bytes and its rest is not a line",
     kDip,
     kLongHosts + "\r\n1;2",
     {entry({std::string(35, 'x'), "1"})}},
    {"a line keeps its first 100 values", kGsm, kHundredOne + "\r\n" + kHundredOne,
     [] {
         std::vector<HistoryEntry> entries;
         for (int i = 0; i < 100; ++i)
             entries.push_back(entry({"h" + std::to_string(i), "h" + std::to_string(i)}));
         return entries;
     }()},
    {"lines after the last field are ignored", kDip, "a\r\n1\r\nx;y;z", {entry({"a", "1"})}},
    {"a file cut inside a line keeps what the last line reached",
     kNtrip,
     "a;b\r\n1;2\r\nlo",
     {entry({"a", "1", "lo", "", ""})}},
    {"binary junk never yields an entry without a key",
     kGprs,
     "\xFF\0\r\x01;\n\r\n\0;\x7F"s,
     {entry({"", "\x7F", "", ""})}},
};

}  // namespace

TEST(HistoryFileFormat, WrittenFilesLoadAndAreWrittenBackByteForByte) {
    for (const FileCase& c : kWrittenFiles) {
        SCOPED_TRACE(c.legend);
        EXPECT_EQ(parseHistoryFile(c.bytes, c.layout), c.entries);
        EXPECT_EQ(formatHistoryFile(c.entries, c.layout), c.bytes);
    }
    EXPECT_EQ(kWrittenFiles[0].bytes.size(), 19u);
}

TEST(HistoryFileFormat, ForeignFilesLoadAsFarAsTheyAreSound) {
    for (const FileCase& c : kForeignFiles) {
        SCOPED_TRACE(c.legend);
        EXPECT_EQ(parseHistoryFile(c.bytes, c.layout), c.entries);
    }
}

TEST(HistoryFileFormat, BytesFedInAnyPiecesLoadAlike) {
    for (const FileCase& c : kWrittenFiles) {
        for (std::size_t split = 0; split <= c.bytes.size(); ++split) {
            HistoryFileParser parser(c.layout);
            parser.feed(std::string_view(c.bytes).substr(0, split));
            parser.feed(std::string_view(c.bytes).substr(split));
            EXPECT_EQ(parser.finish(), c.entries) << c.legend << ", split at " << split;
        }
    }
}
