#pragma once

#include <QComboBox>

namespace quorrel {

class ConnectionHistory;

// The editable, sorted drop-down list of a page's history, holding the history's keys.
QComboBox* makeHistoryCombo(const ConnectionHistory& history, QWidget* parent);

}  // namespace quorrel
