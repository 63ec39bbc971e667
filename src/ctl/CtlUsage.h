#pragma once

#include <cstdio>
#include <string>

namespace quorrel {

// The commands and options, as bad usage shows them.
std::string usageText();

// The usage, then every operation of the table with its arguments and results (--help).
std::string helpText();

// Prints "quorrelctl: `problem`" and the usage to `err`; returns the exit status of bad usage.
int printBadUsage(std::FILE* err, const std::string& problem);

// Prints "quorrelctl: `problem`" and the one line `usage` of an operation.
int printBadUsage(std::FILE* err, const std::string& problem, const std::string& usage);

}  // namespace quorrel
