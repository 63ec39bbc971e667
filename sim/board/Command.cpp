#include "sim/board/Command.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "sim/board/NmeaChecksum.h"

namespace quorrel {
namespace {

std::vector<std::string> split(std::string_view text) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = text.find(',', start);
        out.emplace_back(text.substr(start, comma - start));
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    return out;
}

}  // namespace

const std::string& Command::field(std::size_t index) const {
    static const std::string kEmpty;
    return index < fields.size() ? fields[index] : kEmpty;
}

std::optional<Command> parseCommand(std::string_view line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
        line.remove_suffix(1);
    if (line.size() < 7 || line[0] != '$') return std::nullopt;
    std::string_view body = line.substr(1);
    if (!takeChecksum(body)) return std::nullopt;
    const bool set = body.starts_with("PQVXS,");
    if (!set && !body.starts_with("PQVXQ,")) return std::nullopt;
    std::vector<std::string> parts = split(body.substr(6));
    if (parts.front().empty()) return std::nullopt;
    Command command;
    command.query = !set;
    command.code = parts.front();
    command.fields.assign(parts.begin() + 1, parts.end());
    command.text = std::string(body);
    return command;
}

bool parseInteger(const std::string& text, int low, int high, int& value) {
    if (text.empty() || text.size() > 10) return false;
    char* end = nullptr;
    errno = 0;
    const long parsed = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || parsed < low || parsed > high) return false;
    value = static_cast<int>(parsed);
    return true;
}

bool parseNumber(const std::string& text, double& value) {
    if (text.empty() || text.size() > 32) return false;
    char* end = nullptr;
    const double parsed = std::strtod(text.c_str(), &end);
    if (*end != '\0' || !std::isfinite(parsed)) return false;
    value = parsed;
    return true;
}

int parsePort(const std::string& text) {
    if (text.size() != 1 || text[0] < 'A' || text[0] > 'F') return -1;
    return text[0] - 'A';
}

bool isOneOf(const std::string& text, std::initializer_list<const char*> choices) {
    for (const char* choice : choices)
        if (text == choice) return true;
    return false;
}

}  // namespace quorrel
