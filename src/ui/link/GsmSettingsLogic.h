#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "ui/link/DiffLinkValues.h"
#include "ui/link/HistoryEntry.h"

namespace quorrel {

// What the GSM settings page shows and keeps, without its widgets: the numbers of the GSM
// history, the PIN a picked number brings along, and the values OK stores.
namespace gsm_settings {

// The field limits: the history's capacities (9 and 22 bytes with their terminating zeros).
constexpr int kPinMaxLength = 8;
constexpr int kPhoneMaxLength = 21;

// "Phone Number:" items: the history's numbers, without repeats, sorted.
QStringList phoneItems(const std::vector<HistoryEntry>& history);

// The PIN of the first entry with exactly `picked` as its number; nothing when there is none
// (the PIN shown stays).
std::optional<QString> pinFor(const std::vector<HistoryEntry>& history, const QString& picked);

// The values OK stores: a hidden PIN field counts as empty.
GsmValues acceptedValues(const QString& pinText, const QString& phoneText, bool pinShown);

// Why OK cannot take `values`: a text the receiver's sentence or the history file cannot
// hold. Nothing when they can go out.
std::optional<QString> refusal(const GsmValues& values);

// The history entry OK adds for `values`.
HistoryEntry historyEntry(const GsmValues& values);

}  // namespace gsm_settings
}  // namespace quorrel
