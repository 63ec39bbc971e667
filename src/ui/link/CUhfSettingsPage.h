#pragma once

#include "ui/kit/CReceiverPage.h"
#include "ui/link/UhfConfigLogic.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QSlider;

namespace quorrel {

struct UhfSheetState;

// "Settings": channel, air link speed, protocol, sensitivity and "Turn on" of the radio the
// Radio page chose. It opens only when the radio's parameters can be read.
class CUhfSettingsPage : public CReceiverPage {
    Q_OBJECT

public:
    // `logic` and `state` belong to the sheet and outlive the page.
    CUhfSettingsPage(const ScreenContext& context, const UhfConfigLogic& logic,
                     UhfSheetState& state, QWidget* parent = nullptr);

    QComboBox* channelList() const { return m_channel; }
    QComboBox* speedList() const { return m_speed; }
    QComboBox* protocolList() const { return m_protocol; }
    QSlider* sensitivitySlider() const { return m_sensitivity; }
    QLabel* sensitivityText() const { return m_sensitivityText; }
    QCheckBox* turnOnBox() const { return m_turnOn; }

protected:
    bool onSetActive() override;
    bool onApply() override;

private:
    void bind(const UhfSettings& settings);
    void protocolChosen();
    void fillSpeeds(int position);
    int protocolCode() const;
    UhfSettings values() const;

    const UhfConfigLogic& m_logic;
    UhfSheetState& m_state;
    UhfSettings m_read;  // as the last activation read it
    QComboBox* m_channel;
    QLabel* m_speedLabel;
    QComboBox* m_speed;
    QLabel* m_protocolLabel;
    QComboBox* m_protocol;
    QLabel* m_sensitivityLabel;
    QSlider* m_sensitivity;
    QLabel* m_sensitivityText;
    QCheckBox* m_turnOn;
};

}  // namespace quorrel
