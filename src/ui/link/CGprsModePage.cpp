#include "ui/link/CGprsModePage.h"

#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/kit/Resources.h"
#include "ui/kit/StringIds.h"
#include "ui/link/DiffLinkValues.h"

namespace quorrel {

CGprsModePage::CGprsModePage(std::int32_t protocol, std::function<void(std::int32_t)> choose,
                             QWidget* parent)
    : CPropertyPage(resText(kStrModePage), parent),
      m_choose(std::move(choose)),
      m_directIp(new QRadioButton(resText(kStrDirectIpPage), this)),
      m_ntrip(new QRadioButton(resText(kStrNtripPage), this)) {
    (protocol == kProtocolDirectIp ? m_directIp : m_ntrip)->setChecked(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_directIp);
    layout->addWidget(m_ntrip);
    layout->addStretch(1);
    connect(m_directIp, &QRadioButton::clicked, this, [this] { m_choose(kProtocolDirectIp); });
    connect(m_ntrip, &QRadioButton::clicked, this, [this] { m_choose(kProtocolNtrip); });
}

}  // namespace quorrel
