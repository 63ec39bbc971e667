#include "ctl/CtlOptions.h"

namespace quorrel {
namespace {

struct CommandWord {
    const char* word;
    CtlCommand command;
    std::size_t minArguments;
    std::size_t maxArguments;
};

constexpr CommandWord kCommands[] = {
    {"status", CtlCommand::Status, 0, 0}, {"get", CtlCommand::Get, 1, 99},
    {"set", CtlCommand::Set, 1, 99},      {"sourcetable", CtlCommand::SourceTable, 2, 4},
    {"log", CtlCommand::Log, 0, 0},       {"record", CtlCommand::Record, 1, 1},
    {"help", CtlCommand::Help, 0, 0},
};

// An option with a value: "--port PATH" or "--port=PATH".
bool takeValue(const std::vector<std::string>& words, std::size_t& i, const std::string& name,
               std::string& value, std::string& problem) {
    const std::string& word = words[i];
    if (word.size() > name.size() && word[name.size()] == '=') {
        value = word.substr(name.size() + 1);
    } else if (i + 1 < words.size()) {
        value = words[++i];
    } else {
        problem = name + " needs a value";
        return false;
    }
    if (value.empty()) problem = name + " needs a value";
    return !value.empty();
}

bool isOption(const std::string& word, const std::string& name) {
    return word == name || word.rfind(name + "=", 0) == 0;
}

bool readOption(const std::vector<std::string>& words, std::size_t& i, CtlOptions& options,
                std::string& problem) {
    const std::string& word = words[i];
    std::string value;
    if (word == "--help" || word == "-h") {
        options.command = CtlCommand::Help;
    } else if (word == "--version") {
        options.command = CtlCommand::Version;
    } else if (word == "--simulate") {
        options.simulate = true;
    } else if (word == "--json") {
        options.json = true;
    } else if (word == "--watch") {
        options.watch = true;
    } else if (isOption(word, "--port")) {
        if (!takeValue(words, i, "--port", value, problem)) return false;
        options.port = QString::fromStdString(value);
    } else if (isOption(word, "--device-id")) {
        if (!takeValue(words, i, "--device-id", value, problem)) return false;
        options.deviceId = QString::fromStdString(value);
    } else {
        problem = "unknown option " + word;
        return false;
    }
    return true;
}

bool checkCommand(const CtlOptions& options, const std::vector<std::string>& positional,
                  std::string& problem) {
    const CommandWord* found = nullptr;
    for (const CommandWord& command : kCommands)
        if (positional.front() == command.word) found = &command;
    if (!found) {
        problem = "unknown command \"" + positional.front() + "\"";
        return false;
    }
    const std::size_t count = positional.size() - 1;
    if (found->command == CtlCommand::SourceTable && count == 3) {
        problem = "sourcetable takes USER and PASS together";
        return false;
    }
    if (count < found->minArguments || count > found->maxArguments) {
        problem = count < found->minArguments ? std::string(found->word) + " needs more arguments"
                                              : std::string(found->word) + ": too many arguments";
        return false;
    }
    if (options.watch && found->command != CtlCommand::Status) {
        problem = "--watch goes with status only";
        return false;
    }
    return true;
}

}  // namespace

bool parseCtlOptions(const std::vector<std::string>& words, CtlOptions& options,
                     std::string& problem) {
    std::vector<std::string> positional;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (!optionsEnded && words[i] == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && (words[i].rfind("--", 0) == 0 || words[i] == "-h")) {
            if (!readOption(words, i, options, problem)) return false;
        } else {
            positional.push_back(words[i]);
        }
    }
    if (options.command == CtlCommand::Help || options.command == CtlCommand::Version) return true;
    if (positional.empty()) {
        problem = "no command given";
        return false;
    }
    if (options.simulate && !options.port.isEmpty()) {
        problem = "--simulate and --port exclude each other";
        return false;
    }
    if (!checkCommand(options, positional, problem)) return false;
    for (const CommandWord& command : kCommands)
        if (positional.front() == command.word) options.command = command.command;
    options.arguments.assign(positional.begin() + 1, positional.end());
    return true;
}

}  // namespace quorrel
