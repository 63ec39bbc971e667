#pragma once

#include "ui/config/NmeaOutputPageLogic.h"
#include "ui/kit/CReceiverPage.h"

class QComboBox;

namespace quorrel {

class CNmeaOutputSheet;

// "NMEA Output": the handheld port and the baud rate (NmeaOutputPageLogic). The port chosen
// is remembered between runs as "NMEAPortIndex"; choosing another one reads its baud rate
// and makes its receiver port the sheet's current port.
class CNmeaOutputPage : public CReceiverPage {
    Q_OBJECT

public:
    static constexpr char kPortIndexSetting[] = "NMEAPortIndex";

    CNmeaOutputPage(const ScreenContext& context, CNmeaOutputSheet& sheet,
                    QWidget* parent = nullptr);
    ~CNmeaOutputPage() override;

    QComboBox* portList() const { return m_port; }
    QComboBox* baudList() const { return m_baud; }
    NmeaOutputValues values() const;

protected:
    void onInitPage() override;
    bool onApply() override;

private:
    // Reads the baud rate of the chosen port and makes its receiver port current.
    void readBaudRate();

    CNmeaOutputSheet& m_sheet;
    NmeaOutputPageLogic m_logic;
    QComboBox* m_port;
    QComboBox* m_baud;
};

}  // namespace quorrel
