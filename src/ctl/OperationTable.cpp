#include "ctl/OperationTable.h"

#include <strings.h>
#include <QString>

namespace quorrel {

ResultValue OperationCall::toResult(const std::u16string& value) {
    return QString::fromStdU16String(value).toStdString();
}

const std::vector<Operation>& operationTable() {
    static const std::vector<Operation> table = [] {
        std::vector<Operation> rows = queryOperations();
        std::vector<Operation> settings = settingOperations();
        rows.insert(rows.end(), settings.begin(), settings.end());
        return rows;
    }();
    return table;
}

const Operation* findOperation(OperationKind kind, const std::string& name) {
    for (const Operation& operation : operationTable()) {
        if (operation.kind != kind) continue;
        if (strcasecmp(operation.name, name.c_str()) == 0 ||
            strcasecmp(operation.call, name.c_str()) == 0)
            return &operation;
    }
    return nullptr;
}

}  // namespace quorrel
