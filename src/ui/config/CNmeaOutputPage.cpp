#include "ui/config/CNmeaOutputPage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

#include "ui/config/CNmeaMessagesPage.h"
#include "ui/config/CNmeaOutputSheet.h"
#include "ui/kit/Resources.h"
#include "ui/kit/ScreenSettings.h"
#include "ui/kit/StringIds.h"

namespace quorrel {

CNmeaOutputPage::CNmeaOutputPage(const ScreenContext& context, CNmeaOutputSheet& sheet,
                                 QWidget* parent)
    : CReceiverPage(kStrNmeaOutput, context, parent),
      m_sheet(sheet),
      m_port(new QComboBox(this)),
      m_baud(new QComboBox(this)) {
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(resText(kStrPortLabel), this), 0, 0);
    grid->addWidget(m_port, 0, 1);
    grid->addWidget(new QLabel(resText(kStrBaudRateLabel), this), 1, 0);
    grid->addWidget(m_baud, 1, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(2, 1);

    m_port->addItems(NmeaOutputPageLogic::portNames());
    m_baud->addItems(NmeaOutputPageLogic::baudRates());
    // A stored row the list does not have (an edited settings file) falls back to the first.
    const std::uint32_t stored = context.settings.readDword(QLatin1String(kPortIndexSetting), 0);
    m_port->setCurrentIndex(stored < std::uint32_t(m_port->count()) ? int(stored) : 0);
    m_baud->setCurrentIndex(NmeaOutputValues::kDefaultBaudIndex);
    connect(m_port, &QComboBox::currentIndexChanged, this, [this] {
        if (isInitialised()) readBaudRate();
    });
}

CNmeaOutputPage::~CNmeaOutputPage() {
    context().settings.writeDword(QLatin1String(kPortIndexSetting),
                                  std::uint32_t(m_port->currentIndex()));
}

NmeaOutputValues CNmeaOutputPage::values() const {
    return {m_port->currentIndex(), m_baud->currentIndex()};
}

void CNmeaOutputPage::onInitPage() {
    readBaudRate();
}

void CNmeaOutputPage::readBaudRate() {
    const NmeaOutputValues shown = values();
    const NmeaOutputValues read = onReceiver(
        [this, shown](CGnssReceiver& receiver) { return m_logic.load(receiver, shown); });
    m_baud->setCurrentIndex(read.baudIndex);
    m_sheet.setCurrentPort(NmeaOutputPageLogic::receiverPort(read.portIndex));
}

bool CNmeaOutputPage::onApply() {
    const NmeaOutputValues values = this->values();
    const CNmeaMessagesPage* messages = m_sheet.messagesPage();
    std::optional<bool> messagesOn;
    if (messages && messages->isInitialised()) messagesOn = messages->anyMessageOn();
    onReceiver([this, &values, messagesOn](CGnssReceiver& receiver) {
        m_logic.apply(receiver, values, messagesOn);
    });
    m_sheet.setCurrentPort(NmeaOutputPageLogic::receiverPort(values.portIndex));
    return true;
}

}  // namespace quorrel
