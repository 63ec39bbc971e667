#include <gtest/gtest.h>

#include <string>

#include "receiver/StationList.h"

using namespace quorrel;

namespace {

const char kStream[] =
    "STR;MNT1;Bend;RTCM "
    "3.2;1004(1),1006(10);2;GPS+GLO;NET1;USA;44.07;-121.31;1;0;gen;none;B;N;9600";

std::string table(const std::string& body) {
    return "SOURCETABLE 200 OK\r\nServer: test\r\n\r\n" + body + "ENDSOURCETABLE\r\n";
}

StationList parsed(const std::string& text) {
    StationList list;
    parseSourceTable(text.c_str(), list);
    return list;
}

}  // namespace

TEST(SourceTable, StreamLineFillsEveryField) {
    const StationRecord r = parseStreamLine(kStream);
    EXPECT_EQ(r.mountPoint, "MNT1");
    EXPECT_EQ(r.identifier, "Bend");
    EXPECT_EQ(r.format, "RTCM 3.2");
    EXPECT_EQ(r.formatDetails, "1004(1),1006(10)");
    EXPECT_EQ(r.carrier, 2);
    EXPECT_EQ(r.navigationSystem, "GPS+GLO");
    EXPECT_EQ(r.network, "NET1");
    EXPECT_EQ(r.country, "USA");
    EXPECT_DOUBLE_EQ(r.latitude, 44.07);
    EXPECT_DOUBLE_EQ(r.longitude, -121.31);
    EXPECT_EQ(r.nmea, 1);
    EXPECT_EQ(r.solution, 0);
    EXPECT_EQ(r.generator, "gen");
    EXPECT_EQ(r.compression, "none");
    EXPECT_EQ(r.authentication, "B");
    EXPECT_EQ(r.fee, "N");
    EXPECT_EQ(r.bitRate, 9600);
    EXPECT_EQ(r.workValue, 0.0);
}

TEST(SourceTable, ShortStreamLineLeavesTheRestEmpty) {
    const StationRecord r = parseStreamLine("STR;MNT2;Town;RTCM 3");
    EXPECT_EQ(r.mountPoint, "MNT2");
    EXPECT_EQ(r.format, "RTCM 3");
    EXPECT_EQ(r.formatDetails, "");
    EXPECT_EQ(r.carrier, 0);
    EXPECT_EQ(r.latitude, 0.0);
    EXPECT_EQ(r.bitRate, 0);
}

TEST(SourceTable, NumbersAreLeadingDigitsAndTextsAreCut) {
    const StationRecord r =
        parseStreamLine("STR;M;I;F;D;x2;S;N;GERMANY;50.5N;abc;+1x;-3;g;c;BAS;YES;9600 bps");
    EXPECT_EQ(r.carrier, 0);  // does not start with a number
    EXPECT_EQ(r.country, "GERMA");
    EXPECT_DOUBLE_EQ(r.latitude, 50.5);
    EXPECT_EQ(r.longitude, 0.0);
    EXPECT_EQ(r.nmea, 1);
    EXPECT_EQ(r.solution, -3);
    EXPECT_EQ(r.authentication, "BA");
    EXPECT_EQ(r.fee, "YE");
    EXPECT_EQ(r.bitRate, 9600);
    const std::string longName(150, 'm');
    EXPECT_EQ(parseStreamLine(("STR;" + longName).c_str()).mountPoint.size(), 100u);
}

TEST(SourceTable, OnlyStreamLinesInsideTheTableBecomeStations) {
    const std::string text = "STR;BEFORE;x\r\n" +
                             table(
                                 "CAS;caster;2101;C;O;0;DEU;50;8;0.0.0.0;0;url\r\n"
                                 "NET;NET1;O;B;N;url;url;mail;none\r\n" +
                                 std::string(kStream) + "\r\n") +
                             "STR;AFTER;x\r\n";
    const StationList list = parsed(text);
    ASSERT_EQ(list.count(), 1u);
    EXPECT_EQ(list.records()[0].mountPoint, "MNT1");
}

TEST(SourceTable, CasterAndNetworkLinesAloneGiveAnEmptyList) {
    StationList list;
    list.add(parseStreamLine(kStream));
    parseSourceTable(table("CAS;caster;2101\r\nNET;NET1;O\r\n").c_str(), list);
    EXPECT_EQ(list.count(), 0u);
}

TEST(SourceTable, OverlongLineIsCutAndTheNextParsedNormally) {
    const std::string longLine = "STR;LONG;" + std::string(1500, 'x') + "\r\n";
    const StationList list = parsed(table(longLine + kStream + "\r\n"));
    ASSERT_EQ(list.count(), 2u);
    EXPECT_EQ(list.records()[0].mountPoint, "LONG");
    EXPECT_EQ(list.records()[1].mountPoint, "MNT1");
    EXPECT_EQ(list.records()[1].bitRate, 9600);
}

TEST(SourceTable, EndOfTableNeedsNoLineEnd) {
    const std::string text =
        "SOURCETABLE 200 OK\r\n" + std::string(kStream) + "\r\nENDSOURCETABLE" + "STR;LATE;x\r\n";
    EXPECT_EQ(parsed(text).count(), 1u);
}

TEST(StationList, GrowsPastItsFirstHundredAndClampsIndices) {
    std::string body;
    for (int i = 0; i < 250; ++i)
        body += "STR;M" + std::to_string(i) + ";T\r\n";
    const StationList list = parsed(table(body));
    ASSERT_EQ(list.count(), 250u);
    StationRecord r;
    ASSERT_TRUE(list.get(-1, r));
    EXPECT_EQ(r.mountPoint, "M0");
    ASSERT_TRUE(list.get(250, r));
    EXPECT_EQ(r.mountPoint, "M249");
    ASSERT_TRUE(list.get(17, r));
    EXPECT_EQ(r.mountPoint, "M17");
}

TEST(StationList, EmptyListGivesNothing) {
    StationList list;
    StationRecord r;
    r.mountPoint = "untouched";
    EXPECT_FALSE(list.get(0, r));
    EXPECT_EQ(r.mountPoint, "untouched");
}
