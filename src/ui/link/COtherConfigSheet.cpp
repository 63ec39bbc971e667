#include "ui/link/COtherConfigSheet.h"

#include "ui/kit/ScreenContext.h"
#include "ui/link/CPortSettingsPage.h"

namespace quorrel {

COtherConfigSheet::COtherConfigSheet(const ScreenContext& context, const QString& title,
                                     QWidget* parent, int firstPage)
    : CPropertySheet(parent), m_page(new CPortSettingsPage(m_values)) {
    setCaption(title);
    watchLink(context.link);
    addPage(m_page);
    setActivePage(firstPage);
}

}  // namespace quorrel
