#pragma once

#include "ui/kit/CPropertyPage.h"
#include "ui/link/DiffLinkValues.h"

class QComboBox;

namespace quorrel {

// "Port": a port name and a baud rate for a device of the user's own, chosen from two
// lists (PortSettingsLogic). It edits the values of its sheet and sends nothing.
class CPortSettingsPage : public CPropertyPage {
    Q_OBJECT

public:
    // `values` belong to the sheet and outlive the page.
    explicit CPortSettingsPage(PortValues& values, QWidget* parent = nullptr);

    QComboBox* portList() const { return m_port; }
    QComboBox* baudList() const { return m_baud; }

protected:
    void onInitPage() override;
    bool onApply() override;

private:
    PortValues& m_values;
    QComboBox* m_port;
    QComboBox* m_baud;
};

}  // namespace quorrel
