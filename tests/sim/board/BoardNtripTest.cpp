#include <gtest/gtest.h>

#include <cmath>

#include "BoardFixture.h"
#include "support/LoopbackCaster.h"
#include "support/Str2StrCaster.h"

using namespace quorrel;
using namespace quorrel::test;

namespace {

constexpr char kStrFields[] =
    "Munich;RTCM 3.2;1004(1),1005(10);2;GPS+GLO;QNET;DEU;48.15;11.60;0;0;str2str;none;N;N;2400";

int countLines(const std::string& text, const std::string& start) {
    int n = 0;
    for (std::size_t at = text.find("\r\n" + start); at != std::string::npos;
         at = text.find("\r\n" + start, at + 2))
        ++n;
    return n;
}

}  // namespace

class BoardNtripTest : public BoardTest {
protected:
    void useCaster(int port, const std::string& login = "", const std::string& password = "") {
        expectAck("$PQVXS,NTR,PAR,ADD,127.0.0.1,PRT," + std::to_string(port) + ",LGN," + login +
                  ",PWD," + password + ",TYP,0");
    }

    // The result line that follows the acknowledgement of a LOD or MTP command.
    std::string result(const std::string& command, int timeoutMs = 3000) {
        expectAck(command);
        const auto reply = client.waitForAny({"$PQVXR,NTR,OK", "$PQVXR,NTR,FAIL"}, timeoutMs);
        return reply ? bodyOf(reply->text) : "(no result)";
    }

    // Waits for a VEC whose mode is one of `modes` ("3": FIXED; "123": any differential).
    bool solutionReaches(const std::string& modes, int timeoutMs) {
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (std::chrono::steady_clock::now() < deadline) {
            const auto vec = client.waitFor("$PQVXR,VEC", 500);
            if (vec && modes.find(fieldsOf(vec->text)[2]) != std::string::npos) return true;
        }
        return false;
    }
};

TEST_F(BoardNtripTest, SourceTableComesFromARealCaster) {
    if (!Str2StrCaster::available()) GTEST_SKIP() << "str2str (package rtklib) is not installed";
    Str2StrCaster caster;
    ASSERT_TRUE(caster.start("MNT1", kStrFields));
    startBoard();
    prepareGprs();
    useCaster(caster.port());
    EXPECT_EQ(result("$PQVXS,NTR,LOD"), "PQVXR,NTR,OK");
    ASSERT_TRUE(client.send("$PQVXQ,NTR,TBL"));
    const auto table = client.waitFor("$PQVXR,NTR,TBL", 2000);
    ASSERT_TRUE(table);
    EXPECT_EQ(table->type, SentenceType::NTR);
    EXPECT_TRUE(table->text.starts_with("$PQVXR,NTR,TBL\r\nSOURCETABLE 200 OK\r\n"));
    EXPECT_NE(table->text.find("\r\nSTR;MNT1;Munich;RTCM 3.2;"), std::string::npos);
    EXPECT_TRUE(table->text.ends_with("\r\nENDSOURCETABLE\r\n"));
}

// The mount point's stream raises the solution to FIXED, with the baseline to the station the
// source table places; the modem is ONLINE meanwhile.
TEST_F(BoardNtripTest, MountPointOfARealCasterLeadsToFixed) {
    if (!Str2StrCaster::available()) GTEST_SKIP() << "str2str (package rtklib) is not installed";
    Str2StrCaster caster;
    ASSERT_TRUE(caster.start("MNT1", kStrFields));
    startBoard();
    prepareGprs();
    useCaster(caster.port());
    ASSERT_EQ(result("$PQVXS,NTR,LOD"), "PQVXR,NTR,OK");
    switchOnEpochs("0.05");
    EXPECT_EQ(result("$PQVXS,NTR,MTP,MNT1"), "PQVXR,NTR,OK");
    EXPECT_EQ(query("$PQVXQ,NTR,MTP", "$PQVXR,NTR,MTP"), "PQVXR,NTR,MTP,MNT1");
    EXPECT_EQ(board->status().modem, BoardModemState::Online);
    ASSERT_TRUE(solutionReaches("3", 3000));
    const auto gga = client.waitFor("$GPGGA", 500);
    const auto vec = client.waitFor("$PQVXR,VEC", 500);
    ASSERT_TRUE(gga && vec);
    const auto g = fieldsOf(gga->text);
    EXPECT_EQ(g[6], "4");
    EXPECT_FALSE(g[13].empty());  // age of corrections
    EXPECT_EQ(g[14], "0101");
    const auto v = fieldsOf(vec->text);
    const double length =
        std::sqrt(std::stod(v[5]) * std::stod(v[5]) + std::stod(v[6]) * std::stod(v[6]) +
                  std::stod(v[7]) * std::stod(v[7]));
    const Geodetic station{48.15, 11.60, 560.0};
    EXPECT_NEAR(length, surfaceDistanceM({48.137154, 11.576124, 560.0}, station), 30.0);

    expectAck("$PQVXS,NTR,MTP,OFF");
    EXPECT_TRUE(solutionReaches("09", 2000));
    EXPECT_EQ(board->status().modem, BoardModemState::Init);
}

TEST_F(BoardNtripTest, UnknownMountPointFails) {
    if (!Str2StrCaster::available()) GTEST_SKIP() << "str2str (package rtklib) is not installed";
    Str2StrCaster caster;
    ASSERT_TRUE(caster.start("MNT1", kStrFields));
    startBoard();
    prepareGprs();
    useCaster(caster.port());
    EXPECT_EQ(result("$PQVXS,NTR,MTP,NOPE"), "PQVXR,NTR,FAIL");
    EXPECT_EQ(query("$PQVXQ,NTR,MTP", "$PQVXR,NTR,MTP"), "PQVXR,NTR,MTP,OFF");
}

// Thousands of stations, several hundred kilobytes: the whole table arrives as one block.
TEST_F(BoardNtripTest, LargeSourceTableArrivesWhole) {
    LoopbackCaster caster;
    caster.setSourceTableLines("CAS;127.0.0.1;2101;QRL;QRL;0;DEU;48.1;11.6;0.0.0.0;0;none\r\n" +
                               stationLines(5000, 47.0, 6.0));
    ASSERT_TRUE(caster.start());
    startBoard();
    prepareGprs();
    useCaster(caster.port());
    ASSERT_EQ(result("$PQVXS,NTR,LOD", 5000), "PQVXR,NTR,OK");
    ASSERT_TRUE(client.send("$PQVXQ,NTR,TBL"));
    const auto table = client.waitFor("$PQVXR,NTR,TBL", 5000);
    ASSERT_TRUE(table);
    EXPECT_GT(table->text.size(), 500u * 1024);
    EXPECT_EQ(countLines(table->text, "STR;"), 5000);
    EXPECT_NE(table->text.find("\r\nSTR;MP4999;"), std::string::npos);
    EXPECT_TRUE(table->text.ends_with("\r\nENDSOURCETABLE\r\n"));
    // The board asked as an NTRIP v1 client does.
    const auto requests = caster.requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_TRUE(requests[0].starts_with("GET / HTTP/1.0\r\n"));
    EXPECT_NE(requests[0].find("\r\nUser-Agent: NTRIP "), std::string::npos);
    EXPECT_EQ(requests[0].find("Authorization"), std::string::npos);
}

TEST_F(BoardNtripTest, SilentMountPointFailsAfterTheTimeOut) {
    config.ipTimeoutMs = 300;
    LoopbackCaster caster;
    caster.addMount({"QUIET", true, "", ""});
    ASSERT_TRUE(caster.start());
    startBoard();
    prepareGprs();
    useCaster(caster.port());
    const auto sent = std::chrono::steady_clock::now();
    EXPECT_EQ(result("$PQVXS,NTR,MTP,QUIET"), "PQVXR,NTR,FAIL");
    EXPECT_GE(std::chrono::steady_clock::now() - sent, std::chrono::milliseconds(250));
}

// A login goes out as basic authentication; a wrong one is refused by the caster.
TEST_F(BoardNtripTest, LoginIsSentAsBasicAuthentication) {
    LoopbackCaster caster;
    caster.addMount({"SECURE", false, "rover", "s3cret"});
    ASSERT_TRUE(caster.start());
    startBoard();
    prepareGprs();
    useCaster(caster.port(), "rover", "wrong");
    EXPECT_EQ(result("$PQVXS,NTR,MTP,SECURE"), "PQVXR,NTR,FAIL");
    useCaster(caster.port(), "rover", "s3cret");
    EXPECT_EQ(result("$PQVXS,NTR,MTP,SECURE"), "PQVXR,NTR,OK");
    const auto requests = caster.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_TRUE(requests[1].starts_with("GET /SECURE HTTP/1.0\r\n"));
    EXPECT_NE(requests[1].find("\r\nAuthorization: Basic cm92ZXI6czNjcmV0\r\n"), std::string::npos);
}

// "Send position to network": GGA switched on for the modem's port E goes to the caster.
TEST_F(BoardNtripTest, PositionGoesUpToTheCasterWhenGgaIsOnForPortE) {
    LoopbackCaster caster;
    caster.addMount({"VRS", false, "", ""});
    ASSERT_TRUE(caster.start());
    startBoard();
    prepareGprs();
    useCaster(caster.port());
    expectAck("$PQVXS,NME,GGA,E,ON,0.10");
    ASSERT_EQ(result("$PQVXS,NTR,MTP,VRS"), "PQVXR,NTR,OK");
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    const std::string upstream = caster.upstream();
    EXPECT_NE(upstream.find("$GPGGA,"), std::string::npos) << upstream;
    EXPECT_TRUE(hasGoodChecksum(upstream.substr(0, upstream.find('\n') + 1)));
}

TEST_F(BoardNtripTest, StreamThatStopsTakesTheCorrectionsAway) {
    auto caster = std::make_unique<LoopbackCaster>();
    caster->addMount({"MNT2", false, "", ""});
    ASSERT_TRUE(caster->start());
    startBoard();
    prepareGprs();
    useCaster(caster->port());
    switchOnEpochs("0.05");
    ASSERT_EQ(result("$PQVXS,NTR,MTP,MNT2"), "PQVXR,NTR,OK");
    ASSERT_TRUE(solutionReaches("123", 2000));
    caster.reset();
    EXPECT_TRUE(solutionReaches("09", 2000));
    EXPECT_EQ(query("$PQVXQ,NTR,MTP", "$PQVXR,NTR,MTP"), "PQVXR,NTR,MTP,OFF");
}

// Direct IP: acknowledged once the server took the connection; its data are corrections.
TEST_F(BoardNtripTest, DirectIpConnectsToACorrectionServer) {
    LoopbackStreamServer server;
    ASSERT_TRUE(server.start());
    startBoard();
    prepareGprs();
    switchOnEpochs("0.05");
    expectAck("$PQVXS,DIP,RIP,127.0.0.1,PRT," + std::to_string(server.port()));
    EXPECT_EQ(query("$PQVXQ,DIP", "$PQVXR,DIP"),
              "PQVXR,DIP,RIP,127.0.0.1,PRT," + std::to_string(server.port()));
    EXPECT_TRUE(solutionReaches("123", 2000));
    EXPECT_EQ(board->status().corrections, CorrectionSource::DirectIp);
    EXPECT_EQ(board->status().modem, BoardModemState::Online);
    expectAck("$PQVXS,DIP,OFF");

    const int closedPort = freeLoopbackPort();
    ASSERT_TRUE(client.send("$PQVXS,DIP,RIP,127.0.0.1,PRT," + std::to_string(closedPort) +
                            ",LGN,me,PWD,pw"));
    const auto refused = client.waitForAny({"$PQVXR,ACK", "$PQVXR,NAK"});
    ASSERT_TRUE(refused);
    EXPECT_EQ(bodyOf(refused->text), "PQVXR,NAK,DIP");
    EXPECT_EQ(query("$PQVXQ,DIP", "$PQVXR,DIP"),
              "PQVXR,DIP,RIP,127.0.0.1,PRT," + std::to_string(closedPort) + ",LGN,me,PWD,pw");
}
