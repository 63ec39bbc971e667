#include "ui/config/CGnssSettingSheet.h"

#include "ui/config/CGnssPage.h"
#include "ui/kit/ScreenContext.h"

namespace quorrel {

CGnssSettingSheet::CGnssSettingSheet(const ScreenContext& context, QWidget* parent)
    : CPropertySheet(parent), m_page(new CGnssPage(context)) {
    watchLink(context.link);
    addPage(m_page);
}

}  // namespace quorrel
