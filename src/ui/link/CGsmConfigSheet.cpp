#include "ui/link/CGsmConfigSheet.h"

#include "ui/kit/ScreenContext.h"
#include "ui/link/CGsmSettingsPage.h"

namespace quorrel {

CGsmConfigSheet::CGsmConfigSheet(const ScreenContext& context, const QString& title,
                                 QWidget* parent, int firstPage, const QString& historyFolder)
    : CPropertySheet(parent),
      m_page(new CGsmSettingsPage(m_values, m_externalReceiver, context.prompts, historyFolder)) {
    setCaption(title);
    watchLink(context.link);
    addPage(m_page);
    setActivePage(firstPage);
}

}  // namespace quorrel
