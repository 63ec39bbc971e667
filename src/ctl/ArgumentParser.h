#pragma once

#include <string>

#include "ctl/Operation.h"
#include "receiver/SentenceText.h"

namespace quorrel {

// Reads the command-line word `word` (UTF-8) as an argument of `spec`. False, with the reason
// in `problem` ("PORT \"G\" is not a port A-F or 0-5"), when it is none.
bool parseArgument(const ArgSpec& spec, const std::string& word, ArgValue& value,
                   std::string& problem);

// Why a text cannot go into a sentence, in words for the user.
std::string textFaultReason(TextFault fault, std::size_t maxLength);

// The arguments as --help shows them: "PORT BAUD OUTPUT=ON|OFF|KEEP".
std::string argumentSynopsis(const Operation& operation);

}  // namespace quorrel
