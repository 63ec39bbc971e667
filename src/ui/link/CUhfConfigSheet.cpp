#include "ui/link/CUhfConfigSheet.h"

#include "ui/kit/ScreenContext.h"
#include "ui/link/CUhfRadioPage.h"
#include "ui/link/CUhfSettingsPage.h"

namespace quorrel {

CUhfConfigSheet::CUhfConfigSheet(const ScreenContext& context, const QString& title,
                                 UhfConfigLogic logic, QWidget* parent, int firstPage)
    : CPropertySheet(parent),
      m_logic(logic),
      m_radio(new CUhfRadioPage(context, m_logic, m_state)),
      m_settings(new CUhfSettingsPage(context, m_logic, m_state)) {
    setCaption(title);
    watchLink(context.link);
    addPage(m_radio);
    addPage(m_settings);
    setActivePage(firstPage);
}

}  // namespace quorrel
