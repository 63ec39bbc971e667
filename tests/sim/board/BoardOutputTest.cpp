#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <regex>
#include <set>
#include <thread>

#include "BoardFixture.h"

using namespace quorrel;
using namespace quorrel::test;

namespace {

int countHeads(const std::vector<SentenceClient::Received>& got, const std::string& head) {
    int n = 0;
    for (const auto& r : got)
        n += r.text.compare(0, head.size(), head) == 0 ? 1 : 0;
    return n;
}

// The epochs in `got`, each the list of sentence heads from one GGA to its VEC.
std::vector<std::vector<std::string>> epochs(const std::vector<SentenceClient::Received>& got) {
    std::vector<std::vector<std::string>> out;
    for (const auto& r : got) {
        const std::string head = fieldsOf(r.text)[0] == "PQVXR" ? "VEC" : fieldsOf(r.text)[0];
        if (head == "GPGGA") out.emplace_back();
        if (!out.empty()) out.back().push_back(head);
    }
    return out;
}

}  // namespace

class BoardOutputTest : public BoardTest {};

TEST_F(BoardOutputTest, EpochsFollowTheRequestedRatesAndStopOnAllOff) {
    startBoard();
    switchOnEpochs("0.20");
    client.clear();
    auto got = client.collect(1050);
    EXPECT_GE(countHeads(got, "$GPGGA"), 4);
    EXPECT_LE(countHeads(got, "$GPGGA"), 6);
    const auto list = epochs(got);
    for (std::size_t i = 0; i + 1 < list.size(); ++i)  // the window may cut the last one short
        EXPECT_EQ(list[i].back(), "VEC") << i;
    for (const auto& r : got)
        EXPECT_TRUE(hasGoodChecksum(r.text)) << r.text;

    for (const char* m : {"GGA", "GSA", "GSV", "GST", "ZDA", "VEC", "VTG"})
        expectAck(std::string("$PQVXS,NME,") + m + ",A,ON,0.50");
    client.clear();
    got = client.collect(1050);
    EXPECT_GE(countHeads(got, "$GPGGA"), 1);
    EXPECT_LE(countHeads(got, "$GPGGA"), 3);

    expectAck("$PQVXS,NME,ALL,A,OFF");
    client.clear();
    got = client.collect(600);
    EXPECT_EQ(countHeads(got, "$G"), 0);
    EXPECT_EQ(countHeads(got, "$PQVXR,VEC"), 0);
}

// GGA, GN pair of GSA, the GP then GL groups of GSV, GST, ZDA, VTG, then VEC closing it.
TEST_F(BoardOutputTest, EachEpochComesInTheStandardOrder) {
    startBoard();
    switchOnEpochs("0.50");
    client.clear();
    const auto got = client.collect(1600);
    const auto list = epochs(got);
    ASSERT_GE(list.size(), 2u);
    for (std::size_t i = 0; i + 1 < list.size(); ++i) {  // the last may be cut short
        std::vector<std::string> heads = list[i];
        ASSERT_GE(heads.size(), 8u);
        EXPECT_EQ(heads[0], "GPGGA");
        EXPECT_EQ(heads[1], "GNGSA");
        EXPECT_EQ(heads[2], "GNGSA");
        EXPECT_EQ(heads[3], "GPGSV");
        const std::vector<std::string> tail(heads.end() - 4, heads.end());
        EXPECT_EQ(tail, (std::vector<std::string>{"GNGST", "GPZDA", "GPVTG", "VEC"}));
        std::set<std::string> groups(heads.begin() + 3, heads.end() - 4);
        EXPECT_EQ(groups, (std::set<std::string>{"GPGSV", "GLGSV"}));
    }
}

// One epoch's sentences tell one story: the same time, and as many satellites in GGA as in
// the GSA pair and in VEC.
TEST_F(BoardOutputTest, SentencesOfAnEpochAgree) {
    startBoard();
    switchOnEpochs("1.00");
    client.clear();
    const auto gga = client.waitFor("$GPGGA", 3000);
    const auto gsa1 = client.waitFor("$GNGSA");
    const auto gsa2 = client.waitFor("$GNGSA");
    const auto gst = client.waitFor("$GNGST");
    const auto zda = client.waitFor("$GPZDA");
    const auto vec = client.waitFor("$PQVXR,VEC");
    ASSERT_TRUE(gga && gsa1 && gsa2 && gst && zda && vec);
    const auto g = fieldsOf(gga->text);
    EXPECT_EQ(fieldsOf(gst->text)[1], g[1]);
    EXPECT_EQ(fieldsOf(zda->text)[1], g[1]);
    int used = 0;
    for (const auto* gsa : {&*gsa1, &*gsa2}) {
        const auto f = fieldsOf(gsa->text);
        for (int i = 3; i < 15; ++i)
            used += f[i].empty() ? 0 : 1;
        EXPECT_EQ(f[16], g[8]);  // HDOP
    }
    EXPECT_EQ(std::stoi(g[7]), used);
    EXPECT_EQ(std::stoi(fieldsOf(vec->text).back()), used);
    // Autonomous, or SBAS-aided (GGA quality 2, VEC mode 9) once SBAS corrections are in.
    EXPECT_EQ(fieldsOf(vec->text)[2], g[6] == "2" ? "9" : "0") << gga->text;
}

TEST_F(BoardOutputTest, OutputForOtherPortsStaysOffTheProgramsLine) {
    startBoard();
    expectAck("$PQVXS,NME,GGA,B,ON,0.10");
    expectAck("$PQVXS,NME,ZDA,B,ON,5.00");
    client.clear();
    EXPECT_EQ(countHeads(client.collect(500), "$G"), 0);
    const std::string nmo = query("$PQVXQ,NMO,B", "$PQVXR,NMO");
    const auto f = fieldsOf("$" + nmo);
    ASSERT_GE(f.size(), 6u);
    EXPECT_EQ(f[2], "B");
    EXPECT_EQ(f[4], "10.00");
    EXPECT_EQ(std::stoi(f[5]) * 2 + 6, int(f.size()));
    std::map<std::string, std::string> periods;
    for (std::size_t i = 6; i + 1 < f.size(); i += 2)
        periods[f[i]] = f[i + 1];
    EXPECT_EQ(periods["GGA"], "0.10");
    EXPECT_EQ(periods["ZDA"], "5.00");
    EXPECT_EQ(periods["GSV"], "0.00");
}

TEST_F(BoardOutputTest, UnsolicitedReadingsComeWhenSwitchedOn) {
    startBoard();
    for (const char* m : {"A2D", "OBI", "WTI"})
        expectAck(std::string("$PQVXS,NME,") + m + ",A,ON,1.00");
    const auto a2d = client.waitFor("$PQVXR,A2D", 2000);
    const auto obi = client.waitFor("$PQVXR,OBI", 1000);
    const auto wti = client.waitFor("$PQVXR,WTI", 1000);
    ASSERT_TRUE(a2d && obi && wti);
    EXPECT_EQ(bodyOf(a2d->text), "PQVXR,A2D,1,1");
    EXPECT_TRUE(std::regex_match(bodyOf(wti->text), std::regex("PQVXR,WTI,0000,[09]")));
    const auto f = fieldsOf(obi->text);
    ASSERT_EQ(f.size(), 5u);
    EXPECT_EQ(f[2].size(), 9u);  // hhmmss.ss
    EXPECT_EQ(f[4].size(), 5u);
    EXPECT_TRUE(hasGoodChecksum(obi->text));
}

TEST_F(BoardOutputTest, TrackingSettingsShapeTheSky) {
    startBoard();
    expectAck("$PQVXS,GLO,OFF");
    expectAck("$PQVXS,SBA,OFF");
    expectAck("$PQVXS,PEM,30");
    switchOnEpochs("0.50");
    client.clear();
    const auto got = client.collect(1100);
    EXPECT_EQ(countHeads(got, "$GLGSV"), 0);
    std::map<int, int> elevation;
    for (const auto& r : got) {
        if (r.text.compare(0, 6, "$GPGSV") != 0) continue;
        const auto f = fieldsOf(r.text);
        for (std::size_t i = 4; i + 1 < f.size(); i += 4) {
            const int prn = std::stoi(f[i]);
            EXPECT_LE(prn, 32) << "an SBAS satellite while SBAS is off";
            elevation[prn] = std::stoi(f[i + 1]);
        }
    }
    int used = 0;
    for (const auto& r : got) {
        if (r.text.compare(0, 6, "$GNGSA") != 0) continue;
        const auto f = fieldsOf(r.text);
        for (int i = 3; i < 15; ++i) {
            if (f[i].empty()) continue;
            ++used;
            EXPECT_GE(elevation[std::stoi(f[i])], 29) << "satellite below the mask used";
        }
    }
    EXPECT_GT(used, 0);
}

// WTI counts the seconds to FIXED down while corrections flow; the solution can be forced.
TEST_F(BoardOutputTest, TimeToFixedCountsDownWhileCorrectionsFlow) {
    config.timeScale = 0.1;  // FIXED 1.2 s after the corrections start
    startBoard();
    expectAck("$PQVXS,NME,WTI,A,ON,0.10");
    board->setCorrectionLink(true);
    int previous = 9999, highest = 0;
    bool fixed = false;
    for (int i = 0; i < 40 && !fixed; ++i) {
        const auto wti = client.waitFor("$PQVXR,WTI", 500);
        ASSERT_TRUE(wti);
        const auto f = fieldsOf(wti->text);
        const int seconds = std::stoi(f[2]);
        // A report made before the board took up the corrections has no countdown yet.
        if (highest == 0 && seconds == 0 && f[3] != "3") continue;
        EXPECT_LE(seconds, previous);
        previous = seconds;
        highest = std::max(highest, seconds);
        fixed = f[3] == "3";
        if (fixed) {
            EXPECT_EQ(seconds, 0);
        }
    }
    EXPECT_GT(highest, 0);
    EXPECT_TRUE(fixed);
    EXPECT_EQ(board->status().corrections, CorrectionSource::Driver);

    expectAck("$PQVXS,NME,GGA,A,ON,0.10");
    expectAck("$PQVXS,NME,VEC,A,ON,0.10");
    board->forceSolution(SolutionKind::Float);
    client.clear();
    const auto gga = client.waitFor("$GPGGA", 1000);
    const auto vec = client.waitFor("$PQVXR,VEC", 1000);
    ASSERT_TRUE(gga && vec);
    EXPECT_EQ(fieldsOf(gga->text)[6], "5");
    EXPECT_EQ(fieldsOf(vec->text)[2], "2");
}

// A powered radio of the fitted type brings corrections; a radio set to another type does not.
TEST_F(BoardOutputTest, RadioCorrectionsNeedThePoweredFittedRadio) {
    startBoard();
    expectAck("$PQVXS,NME,VEC,A,ON,0.05");
    expectAck("$PQVXS,RDP,ON");
    bool differential = false;
    for (int i = 0; i < 40 && !differential; ++i) {
        const auto vec = client.waitFor("$PQVXR,VEC", 500);
        ASSERT_TRUE(vec);
        differential = std::string("123").find(fieldsOf(vec->text)[2]) != std::string::npos;
    }
    EXPECT_TRUE(differential);
    EXPECT_EQ(board->status().corrections, CorrectionSource::Radio);
    expectAck("$PQVXS,RDP,TYP,D,ADL");
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(board->status().corrections, CorrectionSource::None);
}
