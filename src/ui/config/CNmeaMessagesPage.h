#pragma once

#include <array>

#include "ui/config/NmeaMessagesPageLogic.h"
#include "ui/kit/CReceiverPage.h"

class QCheckBox;
class QComboBox;

namespace quorrel {

class CNmeaOutputSheet;

// "Messages": eight NMEA messages of the sheet's current port, each with a box and an output
// interval (NmeaMessagesPageLogic). It reads them when it opens and again whenever it comes
// to the front after the current port changed.
class CNmeaMessagesPage : public CReceiverPage {
    Q_OBJECT

public:
    CNmeaMessagesPage(const ScreenContext& context, CNmeaOutputSheet& sheet,
                      QWidget* parent = nullptr);

    QCheckBox* messageBox(int row) const { return m_boxes[row]; }
    QComboBox* intervalList(int row) const { return m_intervals[row]; }
    NmeaMessagesValues values() const;
    bool anyMessageOn() const;
    // The receiver port the page last read, -1 before it opened.
    int readPort() const { return m_readPort; }

protected:
    void onInitPage() override;
    bool onSetActive() override;
    bool onApply() override;

private:
    void read();
    void bind(const NmeaMessagesValues& values);

    CNmeaOutputSheet& m_sheet;
    NmeaMessagesPageLogic m_logic;
    std::array<QCheckBox*, NmeaMessagesPageLogic::kRowCount> m_boxes{};
    std::array<QComboBox*, NmeaMessagesPageLogic::kRowCount> m_intervals{};
    int m_readPort = -1;
};

}  // namespace quorrel
