#include "ui/link/GsmSettingsLogic.h"

#include "ui/kit/Resources.h"
#include "ui/kit/StringIds.h"
#include "ui/link/DiffLinkTextCheck.h"
#include "ui/link/HistoryChoices.h"
#include "ui/link/HistoryLayout.h"

namespace quorrel::gsm_settings {
namespace {

std::optional<QString> historyMessage(int nameId, const QString& value) {
    if (historyValueFault(value) == HistoryValueFault::None) return std::nullopt;
    return resText(kStrTextHistoryCharacter).arg(resText(nameId));
}

}  // namespace

QStringList phoneItems(const std::vector<HistoryEntry>& history) {
    return historyListItems(history, HistoryLayout::gsm());
}

std::optional<QString> pinFor(const std::vector<HistoryEntry>& history, const QString& picked) {
    const HistoryEntry* entry = findHistoryEntry(history, HistoryLayout::gsm(), picked);
    if (!entry) return std::nullopt;
    return entry->text(GsmField::Pin);
}

GsmValues acceptedValues(const QString& pinText, const QString& phoneText, bool pinShown) {
    return GsmValues{pinShown ? pinText : QString(), phoneText};
}

std::optional<QString> refusal(const GsmValues& values) {
    // Without a number nothing is sent or remembered.
    if (values.phoneNumber.isEmpty()) return std::nullopt;
    if (auto message = gsmTextMessage(values)) return message;
    if (auto message = historyMessage(kStrValuePhoneNumber, values.phoneNumber)) return message;
    return historyMessage(kStrValuePin, values.pin);
}

HistoryEntry historyEntry(const GsmValues& values) {
    HistoryEntry entry;
    entry.setText(GsmField::Pin, values.pin);
    entry.setText(GsmField::PhoneNumber, values.phoneNumber);
    return entry;
}

}  // namespace quorrel::gsm_settings
