#pragma once

#include <string>
#include <vector>

#include "ctl/Operation.h"

namespace quorrel {

class CGnssReceiver;

// An operation of the table with its arguments read, ready to run.
struct PreparedCall {
    const Operation* operation = nullptr;
    std::vector<ArgValue> arguments;
};

// Finds the operation `words[0]` of `kind` and reads its arguments from the rest. False, with
// the reason in `problem`, when there is no such operation, the count is wrong or an argument
// cannot be read (text that would change the receiver's sentence among them); the receiver
// is not needed for that. `call.operation` is set whenever the operation was found.
bool prepareCall(OperationKind kind, const std::vector<std::string>& words, PreparedCall& call,
                 std::string& problem);

// What running a call gave: the exit code (0 done, 1 refused or unanswered), standard output
// and standard error.
struct CallOutcome {
    int exitCode = 0;
    std::string out;
    std::string err;
};

// Runs `call` on `receiver`. Results go to `out` as "name: value" lines, or as one JSON object
// with the operation and every result ("done": true for a setting); a failure names the
// operation on `err`.
CallOutcome runCall(CGnssReceiver& receiver, const PreparedCall& call, bool json);

// "get PortBaud PORT" / "set PortBaud PORT BAUD OUTPUT=ON|OFF|KEEP"
std::string operationUsage(const Operation& operation);

}  // namespace quorrel
