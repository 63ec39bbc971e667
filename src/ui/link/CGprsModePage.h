#pragma once

#include <cstdint>
#include <functional>

#include "ui/kit/CPropertyPage.h"

class QRadioButton;

namespace quorrel {

// "Mode": how the GPRS modem reaches the corrections, direct IP or NTRIP. A click hands
// the chosen protocol to the sheet, which exchanges its third page.
class CGprsModePage : public CPropertyPage {
    Q_OBJECT

public:
    CGprsModePage(std::int32_t protocol, std::function<void(std::int32_t)> choose,
                  QWidget* parent = nullptr);

    QRadioButton* directIpButton() const { return m_directIp; }
    QRadioButton* ntripButton() const { return m_ntrip; }

private:
    std::function<void(std::int32_t)> m_choose;
    QRadioButton* m_directIp;
    QRadioButton* m_ntrip;
};

}  // namespace quorrel
