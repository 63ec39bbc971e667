#include "ui/status/CGnssStatusSheet.h"

#include "ui/kit/ScreenContext.h"
#include "ui/status/CPositionPage.h"
#include "ui/status/CSatellitesPage.h"
#include "ui/status/CSignalPage.h"

namespace quorrel {

CGnssStatusSheet::CGnssStatusSheet(CGnssReceiver* receiver, QWidget* parent)
    : CPropertySheet(parent),
      m_position(new CPositionPage(receiver)),
      m_satellites(new CSatellitesPage(receiver)),
      m_signal(new CSignalPage(receiver)) {
    setCaption(QString());
    // Nothing to undo: the pages only show what the receiver reports.
    setCancelButtonVisible(false);
    addPage(m_position);
    addPage(m_satellites);
    addPage(m_signal);
}

CGnssStatusSheet::CGnssStatusSheet(const ScreenContext& context, QWidget* parent)
    : CGnssStatusSheet(&context.receiver, parent) {
    watchLink(context.link);
    m_position->watchLink(context.link);
    m_satellites->watchLink(context.link);
    m_signal->watchLink(context.link);
}

void CGnssStatusSheet::done(int result) {
    m_position->stopRefreshing();
    m_satellites->stopRefreshing();
    m_signal->stopRefreshing();
    CPropertySheet::done(result);
}

}  // namespace quorrel
