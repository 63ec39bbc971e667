#include "ui/config/CNmeaOutputSheet.h"

#include "ui/config/CNmeaMessagesPage.h"
#include "ui/config/CNmeaOutputPage.h"
#include "ui/kit/ScreenContext.h"

namespace quorrel {

CNmeaOutputSheet::CNmeaOutputSheet(const ScreenContext& context, QWidget* parent)
    : CPropertySheet(parent),
      m_output(new CNmeaOutputPage(context, *this)),
      m_messages(new CNmeaMessagesPage(context, *this)) {
    watchLink(context.link);
    addPage(m_output);
    addPage(m_messages);
}

}  // namespace quorrel
