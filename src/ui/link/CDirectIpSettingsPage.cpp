#include "ui/link/CDirectIpSettingsPage.h"

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

CDirectIpSettingsPage::CDirectIpSettingsPage(NetworkValues& values, ConnectionHistory& history,
                                             QWidget* parent)
    : CPropertyPage(resText(kStrDirectIpPage), parent),
      m_values(values),
      m_history(history),
      m_host(makeHistoryCombo(history, this)),
      m_port(new QLineEdit(this)) {
    auto* form = new QFormLayout(this);
    form->addRow(resText(kStrHostLabel), m_host);
    form->addRow(resText(kStrPortLabel), m_port);
    connect(m_host, &QComboBox::textActivated, this, &CDirectIpSettingsPage::picked);
}

void CDirectIpSettingsPage::onInitPage() {
    m_host->setEditText(m_values.ipAddress);
    m_port->setText(portText(m_values.ipPort));
}

void CDirectIpSettingsPage::picked(const QString& host) {
    if (const HistoryEntry* entry = findHistoryEntry(m_history.entries(), m_history.layout(), host))
        m_port->setText(portText(entry->number(DirectIpField::Port)));
}

bool CDirectIpSettingsPage::onApply() {
    m_values.ipAddress = m_host->currentText();
    m_values.ipPort = portFromText(m_port->text());
    if (!m_values.ipAddress.isEmpty()) m_history.add(directIpHistoryEntry(m_values));
    return true;
}

}  // namespace quorrel
