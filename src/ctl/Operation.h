#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <variant>
#include <vector>

namespace quorrel {

class CGnssReceiver;

// How a command-line word becomes an argument of a receiver operation.
enum class ArgKind {
    Integer,
    Flag,    // on/off, yes/no, true/false, 1/0
    Number,  // a decimal number
    Text,    // sentence text, at most `maxLength` characters
    Port,    // the receiver's ports "A"–"F", or 0–5
    Baud,    // baud code 0–9, or the rate itself (115200)
    Choice,  // one of `choices` by name, or its value
};

struct Choice {
    const char* name;
    int value;
};

struct ArgSpec {
    const char* name;  // as --help shows it: "DEGREES"
    ArgKind kind;
    std::vector<Choice> choices = {};  // Choice only
    std::size_t maxLength = SIZE_MAX;  // Text only
};

// A parsed argument: an integer (also flags, ports, baud codes, choices), a number or text.
using ArgValue = std::variant<int, double, std::u16string>;
// A result field's value: integer, number, flag or 8-bit text (UTF-8).
using ResultValue = std::variant<std::int64_t, double, bool, std::string>;

struct ResultField {
    std::string name;
    ResultValue value;
};

// One receiver operation run from the command line: its arguments, and after it ran the
// named results in the order the table names them.
class OperationCall {
public:
    OperationCall(CGnssReceiver& receiver, std::vector<ArgValue> arguments)
        : m_receiver(receiver), m_arguments(std::move(arguments)) {}

    CGnssReceiver& receiver() const { return m_receiver; }
    int integer(std::size_t index) const { return std::get<int>(m_arguments.at(index)); }
    bool flag(std::size_t index) const { return integer(index) != 0; }
    double number(std::size_t index) const { return std::get<double>(m_arguments.at(index)); }
    const std::u16string& text(std::size_t index) const {
        return std::get<std::u16string>(m_arguments.at(index));
    }

    // Keeps `values` as the results when `done`; returns `done`.
    template <typename... Values>
    bool results(bool done, const Values&... values) {
        if (done) (m_values.push_back(toResult(values)), ...);
        return done;
    }
    const std::vector<ResultValue>& values() const { return m_values; }

private:
    static ResultValue toResult(bool value) { return value; }
    static ResultValue toResult(int value) { return std::int64_t(value); }
    static ResultValue toResult(std::uint8_t value) { return std::int64_t(value); }
    static ResultValue toResult(float value) { return double(value); }
    static ResultValue toResult(double value) { return value; }
    static ResultValue toResult(const std::string& value) { return value; }
    static ResultValue toResult(const std::u16string& value);

    CGnssReceiver& m_receiver;
    std::vector<ArgValue> m_arguments;
    std::vector<ResultValue> m_values;
};

enum class OperationKind { Get, Set };

// One row of the command-line companion's operation table.
struct Operation {
    const char* name;  // as typed after get/set: "ElevationMask"
    OperationKind kind;
    const char* call;  // the receiver operation: "QueryElevationMask"
    std::vector<ArgSpec> arguments;
    std::vector<const char*> results;  // names of the result fields, in order
    // Runs the operation; true when the receiver did it.
    std::function<bool(OperationCall&)> run;
};

}  // namespace quorrel
