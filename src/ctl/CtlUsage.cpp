#include "ctl/CtlUsage.h"

#include "ctl/ArgumentParser.h"
#include "ctl/OperationTable.h"

namespace quorrel {
namespace {

std::string padded(std::string text, std::size_t width) {
    if (text.size() < width) text.resize(width, ' ');
    return text + " ";
}

std::string operationLines(OperationKind kind) {
    std::string lines;
    for (const Operation& operation : operationTable()) {
        if (operation.kind != kind) continue;
        std::string left = std::string("  ") + operation.name;
        const std::string synopsis = argumentSynopsis(operation);
        if (!synopsis.empty()) left += " " + synopsis;
        std::string right = std::string("(") + operation.call + ")";
        for (const char* result : operation.results)
            right += std::string(" ") + result;
        // Long result lists go on a line of their own.
        if (left.size() + right.size() > 96)
            lines += left + "\n" + padded("", 40) + right + "\n";
        else
            lines += padded(left, 40) + right + "\n";
    }
    return lines;
}

}  // namespace

std::string usageText() {
    return "Usage: quorrelctl [OPTIONS] COMMAND [ARGUMENTS]\n"
           "\n"
           "Commands:\n"
           "  status [--watch]                  position, solution, DOP, errors, correction age\n"
           "                                    and satellites; --watch refreshes every second\n"
           "  get NAME [ARGUMENTS]              run a query of the receiver\n"
           "  set NAME [VALUES]                 run a setting or action of the receiver\n"
           "  sourcetable HOST PORT [USER PASS] the caster's stations, nearest first\n"
           "  log                               the sentences to and from the receiver\n"
           "  record FILE                       the SiRF module's raw data into FILE\n"
           "  help                              this text and every operation\n"
           "status --watch, log and record run until Ctrl-C, which closes the receiver properly.\n"
           "\n"
           "Options:\n"
           "  --port PATH        the receiver's serial device\n"
           "  --device-id ID     the handheld's identification (\"0143...\" or \"0204...\": the\n"
           "                     SiRF module)\n"
           "  --simulate         run against the simulator beside the program or on PATH\n"
           "  --json             results as JSON\n"
           "  --help, --version\n"
           "\n"
           "Exit status: 0 done; 1 the receiver refused, did not answer or does not support the\n"
           "operation (named on standard error); 2 bad usage, including text that cannot go\n"
           "into a receiver sentence (\",\", \"*\", \"$\", control characters).\n";
}

std::string helpText() {
    return usageText() +
           "\n"
           "Values: flags on|off (yes|no, true|false, 1|0); ports A-F or 0-5; BAUD a code 0-9\n"
           "or the rate; NAME=A|B a name from the list or its number.\n"
           "\n"
           "Queries, quorrelctl get NAME [ARGUMENTS] (receiver operation, results):\n" +
           operationLines(OperationKind::Get) +
           "\n"
           "Settings and actions, quorrelctl set NAME [VALUES] (receiver operation):\n" +
           operationLines(OperationKind::Set);
}

int printBadUsage(std::FILE* err, const std::string& problem) {
    std::fprintf(err, "quorrelctl: %s\n\n%s\n'quorrelctl --help' lists every operation.\n",
                 problem.c_str(), usageText().c_str());
    return 2;
}

int printBadUsage(std::FILE* err, const std::string& problem, const std::string& usage) {
    std::fprintf(err,
                 "quorrelctl: %s\nUsage: quorrelctl %s\n'quorrelctl --help' lists every "
                 "operation.\n",
                 problem.c_str(), usage.c_str());
    return 2;
}

}  // namespace quorrel
