#pragma once

#include <QString>
#include <QWidget>

namespace quorrel {

class CPropertySheet;

// One page of a CPropertySheet. A page overrides the hooks it needs; the sheet calls them
// on the GUI thread in this order: onInitPage (once), onSetActive / onKillActive as the user
// moves between pages, then onApply (OK) or onCancel for every page that was ever shown.
class CPropertyPage : public QWidget {
    Q_OBJECT

public:
    explicit CPropertyPage(const QString& title, QWidget* parent = nullptr);

    QString title() const { return m_title; }
    // Renames the page's tab when it is in a sheet.
    void setTitle(const QString& title);
    // True once onInitPage ran (the page has been shown at least once).
    bool isInitialised() const { return m_initialised; }
    // The sheet the page is in, or null while it is not in one.
    CPropertySheet* sheet() const { return m_sheet; }

protected:
    friend class CPropertySheet;

    // First time the page comes to the front: read values, create fonts, start timers.
    virtual void onInitPage() {}
    // The page is about to come to the front; false keeps the previous page in front.
    virtual bool onSetActive() { return true; }
    // The page is about to leave the front (another page, or OK); false keeps it there.
    virtual bool onKillActive() { return true; }
    // OK was pressed: send the page's values. False keeps the sheet open on this page.
    virtual bool onApply() { return true; }
    // The sheet was cancelled.
    virtual void onCancel() {}

private:
    void initialiseOnce();

    QString m_title;
    bool m_initialised = false;
    CPropertySheet* m_sheet = nullptr;
};

}  // namespace quorrel
