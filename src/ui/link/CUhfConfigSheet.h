#pragma once

#include <QString>

#include "ui/kit/CPropertySheet.h"
#include "ui/link/UhfConfigLogic.h"
#include "ui/link/UhfSheetState.h"

namespace quorrel {

class CUhfRadioPage;
class CUhfSettingsPage;
struct ScreenContext;

// "UHF Radio Settings": the radio's type and port baud rate ("Radio"), then its channel and
// air link ("Settings"). The pages send their changes themselves; the differential-mode page
// only learns whether the sheet ended with OK.
class CUhfConfigSheet : public CPropertySheet {
    Q_OBJECT

public:
    CUhfConfigSheet(const ScreenContext& context, const QString& title, UhfConfigLogic logic,
                    QWidget* parent = nullptr, int firstPage = 0);

    CUhfRadioPage* radioPage() const { return m_radio; }
    CUhfSettingsPage* settingsPage() const { return m_settings; }

private:
    UhfConfigLogic m_logic;
    UhfSheetState m_state;
    CUhfRadioPage* m_radio;
    CUhfSettingsPage* m_settings;
};

}  // namespace quorrel
