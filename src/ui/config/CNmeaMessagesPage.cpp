#include "ui/config/CNmeaMessagesPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>

#include "ui/config/CNmeaOutputSheet.h"
#include "ui/kit/StringIds.h"

namespace quorrel {

CNmeaMessagesPage::CNmeaMessagesPage(const ScreenContext& context, CNmeaOutputSheet& sheet,
                                     QWidget* parent)
    : CReceiverPage(kStrMessagesPage, context, parent), m_sheet(sheet) {
    auto* grid = new QGridLayout(this);
    const QStringList names = NmeaMessagesPageLogic::messageNames();
    const QStringList intervals = NmeaMessagesPageLogic::intervalTexts();
    for (int row = 0; row < NmeaMessagesPageLogic::kRowCount; ++row) {
        QCheckBox* box = m_boxes[row] = new QCheckBox(names[row], this);
        QComboBox* list = m_intervals[row] = new QComboBox(this);
        list->addItems(intervals);
        // Usable once the receiver has been read.
        box->setEnabled(false);
        list->setEnabled(false);
        connect(box, &QCheckBox::toggled, list, &QComboBox::setEnabled);
        grid->addWidget(box, row, 0);
        grid->addWidget(list, row, 1);
    }
    grid->setColumnStretch(1, 1);
}

NmeaMessagesValues CNmeaMessagesPage::values() const {
    NmeaMessagesValues values;
    for (int row = 0; row < NmeaMessagesPageLogic::kRowCount; ++row)
        values.rows[row] = {m_boxes[row]->isChecked(), m_intervals[row]->currentIndex()};
    return values;
}

bool CNmeaMessagesPage::anyMessageOn() const {
    for (const QCheckBox* box : m_boxes)
        if (box->isChecked()) return true;
    return false;
}

void CNmeaMessagesPage::onInitPage() {
    read();
}

bool CNmeaMessagesPage::onSetActive() {
    if (m_readPort != m_sheet.currentPort()) read();
    return true;
}

void CNmeaMessagesPage::read() {
    m_readPort = m_sheet.currentPort();
    const int port = m_readPort;
    const NmeaMessagesValues shown = values();
    bind(onReceiver([this, port, shown](CGnssReceiver& receiver) {
        return m_logic.load(receiver, port, shown);
    }));
}

void CNmeaMessagesPage::bind(const NmeaMessagesValues& values) {
    for (int row = 0; row < NmeaMessagesPageLogic::kRowCount; ++row) {
        m_boxes[row]->setChecked(values.rows[row].on);
        m_boxes[row]->setEnabled(true);
        m_intervals[row]->setCurrentIndex(values.rows[row].interval);
        m_intervals[row]->setEnabled(values.rows[row].on);
    }
}

bool CNmeaMessagesPage::onApply() {
    const int port = m_sheet.currentPort();
    const NmeaMessagesValues values = this->values();
    onReceiver(
        [this, port, &values](CGnssReceiver& receiver) { m_logic.apply(receiver, port, values); });
    return true;
}

}  // namespace quorrel
