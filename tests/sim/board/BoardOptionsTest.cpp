#include <gtest/gtest.h>

#include <vector>

#include "sim/board/BoardOptions.h"

using namespace quorrel;

namespace {

bool parse(std::vector<const char*> args, BoardOptions& options, std::string& error) {
    args.insert(args.begin(), "quorrel-boardsim");
    return parseBoardOptions(int(args.size()), args.data(), options, error);
}

}  // namespace

TEST(BoardOptions, FillTheConfigurationAndTheProgramSettings) {
    BoardOptions o;
    std::string error;
    ASSERT_TRUE(parse({"--lat",
                       "-33.5",
                       "--lon=151.25",
                       "--height",
                       "12",
                       "--baud",
                       "9600",
                       "--port",
                       "B",
                       "--time-scale",
                       "0.01",
                       "--output-rate",
                       "20",
                       "--radio",
                       "F:LFA",
                       "--radio-channels",
                       "0",
                       "--radio-channel",
                       "12",
                       "--no-modem",
                       "--sim-pin",
                       "1234",
                       "--link",
                       "/tmp/gnss",
                       "--monitor",
                       "3",
                       "--nak",
                       "PQVXS,MDM,ON",
                       "--nak",
                       "PQVXQ,PRT",
                       "--corrupt",
                       "GGA",
                       "--silent",
                       "--delay-replies",
                       "300",
                       "--unplug-after",
                       "5",
                       "--serial",
                       "SN42"},
                      o, error))
        << error;
    EXPECT_DOUBLE_EQ(o.config.latitudeDeg, -33.5);
    EXPECT_DOUBLE_EQ(o.config.longitudeDeg, 151.25);
    EXPECT_EQ(o.config.baudRate, 9600u);
    EXPECT_EQ(o.config.ownPort, 'B');
    EXPECT_DOUBLE_EQ(o.config.timeScale, 0.01);
    EXPECT_EQ(o.config.outputRateHz, 20u);
    EXPECT_EQ(o.config.radioPort, 'F');
    EXPECT_EQ(o.config.radioType, "LFA");
    EXPECT_EQ(o.config.radioChannels, 0);
    EXPECT_EQ(o.config.radioChannel, 12);
    EXPECT_FALSE(o.config.modemFitted);
    EXPECT_EQ(o.config.simPin, "1234");
    EXPECT_EQ(o.config.serialNumber, "SN42");
    EXPECT_EQ(o.linkPath, "/tmp/gnss");
    EXPECT_DOUBLE_EQ(o.monitorSeconds, 3);
    EXPECT_EQ(o.nak, (std::vector<std::string>{"PQVXS,MDM,ON", "PQVXQ,PRT"}));
    EXPECT_EQ(o.corrupt, std::vector<std::string>{"GGA"});
    EXPECT_TRUE(o.silent);
    EXPECT_EQ(o.replyDelayMs, 300);
    EXPECT_DOUBLE_EQ(o.unplugAfterSeconds, 5);
}

TEST(BoardOptions, TheProgramSendsAtLineRateUnlessToldNot) {
    EXPECT_FALSE(BoardConfig{}.lineRatePacing) << "tests choose it";
    for (const auto& [args, paced] :
         {std::pair{std::vector<const char*>{}, true},
          std::pair{std::vector<const char*>{"--no-line-rate"}, false}}) {
        BoardOptions o;
        std::string error;
        ASSERT_TRUE(parse(args, o, error)) << error;
        EXPECT_EQ(o.config.lineRatePacing, paced);
    }
}

TEST(BoardOptions, RefuseWhatTheBoardCannotBe) {
    for (std::vector<const char*> args :
         std::vector<std::vector<const char*>>{{"--baud", "12345"},
                                               {"--lat", "91"},
                                               {"--port", "G"},
                                               {"--radio", "D:XYZ"},
                                               {"--radio-channels", "100"},
                                               {"--serial", "A,B"},
                                               {"--output-rate", "21"},
                                               {"--lat"},
                                               {"--frobnicate"}}) {
        BoardOptions o;
        std::string error;
        EXPECT_FALSE(parse(args, o, error)) << args[0];
        EXPECT_FALSE(error.empty());
    }
}

TEST(BoardOptions, HelpDocumentsEveryOption) {
    const std::string help = boardOptionsHelp("quorrel-boardsim");
    for (const char* option : {"--lat",
                               "--lon",
                               "--height",
                               "--baud",
                               "--port",
                               "--time-scale",
                               "--seed",
                               "--output-rate",
                               "--radio",
                               "--radio-channels",
                               "--radio-channel",
                               "--no-modem",
                               "--sim-pin",
                               "--dial-fails",
                               "--no-external-antenna",
                               "--no-storage-card",
                               "--start-with-fix",
                               "--no-line-rate",
                               "--ip-timeout",
                               "--serial",
                               "--receiver-version",
                               "--system-fw",
                               "--gnss-fw",
                               "--link",
                               "--monitor",
                               "--duration",
                               "--correction-link",
                               "--nak",
                               "--ignore",
                               "--corrupt",
                               "--silent",
                               "--delay-replies",
                               "--unplug-after",
                               "--help"})
        EXPECT_NE(help.find(option), std::string::npos) << option;
}
