#include <gtest/gtest.h>

#include "sim/board/NtripResponse.h"

using namespace quorrel;

TEST(NtripResponse, ClassifiesWhatACasterAnswers) {
    struct Case {
        const char* legend;
        std::string bytes;
        CasterAnswer answer;
        std::size_t header;
    };
    const Case cases[] = {
        {"nothing yet", "", CasterAnswer::Incomplete, 0},
        {"half a status", "ICY 20", CasterAnswer::Incomplete, 0},
        {"stream", std::string("ICY 200 OK\r\n\xD3\x00", 14), CasterAnswer::Stream, 12},
        {"stream after an empty line", "ICY 200 OK\r\n\r\nxyz", CasterAnswer::Stream, 14},
        {"table", "SOURCETABLE 200 OK\r\nServer", CasterAnswer::SourceTable, 0},
        {"refused", "HTTP/1.0 401 Unauthorized\r\n\r\n", CasterAnswer::Refused, 0},
        {"http ok", "HTTP/1.1 200 OK\r\nX: y\r\n\r\ndata", CasterAnswer::Stream, 25},
        {"http ok, headers open", "HTTP/1.1 200 OK\r\nX: y\r\n", CasterAnswer::Incomplete, 0},
        {"garbage line", "ERROR - Bad Password\r\n", CasterAnswer::Refused, 0},
        {"endless garbage", std::string(2000, 'x'), CasterAnswer::Refused, 0},
    };
    for (const Case& c : cases) {
        const CasterReply reply = classifyCasterReply(c.bytes);
        EXPECT_EQ(reply.answer, c.answer) << c.legend;
        if (c.answer == CasterAnswer::Stream) {
            EXPECT_EQ(reply.headerLength, c.header) << c.legend;
        }
    }
}

TEST(NtripResponse, SourceTableEndsAtTheEndLineOnly) {
    const std::string head = "SOURCETABLE 200 OK\r\nContent-Length: 10\r\n\r\n";
    const std::string str = "STR;ENDSOURCETABLEX;x;RTCM 3;;2;GPS;N;DEU;50;8;0;0;g;n;N;N;1\r\n";
    EXPECT_FALSE(completeSourceTable(head + str));
    EXPECT_EQ(completeSourceTable(head + str + "ENDSOURCETABLE\r\ntrailer"),
              head + str + "ENDSOURCETABLE\r\n");
    EXPECT_EQ(completeSourceTable(head + "ENDSOURCETABLE"), head + "ENDSOURCETABLE\r\n");
    EXPECT_FALSE(completeSourceTable("ICY 200 OK\r\nENDSOURCETABLE\r\n"));
}

TEST(NtripResponse, RequestCarriesAgentAndBasicAuthentication) {
    EXPECT_EQ(ntripRequest("", "", ""),
              "GET / HTTP/1.0\r\nUser-Agent: NTRIP QuorrelBoard/2.31\r\n\r\n");
    EXPECT_EQ(ntripRequest("MNT1", "user", "pass"),
              "GET /MNT1 HTTP/1.0\r\nUser-Agent: NTRIP QuorrelBoard/2.31\r\n"
              "Authorization: Basic dXNlcjpwYXNz\r\n\r\n");
    EXPECT_EQ(base64(""), "");
    EXPECT_EQ(base64("f"), "Zg==");
    EXPECT_EQ(base64("fo"), "Zm8=");
    EXPECT_EQ(base64("foo"), "Zm9v");
}

TEST(NtripResponse, FindsTheStationOfAMountPoint) {
    const std::string table =
        "SOURCETABLE 200 OK\r\nCAS;caster;2101;X;Y;0;DEU;50;8;0.0.0.0;0;none\r\n"
        "STR;ABC1;Town;RTCM 3.2;1004;2;GPS;NET;DEU;50.10;8.70;0;0;gen;none;B;N;9600\r\n"
        "STR;ABC2;Other;RTCM 3.2;1004;2;GPS;NET;DEU;-33.5;151.25;0;0;gen;none;B;N;9600\r\n"
        "ENDSOURCETABLE\r\n";
    double lat = 0, lon = 0;
    ASSERT_TRUE(findStation(table, "ABC2", lat, lon));
    EXPECT_DOUBLE_EQ(lat, -33.5);
    EXPECT_DOUBLE_EQ(lon, 151.25);
    EXPECT_FALSE(findStation(table, "ABC", lat, lon));
    EXPECT_FALSE(findStation("STR;SHORT;x;y\r\n", "SHORT", lat, lon));
}
