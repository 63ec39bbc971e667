#pragma once

#include <string>
#include <vector>

#include "ctl/Operation.h"

namespace quorrel {

// Every query and set operation of the receiver interface that the command line offers, in
// the interface's order: queries first, then settings and actions.
const std::vector<Operation>& operationTable();

// The row for `name` among the operations of `kind`: the table's name or the receiver
// operation's own, either in any letter case. Null when there is none.
const Operation* findOperation(OperationKind kind, const std::string& name);

// The part of the table each half builds.
std::vector<Operation> queryOperations();
std::vector<Operation> settingOperations();

}  // namespace quorrel
