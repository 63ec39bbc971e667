// quorrel-modulesim: a simulated SiRF GPS module on a pseudo-terminal.
#include <unistd.h>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/Clock.h"
#include "sim/module/ModuleSimulator.h"

using namespace quorrel;

namespace {

volatile std::sig_atomic_t g_stop = 0;

void onSignal(int) {
    g_stop = 1;
}

void printHelp() {
    std::printf(
        "Usage: quorrel-modulesim [OPTIONS]\n"
        "A simulated SiRF GPS module on a pseudo-terminal. Prints the device path, then runs\n"
        "until interrupted (Ctrl+C or SIGTERM).\n\n"
        "  --baud RATE        line speed it powers up at (4800 … 115200; default 4800)\n"
        "  --protocol NAME    protocol it powers up in: nmea (default) or binary\n"
        "  --epoch-ms MS      time between fixes (default 1000)\n"
        "  --link PATH        also make PATH a symbolic link to the device\n"
        "  --refuse ID        answer binary command ID (decimal or 0x..) with a refusal\n"
        "  --ignore ID        never answer binary command ID\n"
        "  --corrupt ID       send output message ID with a wrong checksum\n"
        "  --help             this text\n");
}

bool parseNumber(const char* text, long& value) {
    char* end = nullptr;
    value = std::strtol(text, &end, 0);
    return end != text && *end == '\0';
}

struct Options {
    ModuleSimConfig config;
    std::string link;
    std::vector<std::pair<std::string, std::uint8_t>> faults;
};

// Returns 0 to run, 1 on a bad command line, 2 after --help.
int parseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--help") {
            printHelp();
            return 2;
        }
        if (i + 1 >= argc) {
            std::fprintf(stderr, "quorrel-modulesim: %s needs a value (see --help)\n", argv[i]);
            return 1;
        }
        const char* value = argv[++i];
        long number = 0;
        if (option == "--protocol" &&
            (!std::strcmp(value, "nmea") || !std::strcmp(value, "binary"))) {
            options.config.protocol =
                std::strcmp(value, "binary") == 0 ? ModuleProtocol::Binary : ModuleProtocol::Nmea;
        } else if (option == "--link") {
            options.link = value;
        } else if (option == "--baud" && parseNumber(value, number) && number > 0) {
            options.config.baudRate = std::uint32_t(number);
        } else if (option == "--epoch-ms" && parseNumber(value, number) && number > 0) {
            options.config.epochMs = int(number);
        } else if ((option == "--refuse" || option == "--ignore" || option == "--corrupt") &&
                   parseNumber(value, number) && number >= 0 && number <= 255) {
            options.faults.emplace_back(option, std::uint8_t(number));
        } else {
            std::fprintf(stderr, "quorrel-modulesim: bad option %s %s (see --help)\n",
                         option.c_str(), value);
            return 1;
        }
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (const int result = parseOptions(argc, argv, options); result != 0)
        return result == 2 ? 0 : 1;
    ModuleSimulator module(options.config);
    if (!module.start()) {
        std::fprintf(stderr, "quorrel-modulesim: cannot create a pseudo-terminal\n");
        return 1;
    }
    for (const auto& [kind, id] : options.faults) {
        if (kind == "--refuse") module.refuse(id);
        if (kind == "--ignore") module.ignore(id);
        if (kind == "--corrupt") module.corruptChecksum(id);
    }
    if (!options.link.empty()) {
        ::unlink(options.link.c_str());
        if (::symlink(module.devicePath().c_str(), options.link.c_str()) != 0) {
            std::fprintf(stderr, "quorrel-modulesim: cannot create link %s\n",
                         options.link.c_str());
            return 1;
        }
    }
    std::printf("%s\n", module.devicePath().c_str());
    std::fflush(stdout);
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    while (!g_stop)
        sleepMs(100);
    module.stop();
    if (!options.link.empty()) ::unlink(options.link.c_str());
    return 0;
}
