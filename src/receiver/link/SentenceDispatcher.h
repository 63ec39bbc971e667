#pragma once

#include <cstddef>

#include "receiver/link/ReceiverStatus.h"
#include "receiver/link/SentenceType.h"

namespace quorrel {

// What the session signals after a sentence has been handled.
enum class SentenceEvent { None, Reply, Epoch };

// Runs the parser of `type` on a whole NUL-terminated sentence and tells which event follows.
// The reply event follows every reply and acknowledgement, accepted or not: a waiting
// command wakes and finds its own flag.
SentenceEvent dispatchSentence(ReceiverStatus& status, SentenceType type, const char* sentence,
                               std::size_t length);

}  // namespace quorrel
