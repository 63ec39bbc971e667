#include "ui/link/CGsmSettingsPage.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

#include "ui/kit/Resources.h"
#include "ui/kit/StringIds.h"
#include "ui/kit/UserPrompts.h"
#include "ui/link/GsmSettingsLogic.h"

namespace quorrel {

CGsmSettingsPage::CGsmSettingsPage(GsmValues& values, const bool& externalReceiver,
                                   UserPrompts& prompts, const QString& historyFolder,
                                   QWidget* parent)
    : CPropertyPage(resText(kStrGsmSettingsPage), parent),
      m_values(values),
      m_externalReceiver(externalReceiver),
      m_prompts(prompts),
      m_history(HistoryLayout::gsm(), historyFolder),
      m_phone(new QComboBox(this)),
      m_pinLabel(new QLabel(resText(kStrPinCodeLabel), this)),
      m_pin(new QLineEdit(this)) {
    m_phone->setObjectName(QStringLiteral("phoneNumber"));
    m_phone->setEditable(true);
    // The list holds the history; a typed number joins it only through OK.
    m_phone->setInsertPolicy(QComboBox::NoInsert);
    m_pin->setObjectName(QStringLiteral("pinCode"));
    m_pin->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d*")), m_pin));
    auto* form = new QFormLayout(this);
    form->addRow(resText(kStrPhoneNumberLabel), m_phone);
    form->addRow(m_pinLabel, m_pin);
    connect(m_phone, &QComboBox::activated, this, &CGsmSettingsPage::phonePicked);
}

void CGsmSettingsPage::onInitPage() {
    m_phone->addItems(gsm_settings::phoneItems(m_history.entries()));
    m_phone->setEditText(m_values.phoneNumber);
    m_pin->setText(m_values.pin);
    m_pinLabel->setVisible(isPinShown());
    m_pin->setVisible(isPinShown());
    m_pin->setMaxLength(gsm_settings::kPinMaxLength);
    m_phone->lineEdit()->setMaxLength(gsm_settings::kPhoneMaxLength);
}

void CGsmSettingsPage::phonePicked(int index) {
    if (!isPinShown()) return;
    if (const auto pin = gsm_settings::pinFor(m_history.entries(), m_phone->itemText(index)))
        m_pin->setText(*pin);
}

bool CGsmSettingsPage::onApply() {
    const GsmValues values =
        gsm_settings::acceptedValues(m_pin->text(), m_phone->currentText(), isPinShown());
    if (const auto refused = gsm_settings::refusal(values)) {
        m_prompts.tell(*refused);
        m_phone->setFocus();
        return false;
    }
    m_values = values;
    if (!values.phoneNumber.isEmpty()) m_history.add(gsm_settings::historyEntry(values));
    return true;
}

}  // namespace quorrel
