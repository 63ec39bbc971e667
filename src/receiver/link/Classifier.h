#pragma once

#include <cstddef>

#include "receiver/link/SentenceType.h"

namespace quorrel {

// Looks the head of `sentence` up in the classifier table: a "$P" head is compared on its
// first 10 characters, a "$G" head on its first 6; the first matching row wins.
SentenceType classifySentence(const char* sentence, std::size_t length);

}  // namespace quorrel
