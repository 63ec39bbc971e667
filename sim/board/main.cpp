// quorrel-boardsim: the receiver board on a pseudo-terminal.
#include <unistd.h>
#include <chrono>
#include <csignal>
#include <iostream>
#include <thread>

#include "sim/board/BoardMonitor.h"
#include "sim/board/BoardOptions.h"
#include "sim/board/BoardSimulator.h"

using namespace quorrel;

namespace {

volatile std::sig_atomic_t g_interrupted = 0;

void onSignal(int) {
    g_interrupted = 1;
}

void applyFaults(BoardSimulator& sim, const BoardOptions& options) {
    for (const std::string& pattern : options.nak)
        sim.nak(pattern);
    for (const std::string& pattern : options.ignore)
        sim.ignore(pattern);
    for (const std::string& pattern : options.corrupt)
        sim.corruptChecksum(pattern);
    if (options.silent) sim.silence(true);
    if (options.replyDelayMs > 0) sim.delayReplies(options.replyDelayMs);
    if (options.correctionLink) sim.setCorrectionLink(true);
}

// Runs until interrupted, until the duration is over or until the board ends.
void serve(BoardSimulator& sim, const BoardOptions& options) {
    using Clock = std::chrono::steady_clock;
    const auto begin = Clock::now();
    bool unplugged = false;
    while (!g_interrupted && sim.isRunning()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        const double elapsed = std::chrono::duration<double>(Clock::now() - begin).count();
        if (options.durationSeconds > 0 && elapsed >= options.durationSeconds) break;
        if (!unplugged && options.unplugAfterSeconds >= 0 &&
            elapsed >= options.unplugAfterSeconds) {
            sim.unplug();
            unplugged = true;
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    BoardOptions options;
    std::string error;
    if (!parseBoardOptions(argc, argv, options, error)) {
        std::cerr << "quorrel-boardsim: " << error << "\n(--help lists the options)\n";
        return 2;
    }
    if (options.help) {
        std::cout << boardOptionsHelp("quorrel-boardsim");
        return 0;
    }
    BoardSimulator sim(options.config);
    applyFaults(sim, options);
    if (!sim.start()) {
        std::cerr << "quorrel-boardsim: no pseudo-terminal available\n";
        return 1;
    }
    // The link exists before the path is printed, so whoever reads the path can use either.
    if (!options.linkPath.empty() && !sim.createLink(options.linkPath)) {
        std::cerr << "quorrel-boardsim: cannot create the link " << options.linkPath << "\n";
        return 1;
    }
    std::cout << sim.devicePath() << std::endl;
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    int result = 0;
    if (options.monitorSeconds > 0) {
        if (!monitorBoard(sim.devicePath(), options.config.baudRate, options.config.ownPort,
                          options.monitorSeconds, std::cout))
            result = 1;
    } else {
        serve(sim, options);
    }
    sim.stop();
    if (!options.linkPath.empty()) ::unlink(options.linkPath.c_str());
    return result;
}
