#include "ui/link/CDiffModeSheet.h"

#include "ui/kit/ScreenContext.h"
#include "ui/link/CRealTimeDiffPage.h"

namespace quorrel {

CDiffModeSheet::CDiffModeSheet(const ScreenContext& context, const QString& caption,
                               QWidget* parent, int firstPage)
    : CPropertySheet(parent), m_page(new CRealTimeDiffPage(context)) {
    setCaption(caption);
    watchLink(context.link);
    addPage(m_page);
    setActivePage(firstPage);
}

}  // namespace quorrel
