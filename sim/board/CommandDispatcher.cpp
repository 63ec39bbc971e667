#include "sim/board/CommandDispatcher.h"

namespace quorrel {

void CommandDispatcher::onSet(const std::string& code, Handler handler) {
    m_handlers[{false, code}] = std::move(handler);
}

void CommandDispatcher::onQuery(const std::string& code, Handler handler) {
    m_handlers[{true, code}] = std::move(handler);
}

bool CommandDispatcher::dispatch(const Command& command) const {
    const auto it = m_handlers.find({command.query, command.code});
    if (it == m_handlers.end()) return false;
    it->second(command);
    return true;
}

}  // namespace quorrel
