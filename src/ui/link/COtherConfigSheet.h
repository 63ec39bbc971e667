#pragma once

#include <QString>

#include "ui/kit/CPropertySheet.h"
#include "ui/link/DiffLinkValues.h"

namespace quorrel {

class CPortSettingsPage;
struct ScreenContext;

// "Serial Port Settings": collects a port name and a baud index for the other-device link;
// the differential-mode page reads the receiver before and sends the port setting after.
class COtherConfigSheet : public CPropertySheet {
    Q_OBJECT

public:
    COtherConfigSheet(const ScreenContext& context, const QString& title, QWidget* parent = nullptr,
                      int firstPage = 0);

    // "COM5" and 0 unless set; the page's choice after OK.
    void setValues(const PortValues& values) { m_values = values; }
    const PortValues& values() const { return m_values; }
    CPortSettingsPage* portPage() const { return m_page; }

private:
    PortValues m_values;
    CPortSettingsPage* m_page;
};

}  // namespace quorrel
