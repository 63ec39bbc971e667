#include "ui/config/CTroubleshootSheet.h"

#include "ui/config/CTroubleshootPage.h"
#include "ui/kit/ScreenContext.h"

namespace quorrel {

CTroubleshootSheet::CTroubleshootSheet(const ScreenContext& context, QWidget* parent)
    : CPropertySheet(parent), m_page(new CTroubleshootPage(context)) {
    watchLink(context.link);
    addPage(m_page);
}

}  // namespace quorrel
