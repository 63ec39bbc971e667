#include "ui/link/CUhfRadioPage.h"

#include <QComboBox>
#include <QFormLayout>
#include <utility>

#include "ui/kit/Resources.h"
#include "ui/link/PortSettingsLogic.h"
#include "ui/link/UhfConfigLogic.h"
#include "ui/link/UhfRadioLists.h"
#include "ui/link/UhfSheetState.h"

namespace quorrel {

CUhfRadioPage::CUhfRadioPage(const ScreenContext& context, const UhfConfigLogic& logic,
                             UhfSheetState& state, QWidget* parent)
    : CReceiverPage(kStrRadioPage, context, parent),
      m_logic(logic),
      m_state(state),
      m_type(new QComboBox(this)),
      m_baud(new QComboBox(this)) {
    m_type->addItems(UhfRadioLists::typeRows(m_logic.offersCorvalen()));
    m_baud->addItems(PortSettingsLogic::baudItems());
    auto* form = new QFormLayout(this);
    form->addRow(resText(kStrRadioTypeLabel), m_type);
    form->addRow(resText(kStrPortBaudLabel), m_baud);
    connect(m_type, &QComboBox::activated, this, [this] { typeChosen(); });
    // A rate the user picks is sent like one a type brought with it.
    connect(m_baud, &QComboBox::activated, this, [this](int row) { m_state.changedBaud = row; });
}

void CUhfRadioPage::onInitPage() {
    const int type = m_state.radioType;
    const UhfRadioChoice choice = onReceiver(
        [this, type](CGnssReceiver& receiver) { return m_logic.openRadio(receiver, type); });
    m_state.radioType = choice.radioType;
    m_type->setCurrentIndex(UhfRadioLists::rowOfType(choice.radioType, m_logic.offersCorvalen()));
    m_baud->setCurrentIndex(choice.baudCode);
}

void CUhfRadioPage::typeChosen() {
    takeType();
    const int baudRow = UhfRadioLists::baudRowForType(m_state.radioType);
    if (baudRow < 0) return;
    m_baud->setCurrentIndex(baudRow);
    m_state.changedBaud = baudRow;
}

void CUhfRadioPage::takeType() {
    const int type = UhfRadioLists::typeOfRow(m_type->currentIndex(), m_logic.offersCorvalen());
    if (type >= 0) m_state.radioType = type;
}

bool CUhfRadioPage::onKillActive() {
    takeType();
    m_state.radioPageLeft = true;
    return true;
}

bool CUhfRadioPage::onApply() {
    takeType();
    const int type = m_state.radioType;
    const std::optional<int> baud = std::exchange(m_state.changedBaud, std::nullopt);
    if (baud) {
        onReceiver([this, type, baud](CGnssReceiver& receiver) {
            m_logic.applyRadio(receiver, type, baud);
        });
    }
    return true;
}

}  // namespace quorrel
