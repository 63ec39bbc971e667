#pragma once

#include <QString>
#include <optional>
#include <string>
#include <vector>

namespace quorrel {

enum class CtlCommand { None, Help, Version, Status, Get, Set, SourceTable, Log, Record };

// What the command line asked for.
struct CtlOptions {
    CtlCommand command = CtlCommand::None;
    std::vector<std::string> arguments;  // the words after the command
    QString port;                        // --port: the receiver's device
    std::optional<QString> deviceId;     // --device-id
    bool simulate = false;               // --simulate: a simulator beside the program
    bool json = false;                   // --json
    bool watch = false;                  // --watch (status)
};

// Reads the words after the program name. Options (words starting with "--") may stand
// anywhere; every other word is the command or one of its arguments, so negative numbers
// pass as arguments. False, with the reason in `problem`, on bad usage.
bool parseCtlOptions(const std::vector<std::string>& words, CtlOptions& options,
                     std::string& problem);

}  // namespace quorrel
