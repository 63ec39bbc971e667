#pragma once

#include "ui/kit/CPropertySheet.h"

namespace quorrel {

class CTroubleshootPage;
struct ScreenContext;

// "Trouble shooting": the receiver's debug recording on one page.
class CTroubleshootSheet : public CPropertySheet {
    Q_OBJECT

public:
    explicit CTroubleshootSheet(const ScreenContext& context, QWidget* parent = nullptr);

    CTroubleshootPage* troubleshootPage() const { return m_page; }

private:
    CTroubleshootPage* m_page;
};

}  // namespace quorrel
