#include "ui/link/CPortSettingsPage.h"

#include <QComboBox>
#include <QFormLayout>

#include "ui/kit/Resources.h"
#include "ui/kit/StringIds.h"
#include "ui/link/PortSettingsLogic.h"

namespace quorrel {

CPortSettingsPage::CPortSettingsPage(PortValues& values, QWidget* parent)
    : CPropertyPage(resText(kStrPortPage), parent),
      m_values(values),
      m_port(new QComboBox(this)),
      m_baud(new QComboBox(this)) {
    m_port->addItems(PortSettingsLogic::portItems());
    m_baud->addItems(PortSettingsLogic::baudItems());
    auto* form = new QFormLayout(this);
    form->addRow(resText(kStrPortNameLabel), m_port);
    form->addRow(resText(kStrPortBaudLabel), m_baud);
}

void CPortSettingsPage::onInitPage() {
    m_port->setCurrentIndex(PortSettingsLogic::portRow(m_values.portName));
    m_baud->setCurrentIndex(PortSettingsLogic::baudRow(m_values.baudIndex));
}

bool CPortSettingsPage::onApply() {
    m_values = PortSettingsLogic::valuesFor(m_port->currentIndex(), m_baud->currentIndex());
    return true;
}

}  // namespace quorrel
