#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ctl/ArgumentParser.h"
#include "ctl/CtlOptions.h"
#include "ctl/OperationArgs.h"

using namespace quorrel;

TEST(CtlOptions, OptionsStandAnywhereAndNegativeNumbersStayArguments) {
    CtlOptions options;
    std::string problem;
    ASSERT_TRUE(parseCtlOptions({"set", "--port=/dev/ttyUSB0", "Position", "-33.5", "151.25",
                                 "--json", "10", "--device-id", "0143AB"},
                                options, problem))
        << problem;
    EXPECT_EQ(options.command, CtlCommand::Set);
    EXPECT_EQ(options.arguments, (std::vector<std::string>{"Position", "-33.5", "151.25", "10"}));
    EXPECT_EQ(options.port, "/dev/ttyUSB0");
    EXPECT_EQ(options.deviceId, "0143AB");
    EXPECT_TRUE(options.json);
}

TEST(CtlOptions, BadUsageIsRefusedWithItsReason) {
    const struct {
        std::vector<std::string> words;
        const char* problem;
    } cases[] = {
        {{}, "no command given"},
        {{"frobnicate"}, "unknown command \"frobnicate\""},
        {{"get"}, "get needs more arguments"},
        {{"status", "now"}, "status: too many arguments"},
        {{"log", "--watch"}, "--watch goes with status only"},
        {{"--port"}, "--port needs a value"},
        {{"--port="}, "--port needs a value"},
        {{"--bogus", "status"}, "unknown option --bogus"},
        {{"--simulate", "--port", "/dev/x", "status"}, "--simulate and --port exclude each other"},
        {{"sourcetable", "host", "2101", "user"}, "sourcetable takes USER and PASS together"},
        {{"record"}, "record needs more arguments"},
    };
    for (const auto& c : cases) {
        CtlOptions options;
        std::string problem;
        EXPECT_FALSE(parseCtlOptions(c.words, options, problem)) << c.problem;
        EXPECT_EQ(problem, c.problem);
    }
}

TEST(CtlArguments, WordsBecomeValuesOfTheirKind) {
    const struct {
        ArgSpec spec;
        const char* word;
        ArgValue value;
    } cases[] = {
        {portArg(), "d", 3},
        {portArg(), "5", 5},
        {baudArg(), "9", 9},
        {baudArg(), "115200", 9},
        {baudArg(), "4800", 4},
        {flagArg(), "YES", 1},
        {flagArg(), "off", 0},
        {numberArg("H"), "-33.5", -33.5},
        {intArg("N"), "-7", -7},
        {choiceArg("MESSAGE", kNmeaMessageNames), "gsv", int(kMsgGsv)},
        {choiceArg("MESSAGE", kNmeaMessageNames), "14", int(kMsgWti)},
        {textArg("NAME", 4), "Ünï ", std::u16string(u"Ünï ")},
    };
    for (const auto& c : cases) {
        ArgValue value;
        std::string problem;
        EXPECT_TRUE(parseArgument(c.spec, c.word, value, problem)) << c.word << ": " << problem;
        EXPECT_EQ(value, c.value) << c.word;
    }
}

TEST(CtlArguments, WordsOfTheWrongKindAndInjectingTextAreRefused) {
    const struct {
        ArgSpec spec;
        const char* word;
        const char* problem;
    } cases[] = {
        {portArg(), "G", "PORT \"G\" is not a port A-F or 0-5"},
        {portArg(), "6", "PORT \"6\" is not a port A-F or 0-5"},
        {baudArg(), "12345",
         "BAUD \"12345\" is not a baud code 0-9 or a baud rate (300 ... 115200)"},
        {intArg("N"), "10x", "N \"10x\" is not a whole number"},
        {numberArg("H"), "nan", "H \"nan\" is not a number"},
        {choiceArg("TYPE", kAntennaTypeNames), "2", "TYPE \"2\" is not one of V|S"},
        {textArg("NAME"), "A,B",
         "NAME \"A,B\" contains \",\", \"*\" or \"$\", which would change "
         "the receiver's sentence"},
        {textArg("NAME"), "$PQVXS",
         "NAME \"$PQVXS\" contains \",\", \"*\" or \"$\", which would "
         "change the receiver's sentence"},
        {textArg("NAME"), "A\r\nB",
         "NAME \"A\r\nB\" contains a control character (such as CR or "
         "LF), which would end the receiver's sentence"},
        {textArg("NAME"), "5€",
         "NAME \"5€\" contains a character the receiver cannot take "
         "(8-bit Latin-1 only)"},
        {textArg("PIN", 3), "1234",
         "PIN \"1234\" is longer than the 3 characters the receiver takes"},
    };
    for (const auto& c : cases) {
        ArgValue value;
        std::string problem;
        EXPECT_FALSE(parseArgument(c.spec, c.word, value, problem)) << c.word;
        EXPECT_EQ(problem, c.problem);
    }
}
