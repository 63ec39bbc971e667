#include "ui/config/CTroubleshootPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

#include "ui/kit/Resources.h"

namespace quorrel {

CTroubleshootPage::CTroubleshootPage(const ScreenContext& context, QWidget* parent)
    : CReceiverPage(kStrTroubleshootPage, context, parent),
      m_debugOutput(new QCheckBox(resText(kStrEnableDebugOutput), this)),
      m_storage(new QComboBox(this)) {
    auto* grid = new QGridLayout(this);
    grid->addWidget(m_debugOutput, 0, 0, 1, 2);
    grid->addWidget(new QLabel(resText(kStrStorageLabel), this), 1, 0);
    grid->addWidget(m_storage, 1, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(2, 1);
}

TroubleshootValues CTroubleshootPage::values() const {
    return {m_debugOutput->isChecked(), m_storage->isEnabled(), m_storage->currentIndex()};
}

void CTroubleshootPage::onInitPage() {
    m_storage->addItems(TroubleshootPageLogic::storageNames());
    const TroubleshootValues values =
        onReceiver([this](CGnssReceiver& receiver) { return m_logic.load(receiver); });
    m_debugOutput->setChecked(values.debugOutput);
    m_storage->setEnabled(values.storageEnabled);
    m_storage->setCurrentIndex(values.storage);
}

bool CTroubleshootPage::onApply() {
    const TroubleshootValues values = this->values();
    const std::optional<StringId> message = onReceiver(
        [this, &values](CGnssReceiver& receiver) { return m_logic.apply(receiver, values); });
    tell(message);
    return true;
}

}  // namespace quorrel
