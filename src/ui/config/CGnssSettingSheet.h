#pragma once

#include "ui/kit/CPropertySheet.h"

namespace quorrel {

class CGnssPage;
struct ScreenContext;

// "GNSS Settings": the receiver's tracking configuration on one page.
class CGnssSettingSheet : public CPropertySheet {
    Q_OBJECT

public:
    explicit CGnssSettingSheet(const ScreenContext& context, QWidget* parent = nullptr);

    CGnssPage* gnssPage() const { return m_page; }

private:
    CGnssPage* m_page;
};

}  // namespace quorrel
