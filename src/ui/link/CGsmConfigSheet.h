#pragma once

#include <QString>

#include "ui/kit/CPropertySheet.h"
#include "ui/link/ConnectionHistory.h"
#include "ui/link/DiffLinkValues.h"

namespace quorrel {

class CGsmSettingsPage;
struct ScreenContext;

// "GSM Modem Settings": the number to dial and the SIM PIN for a CSD call. It sends nothing;
// the differential-mode page prepares the modem and dials after OK.
class CGsmConfigSheet : public CPropertySheet {
    Q_OBJECT

public:
    CGsmConfigSheet(const ScreenContext& context, const QString& title, QWidget* parent = nullptr,
                    int firstPage = 0,
                    const QString& historyFolder = ConnectionHistory::defaultFolder());

    // The PIN and number to show; after OK, those chosen (the PIN empty when its row was
    // hidden).
    void setValues(const GsmValues& values) { m_values = values; }
    const GsmValues& values() const { return m_values; }
    // With an external receiver the PIN row shows.
    void setExternalReceiver(bool external) { m_externalReceiver = external; }
    CGsmSettingsPage* settingsPage() const { return m_page; }

private:
    GsmValues m_values;
    bool m_externalReceiver = false;
    CGsmSettingsPage* m_page;
};

}  // namespace quorrel
