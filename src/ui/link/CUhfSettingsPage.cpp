#include "ui/link/CUhfSettingsPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QSlider>
#include <algorithm>
#include <utility>

#include "receiver/ReceiverTypes.h"
#include "ui/kit/Resources.h"
#include "ui/link/UhfRadioLists.h"
#include "ui/link/UhfSheetState.h"

namespace quorrel {

CUhfSettingsPage::CUhfSettingsPage(const ScreenContext& context, const UhfConfigLogic& logic,
                                   UhfSheetState& state, QWidget* parent)
    : CReceiverPage(kStrRadioSettingsPage, context, parent),
      m_logic(logic),
      m_state(state),
      m_channel(new QComboBox(this)),
      m_speedLabel(new QLabel(resText(kStrAirLinkSpeedLabel), this)),
      m_speed(new QComboBox(this)),
      m_protocolLabel(new QLabel(resText(kStrRadioProtocolLabel), this)),
      m_protocol(new QComboBox(this)),
      m_sensitivityLabel(new QLabel(resText(kStrSensitivityLabel), this)),
      m_sensitivity(new QSlider(Qt::Horizontal, this)),
      m_sensitivityText(new QLabel(this)),
      m_turnOn(new QCheckBox(resText(kStrTurnOn), this)) {
    m_sensitivity->setRange(0, static_cast<int>(UhfRadioLists::sensitivityNames().size()) - 1);
    m_sensitivity->setPageStep(1);
    m_sensitivity->setTickPosition(QSlider::TicksBelow);
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(resText(kStrRadioChannelLabel), this), 0, 0);
    grid->addWidget(m_channel, 0, 1, 1, 2);
    grid->addWidget(m_speedLabel, 1, 0);
    grid->addWidget(m_speed, 1, 1, 1, 2);
    grid->addWidget(m_protocolLabel, 2, 0);
    grid->addWidget(m_protocol, 2, 1, 1, 2);
    grid->addWidget(m_sensitivityLabel, 3, 0);
    grid->addWidget(m_sensitivity, 3, 1);
    grid->addWidget(m_sensitivityText, 3, 2);
    grid->addWidget(m_turnOn, 4, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(5, 1);
    connect(m_protocol, &QComboBox::activated, this, [this] { protocolChosen(); });
    connect(m_sensitivity, &QSlider::valueChanged, this, [this](int position) {
        m_sensitivityText->setText(UhfRadioLists::sensitivityNames().value(position));
    });
}

bool CUhfSettingsPage::onSetActive() {
    const bool leftRadio = std::exchange(m_state.radioPageLeft, false);
    const std::optional<int> baud =
        leftRadio ? std::exchange(m_state.changedBaud, std::nullopt) : std::nullopt;
    const int type = m_state.radioType;
    m_read = onReceiver([this, leftRadio, baud, type](CGnssReceiver& receiver) {
        if (leftRadio) m_logic.leaveRadio(receiver, type, baud);
        return m_logic.readSettings(receiver, type);
    });
    tell(m_read.message);
    if (!m_read.read) return false;
    m_state.radioType = m_read.radioType;
    bind(m_read);
    return true;
}

void CUhfSettingsPage::bind(const UhfSettings& settings) {
    const int type = settings.radioType;
    m_channel->clear();
    m_channel->addItems(UhfRadioLists::channelItems(type, settings.channelCount));
    m_channel->setCurrentIndex(settings.channelPosition);
    m_protocol->clear();
    m_protocol->addItems(UhfRadioLists::protocolItems(type));
    m_protocol->setCurrentIndex(settings.protocolPosition);
    fillSpeeds(settings.speedPosition);
    m_sensitivity->setValue(settings.sensitivity);
    m_sensitivityText->setText(UhfRadioLists::sensitivityNames().value(settings.sensitivity));
    const bool airLink = UhfRadioLists::hasAirLink(type);
    for (QWidget* control :
         {static_cast<QWidget*>(m_speedLabel), static_cast<QWidget*>(m_speed),
          static_cast<QWidget*>(m_protocolLabel), static_cast<QWidget*>(m_protocol),
          static_cast<QWidget*>(m_sensitivityLabel), static_cast<QWidget*>(m_sensitivity),
          static_cast<QWidget*>(m_sensitivityText)})
        control->setVisible(airLink);
    m_turnOn->setVisible(settings.turnOnShown);
    m_turnOn->setChecked(settings.turnOnShown && settings.turnOn);
}

int CUhfSettingsPage::protocolCode() const {
    return UhfRadioLists::codeAt(UhfRadioLists::protocolCodes(m_read.radioType),
                                 m_protocol->currentIndex());
}

// An Ostrel radio's speeds depend on its protocol.
void CUhfSettingsPage::protocolChosen() {
    if (m_read.radioType == kRadioMdl) fillSpeeds(m_speed->currentIndex());
}

void CUhfSettingsPage::fillSpeeds(int position) {
    const QStringList items = UhfRadioLists::speedItems(m_read.radioType, protocolCode());
    m_speed->clear();
    m_speed->addItems(items);
    if (!items.isEmpty()) m_speed->setCurrentIndex(std::clamp(position, 0, int(items.size()) - 1));
}

UhfSettings CUhfSettingsPage::values() const {
    UhfSettings settings = m_read;
    settings.channelPosition = m_channel->currentIndex();
    settings.speedPosition = m_speed->currentIndex();
    settings.protocolPosition = m_protocol->currentIndex();
    settings.sensitivity = m_sensitivity->value();
    settings.turnOn = m_turnOn->isChecked();
    return settings;
}

bool CUhfSettingsPage::onApply() {
    if (!m_read.read) return true;
    const UhfSettings settings = values();
    const int type = m_state.radioType;
    const std::optional<StringId> message =
        onReceiver([this, type, &settings](CGnssReceiver& receiver) {
            return m_logic.applySettings(receiver, type, settings);
        });
    tell(message);
    return true;
}

}  // namespace quorrel
