#pragma once

#include "ui/kit/AppSettings.h"
#include "ui/kit/CPropertyPage.h"
#include "ui/kit/ScreenContext.h"
#include "ui/link/RealTimeDiffLogic.h"

class QListWidget;
class QPushButton;

namespace quorrel {

// "Link": the four correction links of the receiver and one action button, whose caption
// says what it does for the selected link (RealTimeDiffLogic). The page opens each link's
// sheet and then switches the receiver over, every receiver sequence on the receiver worker.
class CRealTimeDiffPage : public CPropertyPage {
    Q_OBJECT

public:
    explicit CRealTimeDiffPage(const ScreenContext& context, QWidget* parent = nullptr);

    // What the main menu hands in before the sheet runs, and takes back after OK.
    void setInput(const AppSettings& input) { m_logic.setInput(input); }
    AppSettings output() const { return m_logic.output(); }
    // The sheets the rows open; the program's own unless replaced (tests).
    void setSheets(DiffLinkSheets sheets) { m_logic.setSheets(std::move(sheets)); }
    const RealTimeDiffLogic& logic() const { return m_logic; }

    QListWidget* linkList() const { return m_list; }
    QPushButton* actionButton() const { return m_action; }

protected:
    void onInitPage() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void act();
    void selectionChanged();
    void showSelection();

    ScreenContext m_context;
    RealTimeDiffLogic m_logic;
    QListWidget* m_list;
    QPushButton* m_action;
};

}  // namespace quorrel
