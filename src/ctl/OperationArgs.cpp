#include "ctl/OperationArgs.h"

#include "receiver/ReceiverTypes.h"

namespace quorrel {

std::string portLetter(int port) {
    if (port >= kPortA && port <= kPortF) return std::string(1, char('A' + port));
    return std::to_string(port);
}

std::string choiceName(const std::vector<Choice>& choices, int value) {
    for (const Choice& choice : choices)
        if (choice.value == value) return choice.name;
    return std::to_string(value);
}

int baudRate(int baudCode) {
    if (baudCode < 0 || baudCode >= int(kBaudRates.size())) return 0;
    return int(kBaudRates[std::size_t(baudCode)]);
}

}  // namespace quorrel
