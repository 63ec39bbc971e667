#include "ctl/OperationRunner.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <cstdio>

#include "ctl/ArgumentParser.h"
#include "ctl/OperationTable.h"

namespace quorrel {
namespace {

const char* kindWord(OperationKind kind) {
    return kind == OperationKind::Get ? "get" : "set";
}

std::string valueText(const ResultValue& value) {
    if (const auto* integer = std::get_if<std::int64_t>(&value)) return std::to_string(*integer);
    if (const auto* flag = std::get_if<bool>(&value)) return *flag ? "on" : "off";
    if (const auto* text = std::get_if<std::string>(&value)) return *text;
    char number[64];
    std::snprintf(number, sizeof number, "%.9g", std::get<double>(value));
    return number;
}

QJsonValue valueJson(const ResultValue& value) {
    if (const auto* integer = std::get_if<std::int64_t>(&value)) return qint64(*integer);
    if (const auto* flag = std::get_if<bool>(&value)) return *flag;
    if (const auto* text = std::get_if<std::string>(&value)) return QString::fromStdString(*text);
    return std::get<double>(value);
}

std::string resultsText(const Operation& operation, const std::vector<ResultValue>& values) {
    std::string text;
    for (std::size_t i = 0; i < values.size() && i < operation.results.size(); ++i)
        text += std::string(operation.results[i]) + ": " + valueText(values[i]) + "\n";
    return text;
}

std::string resultsJson(const Operation& operation, const std::vector<ResultValue>& values) {
    QJsonObject object;
    object.insert(QStringLiteral("operation"), QString::fromLatin1(operation.call));
    if (operation.kind == OperationKind::Set) object.insert(QStringLiteral("done"), true);
    for (std::size_t i = 0; i < values.size() && i < operation.results.size(); ++i)
        object.insert(QString::fromLatin1(operation.results[i]), valueJson(values[i]));
    return QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString() + "\n";
}

}  // namespace

bool prepareCall(OperationKind kind, const std::vector<std::string>& words, PreparedCall& call,
                 std::string& problem) {
    call.operation = words.empty() ? nullptr : findOperation(kind, words.front());
    if (!call.operation) {
        problem = words.empty()
                      ? std::string(kindWord(kind)) + " needs an operation name"
                      : std::string(kindWord(kind)) + ": no operation \"" + words.front() + "\"";
        return false;
    }
    const std::vector<ArgSpec>& specs = call.operation->arguments;
    if (words.size() - 1 != specs.size()) {
        problem = std::string(call.operation->name) + " takes " + std::to_string(specs.size()) +
                  " argument" + (specs.size() == 1 ? "" : "s") + ", not " +
                  std::to_string(words.size() - 1);
        return false;
    }
    call.arguments.clear();
    for (std::size_t i = 0; i < specs.size(); ++i) {
        ArgValue value;
        if (!parseArgument(specs[i], words[i + 1], value, problem)) {
            problem = std::string(call.operation->name) + ": " + problem;
            return false;
        }
        call.arguments.push_back(std::move(value));
    }
    return true;
}

CallOutcome runCall(CGnssReceiver& receiver, const PreparedCall& call, bool json) {
    const Operation& operation = *call.operation;
    OperationCall running(receiver, call.arguments);
    CallOutcome outcome;
    if (!operation.run(running)) {
        outcome.exitCode = 1;
        outcome.err = std::string("quorrelctl: ") + operation.call +
                      ": the receiver refused it, did not answer, or does not support it\n";
        return outcome;
    }
    if (json)
        outcome.out = resultsJson(operation, running.values());
    else
        outcome.out = resultsText(operation, running.values());
    return outcome;
}

std::string operationUsage(const Operation& operation) {
    std::string usage = std::string(kindWord(operation.kind)) + " " + operation.name;
    const std::string synopsis = argumentSynopsis(operation);
    if (!synopsis.empty()) usage += " " + synopsis;
    return usage;
}

}  // namespace quorrel
