#include "ui/link/CGprsSettingsPage.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>

#include "ui/kit/Resources.h"
#include "ui/kit/StringIds.h"
#include "ui/link/ConnectionHistory.h"
#include "ui/link/HistoryChoices.h"
#include "ui/link/HistoryCombo.h"
#include "ui/link/NetworkSheetLogic.h"

namespace quorrel {

CGprsSettingsPage::CGprsSettingsPage(NetworkValues& values, ConnectionHistory& history,
                                     QWidget* parent)
    : CPropertyPage(resText(kStrGprsPage), parent),
      m_values(values),
      m_history(history),
      m_accessPoint(makeHistoryCombo(history, this)),
      m_login(new QLineEdit(this)),
      m_password(new QLineEdit(this)),
      m_pin(new QLineEdit(this)) {
    auto* form = new QFormLayout(this);
    form->addRow(resText(kStrAccessPointLabel), m_accessPoint);
    form->addRow(resText(kStrLoginLabel), m_login);
    form->addRow(resText(kStrPasswordLabel), m_password);
    form->addRow(resText(kStrPinCodeLabel), m_pin);
    connect(m_accessPoint, &QComboBox::textActivated, this, &CGprsSettingsPage::picked);
}

void CGprsSettingsPage::onInitPage() {
    m_pin->setText(m_values.gprsPin);
    m_accessPoint->setEditText(m_values.gprsAccessPoint);
    m_login->setText(m_values.gprsLogin);
    m_password->setText(m_values.gprsPassword);
}

void CGprsSettingsPage::picked(const QString& accessPoint) {
    const HistoryEntry* entry =
        findHistoryEntry(m_history.entries(), m_history.layout(), accessPoint);
    if (!entry) return;
    m_pin->setText(entry->text(GprsField::Pin));
    m_login->setText(entry->text(GprsField::Login));
    m_password->setText(entry->text(GprsField::Password));
}

void CGprsSettingsPage::store() {
    m_values.gprsPin = m_pin->text();
    m_values.gprsAccessPoint = m_accessPoint->currentText();
    m_values.gprsLogin = m_login->text();
    m_values.gprsPassword = m_password->text();
}

bool CGprsSettingsPage::onKillActive() {
    store();
    return true;
}

bool CGprsSettingsPage::onApply() {
    store();
    if (!m_values.gprsAccessPoint.isEmpty()) m_history.add(gprsHistoryEntry(m_values));
    return true;
}

}  // namespace quorrel
