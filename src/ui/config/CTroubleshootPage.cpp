#include "ui/config/CTroubleshootPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

#include "ui/kit/DialogUnits.h"
#include "ui/kit/ReceiverWorker.h"
#include "ui/kit/Resources.h"
#include "ui/kit/UserPrompts.h"

namespace quorrel {
namespace {

constexpr int kPageWidthDu = 156;
constexpr int kPageHeightDu = 120;

}  // namespace

CTroubleshootPage::CTroubleshootPage(const ScreenContext& context, QWidget* parent)
    : CPropertyPage(resText(kStrTroubleshootPage), parent),
      m_context(context),
      m_debugOutput(new QCheckBox(resText(kStrEnableDebugOutput), this)),
      m_storage(new QComboBox(this)) {
    setMinimumSize(DialogUnits(font()).size(kPageWidthDu, kPageHeightDu));
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
        m_context.worker.run([this](CGnssReceiver& receiver) { return m_logic.load(receiver); });
    m_debugOutput->setChecked(values.debugOutput);
    m_storage->setEnabled(values.storageEnabled);
    m_storage->setCurrentIndex(values.storage);
}

bool CTroubleshootPage::onApply() {
    const TroubleshootValues values = this->values();
    const std::optional<StringId> message = m_context.worker.run(
        [this, &values](CGnssReceiver& receiver) { return m_logic.apply(receiver, values); });
    if (message) m_context.prompts.tell(resText(*message));
    return true;
}

}  // namespace quorrel
