#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorrel {

// One "$PQVXS," (set) or "$PQVXQ," (query) sentence as the board's firmware sees it.
struct Command {
    bool query = false;
    std::string code;                 // three letters after the talker, "MDM"
    std::vector<std::string> fields;  // the fields after the code
    std::string text;                 // the whole sentence without "$" and line end

    std::size_t count() const { return fields.size(); }
    // The field at `index`, or an empty text past the end.
    const std::string& field(std::size_t index) const;
    bool is(std::size_t index, const char* value) const { return field(index) == value; }
};

// Splits a received line into a command; nothing for other sentences, for lines whose
// "*HH" does not match, and for a head without a code.
std::optional<Command> parseCommand(std::string_view line);

// Strict field readers: the whole text must be the number, within the bounds.
bool parseInteger(const std::string& text, int low, int high, int& value);
bool parseNumber(const std::string& text, double& value);
// "A" … "F" to 0–5; -1 for anything else.
int parsePort(const std::string& text);
bool isOneOf(const std::string& text, std::initializer_list<const char*> choices);

}  // namespace quorrel
