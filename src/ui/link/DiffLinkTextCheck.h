#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "ui/link/DiffLinkValues.h"

namespace quorrel {

// What the user typed is checked before the hub sends any of it: a text that would end a
// field or a sentence, or that the receiver refuses, is named in a message and nothing goes
// out.

// The message for `value`, a sentence field of at most `maxLength` characters called by the
// string `nameId`; nothing when the receiver can take it.
std::optional<QString> sentenceTextMessage(int nameId, const QString& value,
                                           std::size_t maxLength = SIZE_MAX);

// The first value the GSM, network or serial-port sequence would send and cannot.
std::optional<QString> gsmTextMessage(const GsmValues& values);
std::optional<QString> networkTextMessage(const NetworkValues& values, bool externalReceiver);
std::optional<QString> portTextMessage(const PortValues& values);

}  // namespace quorrel
