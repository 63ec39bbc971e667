#pragma once

#include <string>

#include "receiver/link/Checksum.h"
#include "receiver/link/Classifier.h"
#include "receiver/link/ReceiverStatus.h"
#include "receiver/link/SentenceDispatcher.h"

namespace quorrel::test {

// "$" + body + "*HH\r\n" with a correct checksum.
inline std::string sentence(const std::string& body) {
    return withChecksum(body);
}

// The same sentence with a checksum that does not match.
inline std::string damaged(const std::string& body) {
    std::string text = withChecksum(body);
    const std::size_t star = text.rfind('*');
    text[star + 2] = text[star + 2] == '0' ? '1' : '0';
    return text;
}

// Classifies and dispatches one sentence, as the reader thread does.
inline SentenceEvent feed(ReceiverStatus& status, const std::string& text) {
    return dispatchSentence(status, classifySentence(text.data(), text.size()), text.c_str(),
                            text.size());
}

// Dispatches text the classifier cannot name by itself (the version block).
inline SentenceEvent feedAs(ReceiverStatus& status, SentenceType type, const std::string& text) {
    return dispatchSentence(status, type, text.c_str(), text.size());
}

}  // namespace quorrel::test
