#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>
#include <cstdio>
#include <filesystem>
#include <string>

namespace {

const std::string kProgram = std::string(QUORREL_BINARY_DIR) + "/bin/quorrel-boardsim";

struct ProgramRun {
    int status = -1;
    std::string output;
};

ProgramRun run(const std::string& arguments) {
    ProgramRun result;
    FILE* pipe = popen((kProgram + " " + arguments + " 2>&1").c_str(), "r");
    if (!pipe) return result;
    char buffer[4096];
    while (std::fgets(buffer, sizeof buffer, pipe))
        result.output += buffer;
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

}  // namespace

TEST(BoardProgram, HelpAndBadOptions) {
    const ProgramRun help = run("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.output.find("--link PATH"), std::string::npos);
    EXPECT_NE(help.output.find("--monitor SECONDS"), std::string::npos);
    const ProgramRun bad = run("--baud 12345");
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(bad.output.find("--baud"), std::string::npos);
}

// The program prints the device, keeps a link to it while it runs and removes it after.
TEST(BoardProgram, PrintsTheDeviceAndLinksToIt) {
    const std::filesystem::path link =
        std::filesystem::temp_directory_path() / ("quorrel-gnss-" + std::to_string(getpid()));
    FILE* pipe = popen((kProgram + " --duration 0.8 --link " + link.string()).c_str(), "r");
    ASSERT_TRUE(pipe);
    char line[256] = {};
    ASSERT_TRUE(std::fgets(line, sizeof line, pipe));
    std::string device(line);
    device.pop_back();
    EXPECT_TRUE(device.starts_with("/dev/pts/")) << device;
    EXPECT_EQ(std::filesystem::read_symlink(link).string(), device);
    EXPECT_EQ(pclose(pipe), 0);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));
}

TEST(BoardProgram, MonitorShowsWhatTheBoardSends) {
    const ProgramRun monitor = run("--monitor 1.3 --time-scale 0.01 --start-with-fix");
    EXPECT_EQ(monitor.status, 0);
    EXPECT_NE(monitor.output.find("$PQVXR,PRT,A,8*"), std::string::npos) << monitor.output;
    EXPECT_NE(monitor.output.find("RECEIVER VERSION: "), std::string::npos);
    EXPECT_NE(monitor.output.find("$GPGGA,"), std::string::npos);
    EXPECT_NE(monitor.output.find("$PQVXR,VEC,"), std::string::npos);
}
