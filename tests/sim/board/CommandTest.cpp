#include <gtest/gtest.h>

#include "receiver/link/Checksum.h"
#include "sim/board/Command.h"
#include "sim/board/FaultInjector.h"
#include "sim/board/NmeaChecksum.h"
#include "sim/board/OutputSchedule.h"

using namespace quorrel;

TEST(Command, SplitsSetAndQuerySentences) {
    const auto set = parseCommand("$PQVXS,NME,GGA,A,ON,0.05\r\n");
    ASSERT_TRUE(set);
    EXPECT_FALSE(set->query);
    EXPECT_EQ(set->code, "NME");
    EXPECT_EQ(set->fields, (std::vector<std::string>{"GGA", "A", "ON", "0.05"}));
    EXPECT_EQ(set->text, "PQVXS,NME,GGA,A,ON,0.05");

    const auto query = parseCommand("$PQVXQ,RST");
    ASSERT_TRUE(query);
    EXPECT_TRUE(query->query);
    EXPECT_TRUE(query->fields.empty());

    const auto empties = parseCommand("$PQVXS,PRT,C,,ON");
    ASSERT_TRUE(empties);
    EXPECT_EQ(empties->fields, (std::vector<std::string>{"C", "", "ON"}));
}

TEST(Command, ChecksumIsOptionalButMustMatchWhenThere) {
    struct Case {
        const char* line;
        bool accepted;
    };
    // Checksums worked out by hand.
    const Case cases[] = {
        {"$PQVXQ,PRT*24", true},
        {"$PQVXQ,PRT*25", false},
        {"$PQVXS,NME,GGA,A,ON,1.00*28", true},
        {"$PQVXS,NME,GGA,A,ON,1.01*28", false},
        {"$PQVXQ,PRT*Z1", false},
        {"$PQVXQ,PRT*2", false},
        {"$PQVXQ,P*RT", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(parseCommand(c.line).has_value(), c.accepted) << c.line;
}

TEST(Command, OtherSentencesAreNotCommands) {
    for (const char* line :
         {"$GPGGA,123456.00,,,,,0,00,,,M,,M,,", "PQVXQ,PRT", "$PQVXR,PRT,A,8", "$PQVXS,", "$PQVXS"})
        EXPECT_FALSE(parseCommand(line)) << line;
}

TEST(Command, NumberReadersAcceptWholeFieldsOnly) {
    int value = 0;
    EXPECT_TRUE(parseInteger("90", 0, 90, value));
    EXPECT_EQ(value, 90);
    EXPECT_FALSE(parseInteger("91", 0, 90, value));
    EXPECT_FALSE(parseInteger("1x", 0, 90, value));
    EXPECT_FALSE(parseInteger("", 0, 90, value));
    double number = 0;
    EXPECT_TRUE(parseNumber("-12.5", number));
    EXPECT_DOUBLE_EQ(number, -12.5);
    EXPECT_FALSE(parseNumber("1.2.3", number));
    EXPECT_FALSE(parseNumber("nan", number));
    EXPECT_EQ(parsePort("F"), 5);
    EXPECT_EQ(parsePort("G"), -1);
    EXPECT_EQ(parsePort("AB"), -1);
}

TEST(FaultInjector, PatternsNameCommandsAndRepliesOnFieldBoundaries) {
    struct Case {
        const char* pattern;
        const char* text;
        bool reply;
        bool matches;
    };
    const Case cases[] = {
        {"PQVXS,MDM,ON", "$PQVXS,MDM,ON", false, true},
        {"$PQVXS,MDM,ON", "$PQVXS,MDM,ON", false, true},
        {"PQVXS,MDM,ON", "$PQVXS,MDM,OFF", false, false},
        {"PQVXS,MDM", "$PQVXS,MDM,PAR,PTC,0", false, true},
        {"PQVXS,MD", "$PQVXS,MDM,ON", false, false},
        {"PRT", "$PQVXS,PRT,A,8", false, false},
        {"PRT", "$PQVXR,PRT,A,8*5E\r\n", true, true},
        {"GGA", "$GPGGA,1,2*00\r\n", true, true},
        {"GSV", "$GLGSV,1,1,00*00\r\n", true, true},
        {"NTR,OK", "$PQVXR,NTR,OK*00\r\n", true, true},
        {"NTR,OK", "$PQVXR,NTR,FAIL*00\r\n", true, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(faultMatches(c.pattern, c.text, c.reply), c.matches)
            << c.pattern << " / " << c.text;
}

TEST(FaultInjector, CountedFaultsRunOutAndCorruptionKeepsTheForm) {
    FaultInjector faults;
    faults.nak("PQVXS,SBA", 1);
    faults.ignore("PQVXQ,SBA");
    EXPECT_EQ(faults.actionFor("$PQVXS,SBA,ON"), FaultInjector::Action::Nak);
    EXPECT_EQ(faults.actionFor("$PQVXS,SBA,ON"), FaultInjector::Action::Normal);
    EXPECT_EQ(faults.actionFor("$PQVXQ,SBA"), FaultInjector::Action::Ignore);
    EXPECT_EQ(faults.actionFor("$PQVXQ,SBA"), FaultInjector::Action::Ignore);

    faults.corruptChecksum("SBA", 1);
    std::string reply = sealSentence("PQVXR,SBA,ON");
    std::string other = sealSentence("PQVXR,GLO,ON");
    EXPECT_FALSE(faults.corrupt(other));
    EXPECT_TRUE(faults.corrupt(reply));
    EXPECT_FALSE(checksumOk(reply.c_str(), reply.size()));
    EXPECT_EQ(reply.size(), sealSentence("PQVXR,SBA,ON").size());
    std::string again = sealSentence("PQVXR,SBA,ON");
    EXPECT_FALSE(faults.corrupt(again));
    std::string version = "RECEIVER VERSION: X\r\n";
    faults.corruptChecksum("RECEIVER");
    EXPECT_FALSE(faults.corrupt(version));
}

TEST(OutputSchedule, PeriodsSitOnTheEpochGridWithinLimits) {
    std::int64_t ms = 0;
    EXPECT_TRUE(OutputSchedule::periodFromSeconds(0.05, ms));
    EXPECT_EQ(ms, 50);
    EXPECT_TRUE(OutputSchedule::periodFromSeconds(60, ms));
    EXPECT_EQ(ms, 60000);
    EXPECT_TRUE(OutputSchedule::periodFromSeconds(0.33, ms));
    EXPECT_EQ(ms, 350);
    EXPECT_FALSE(OutputSchedule::periodFromSeconds(0.01, ms));
    EXPECT_FALSE(OutputSchedule::periodFromSeconds(61, ms));
}

TEST(OutputSchedule, EpochsAlignOnWholeMultiplesOfThePeriod) {
    OutputSchedule schedule;
    schedule.set(0, BoardMessage::Gga, 200);
    schedule.set(0, BoardMessage::Gsv, 5000);
    EXPECT_TRUE(schedule.isDue(0, BoardMessage::Gga, 1000));
    EXPECT_FALSE(schedule.isDue(0, BoardMessage::Gga, 1050));
    EXPECT_FALSE(schedule.isDue(0, BoardMessage::Gsv, 1000));
    EXPECT_TRUE(schedule.isDue(0, BoardMessage::Gsv, 10000));
    EXPECT_EQ(schedule.nextEpoch(0, 1000), 1200);
    EXPECT_EQ(schedule.nextEpoch(0, 1199), 1200);
    EXPECT_FALSE(schedule.nextEpoch(1, 1000));
    schedule.allOff(0);
    EXPECT_FALSE(schedule.anyOn(0));
}

// NMO: port, protocol, fastest rate, the count, then one pair per message (POS and SAT are
// shortcuts and are not listed).
TEST(OutputSchedule, ReportListsEveryMessageWithItsPeriod) {
    OutputSchedule schedule;
    schedule.set(2, BoardMessage::Gga, 100);
    schedule.set(2, BoardMessage::Zda, 5000);
    EXPECT_EQ(schedule.report(2),
              "C,N,10.00,13,GGA,0.10,GLL,0.00,GSA,0.00,GST,0.00,GSV,0.00,RMC,0.00,RRE,0.00,"
              "VTG,0.00,ZDA,5.00,VEC,0.00,A2D,0.00,OBI,0.00,WTI,0.00");
}
