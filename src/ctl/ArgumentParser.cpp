#include "ctl/ArgumentParser.h"

#include <strings.h>
#include <QString>
#include <charconv>
#include <cmath>
#include <cstdlib>

#include "receiver/ReceiverTypes.h"

namespace quorrel {
namespace {

bool readInteger(const std::string& word, int& value) {
    const char* end = word.data() + word.size();
    const auto [stop, error] = std::from_chars(word.data(), end, value);
    return error == std::errc() && stop == end && !word.empty();
}

bool readNumber(const std::string& word, double& value) {
    if (word.empty()) return false;
    char* stop = nullptr;
    value = std::strtod(word.c_str(), &stop);
    return stop == word.c_str() + word.size() && std::isfinite(value);
}

bool readFlag(const std::string& word, int& value) {
    for (const char* on : {"on", "yes", "true", "1"})
        if (strcasecmp(word.c_str(), on) == 0) return (value = 1), true;
    for (const char* off : {"off", "no", "false", "0"})
        if (strcasecmp(word.c_str(), off) == 0) return (value = 0), true;
    return false;
}

bool readPort(const std::string& word, int& value) {
    if (word.size() == 1 && std::toupper(static_cast<unsigned char>(word[0])) >= 'A' &&
        std::toupper(static_cast<unsigned char>(word[0])) <= 'F') {
        value = std::toupper(static_cast<unsigned char>(word[0])) - 'A';
        return true;
    }
    return readInteger(word, value) && value >= kPortA && value <= kPortF;
}

bool readBaud(const std::string& word, int& value) {
    int number = 0;
    if (!readInteger(word, number)) return false;
    if (number >= 0 && number < int(kBaudRates.size())) return (value = number), true;
    for (std::size_t code = 0; code < kBaudRates.size(); ++code)
        if (std::uint32_t(number) == kBaudRates[code]) return (value = int(code)), true;
    return false;
}

bool readChoice(const std::vector<Choice>& choices, const std::string& word, int& value) {
    for (const Choice& choice : choices)
        if (strcasecmp(choice.name, word.c_str()) == 0) return (value = choice.value), true;
    int number = 0;
    if (!readInteger(word, number)) return false;
    for (const Choice& choice : choices)
        if (choice.value == number) return (value = number), true;
    return false;
}

std::string choiceList(const std::vector<Choice>& choices) {
    std::string list;
    for (const Choice& choice : choices)
        list += (list.empty() ? "" : "|") + std::string(choice.name);
    return list;
}

std::string expected(const ArgSpec& spec) {
    switch (spec.kind) {
        case ArgKind::Integer:
            return "a whole number";
        case ArgKind::Flag:
            return "on or off";
        case ArgKind::Number:
            return "a number";
        case ArgKind::Port:
            return "a port A-F or 0-5";
        case ArgKind::Baud:
            return "a baud code 0-9 or a baud rate (300 ... 115200)";
        case ArgKind::Choice:
            return "one of " + choiceList(spec.choices);
        case ArgKind::Text:
            break;
    }
    return "text";
}

bool parseText(const ArgSpec& spec, const std::string& word, ArgValue& value,
               std::string& problem) {
    const std::u16string text =
        QString::fromUtf8(word.data(), qsizetype(word.size())).toStdU16String();
    const TextFault fault = sentenceTextFault(text, spec.maxLength);
    if (fault != TextFault::None) {
        problem =
            std::string(spec.name) + " \"" + word + "\" " + textFaultReason(fault, spec.maxLength);
        return false;
    }
    value = text;
    return true;
}

}  // namespace

bool parseArgument(const ArgSpec& spec, const std::string& word, ArgValue& value,
                   std::string& problem) {
    if (spec.kind == ArgKind::Text) return parseText(spec, word, value, problem);
    int integer = 0;
    double number = 0.0;
    bool ok = false;
    switch (spec.kind) {
        case ArgKind::Integer:
            ok = readInteger(word, integer);
            break;
        case ArgKind::Flag:
            ok = readFlag(word, integer);
            break;
        case ArgKind::Number:
            ok = readNumber(word, number);
            break;
        case ArgKind::Port:
            ok = readPort(word, integer);
            break;
        case ArgKind::Baud:
            ok = readBaud(word, integer);
            break;
        case ArgKind::Choice:
            ok = readChoice(spec.choices, word, integer);
            break;
        case ArgKind::Text:
            break;
    }
    if (!ok) {
        problem = std::string(spec.name) + " \"" + word + "\" is not " + expected(spec);
        return false;
    }
    if (spec.kind == ArgKind::Number)
        value = number;
    else
        value = integer;
    return true;
}

std::string textFaultReason(TextFault fault, std::size_t maxLength) {
    switch (fault) {
        case TextFault::FieldCharacter:
            return "contains \",\", \"*\" or \"$\", which would change the receiver's sentence";
        case TextFault::ControlCharacter:
            return "contains a control character (such as CR or LF), which would end the "
                   "receiver's sentence";
        case TextFault::NotLatin1:
            return "contains a character the receiver cannot take (8-bit Latin-1 only)";
        case TextFault::TooLong:
            return "is longer than the " + std::to_string(maxLength) +
                   " characters the receiver takes";
        case TextFault::None:
            break;
    }
    return {};
}

std::string argumentSynopsis(const Operation& operation) {
    std::string synopsis;
    for (const ArgSpec& spec : operation.arguments) {
        if (!synopsis.empty()) synopsis += ' ';
        synopsis += spec.name;
        if (spec.kind == ArgKind::Choice) synopsis += "=" + choiceList(spec.choices);
    }
    return synopsis;
}

}  // namespace quorrel
