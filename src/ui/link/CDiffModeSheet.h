#pragma once

#include <QString>

#include "ui/kit/CPropertySheet.h"

namespace quorrel {

class CRealTimeDiffPage;
struct ScreenContext;

// "Differential Mode": the real-time differential page alone. The caller sets the page's
// input after constructing the sheet and reads its output when the sheet ends with OK.
class CDiffModeSheet : public CPropertySheet {
    Q_OBJECT

public:
    // The main menu gives an empty caption.
    CDiffModeSheet(const ScreenContext& context, const QString& caption = {},
                   QWidget* parent = nullptr, int firstPage = 0);

    CRealTimeDiffPage* diffPage() const { return m_page; }

private:
    CRealTimeDiffPage* m_page;
};

}  // namespace quorrel
