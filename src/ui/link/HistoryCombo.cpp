#include "ui/link/HistoryCombo.h"

#include "ui/link/ConnectionHistory.h"
#include "ui/link/HistoryChoices.h"

namespace quorrel {

QComboBox* makeHistoryCombo(const ConnectionHistory& history, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::InsertAlphabetically);
    combo->addItems(historyListItems(history.entries(), history.layout()));
    return combo;
}

}  // namespace quorrel
