#pragma once

#include <functional>
#include <map>
#include <string>
#include <utility>

#include "sim/board/Command.h"

namespace quorrel {

// Routes each command to the handler registered for its kind (set or query) and code.
class CommandDispatcher {
public:
    using Handler = std::function<void(const Command&)>;

    void onSet(const std::string& code, Handler handler);
    void onQuery(const std::string& code, Handler handler);
    // False when no handler knows the command.
    bool dispatch(const Command& command) const;

private:
    std::map<std::pair<bool, std::string>, Handler> m_handlers;
};

}  // namespace quorrel
