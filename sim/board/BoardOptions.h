#pragma once

#include <string>
#include <vector>

#include "sim/board/BoardConfig.h"

namespace quorrel {

// The simulator program's command line.
struct BoardOptions {
    // The program sends at line rate unless told otherwise (--no-line-rate).
    BoardConfig config = [] {
        BoardConfig paced;
        paced.lineRatePacing = true;
        return paced;
    }();
    std::string linkPath;         // --link: a symbolic link to the device
    double monitorSeconds = 0;    // --monitor: read the device for this long, then end
    double durationSeconds = 0;   // --duration: end after this long (0: when interrupted)
    bool correctionLink = false;  // --correction-link: corrections flow from the start
    std::vector<std::string> nak, ignore, corrupt;
    bool silent = false;
    int replyDelayMs = 0;
    double unplugAfterSeconds = -1;
    bool help = false;
};

// False with `error` set when the command line is not understood.
bool parseBoardOptions(int argc, const char* const* argv, BoardOptions& options,
                       std::string& error);
std::string boardOptionsHelp(const std::string& program);

}  // namespace quorrel
