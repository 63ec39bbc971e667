#pragma once

#include <string>
#include <vector>

#include "ctl/Operation.h"
#include "receiver/ReceiverTypes.h"

namespace quorrel {

// Argument specifications and value names shared by the rows of the operation table.

inline ArgSpec intArg(const char* name) {
    return {name, ArgKind::Integer};
}
inline ArgSpec flagArg(const char* name = "ON|OFF") {
    return {name, ArgKind::Flag};
}
inline ArgSpec numberArg(const char* name) {
    return {name, ArgKind::Number};
}
inline ArgSpec textArg(const char* name, std::size_t maxLength = SIZE_MAX) {
    return {name, ArgKind::Text, {}, maxLength};
}
inline ArgSpec portArg(const char* name = "PORT") {
    return {name, ArgKind::Port};
}
inline ArgSpec baudArg() {
    return {"BAUD", ArgKind::Baud};
}
inline ArgSpec choiceArg(const char* name, const std::vector<Choice>& choices) {
    return {name, ArgKind::Choice, choices};
}

// Inline, so that lists a file makes from these are initialised after them.
inline const std::vector<Choice> kNmeaMessageNames = {
    {"POS", kMsgPos}, {"SAT", kMsgSat}, {"GGA", kMsgGga}, {"GLL", kMsgGll}, {"GSA", kMsgGsa},
    {"GST", kMsgGst}, {"GSV", kMsgGsv}, {"RMC", kMsgRmc}, {"RRE", kMsgRre}, {"VTG", kMsgVtg},
    {"ZDA", kMsgZda}, {"VEC", kMsgVec}, {"A2D", kMsgA2d}, {"OBI", kMsgObi}, {"WTI", kMsgWti},
};
inline const std::vector<Choice> kRadioTypeNames = {
    {"PDL", kRadioPdl}, {"ADL", kRadioAdl}, {"CVL", kRadioCvl},   {"MDL", kRadioMdl},
    {"LFE", kRadioLfe}, {"LFA", kRadioLfa}, {"NONE", kRadioNone}, {"UNKNOWN", kRadioUnknown},
};
inline const std::vector<Choice> kAntennaTypeNames = {{"V", 0}, {"S", 1}};
inline const std::vector<Choice> kReductionNames = {{"OFF", 0}, {"ON", 1}, {"ARP", 2}};
inline const std::vector<Choice> kCpdModeNames = {{"BAS", 0}, {"ROV", 1}};
inline const std::vector<Choice> kBaseFormatNames = {
    {"NONE", 0}, {"RT2", 1}, {"RT3", 2}, {"CMR", 3}, {"CMP", 4}, {"ATM", 5},
};

// "A"–"F" for the port indices 0–5; the number itself for any other.
std::string portLetter(int port);
// The name `value` has among `choices`, or the number itself.
std::string choiceName(const std::vector<Choice>& choices, int value);
// The baud rate of code 0–9, 0 for any other.
int baudRate(int baudCode);

}  // namespace quorrel
