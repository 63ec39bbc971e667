// Parser of the receiver's four-line version text (no checksum: it is not a sentence).
#include <string_view>
#include <utility>

#include "receiver/link/SentenceParsers.h"

namespace quorrel {
namespace {

// The value after the last `label` in `text`: the rest of its line without spaces, cut to
// `maxLength`. False when the label does not occur.
bool valueAfter(std::string_view text, std::string_view label, std::size_t maxLength,
                std::string& value) {
    const std::size_t at = text.rfind(label);
    if (at == std::string_view::npos) return false;
    value.clear();
    for (std::size_t i = at + label.size(); i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n' || c == '\0') break;
        if (c != ' ' && value.size() < maxLength) value += c;
    }
    return true;
}

}  // namespace

bool parseVersion(ReceiverStatus& status, const char* sentence, std::size_t length) {
    const std::string_view text(sentence, length);
    constexpr std::size_t kText = VersionReply::kTextLength;
    VersionReply reply;
    valueAfter(text, "RECEIVER VERSION:", kText, reply.receiverVersion);
    valueAfter(text, "SYS fw:", kText, reply.systemFirmware);
    valueAfter(text, "GNSS fw:", kText, reply.gnssFirmware);
    reply.hasSerialNumber =
        valueAfter(text, "SERIAL NO:", VersionReply::kSerialLength, reply.serialNumber);
    status.setReceived(ReplyKind::Version, false);
    status.version.set(std::move(reply));
    status.setReceived(ReplyKind::Version, true);
    return true;
}

}  // namespace quorrel
