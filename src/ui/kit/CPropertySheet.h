#pragma once

#include <QDialog>
#include <QString>
#include <vector>

class QDialogButtonBox;
class QStackedWidget;
class QTabBar;

namespace quorrel {

class CPropertyPage;
class ConnectionLostBar;
class LinkMonitor;

// A modal dialog of tabbed pages with OK and Cancel, the frame of every sheet of the program.
// The sheet owns its pages. A page is initialised the first time it comes to the front; on OK
// the page in front is asked to let go, then every initialised page applies, in tab order;
// Cancel (also Escape and closing the window) cancels every initialised page.
class CPropertySheet : public QDialog {
    Q_OBJECT

public:
    explicit CPropertySheet(QWidget* parent = nullptr);
    ~CPropertySheet() override;

    void setCaption(const QString& caption) { setWindowTitle(caption); }
    // Appends a page (or inserts it before `index`); the sheet takes ownership.
    void addPage(CPropertyPage* page);
    void insertPage(int index, CPropertyPage* page);
    // Takes a page out of the tabs. The sheet keeps owning it, hidden and with its state, so
    // it can be added again; deleting it is also fine. When it was in front, its neighbour
    // comes to the front.
    void removePage(CPropertyPage* page);

    int pageCount() const { return static_cast<int>(m_pages.size()); }
    CPropertyPage* page(int index) const;
    int pageIndex(const CPropertyPage* page) const;
    CPropertyPage* activePage() const { return page(m_active); }
    int activeIndex() const { return m_active; }
    // Brings a page to the front through its hooks; false when a hook refused. Before the
    // sheet is shown this only chooses the page that will open first.
    bool setActivePage(int index);
    bool setActivePage(CPropertyPage* page) { return setActivePage(pageIndex(page)); }
    void setCancelButtonVisible(bool visible);
    // Shows "Receiver connection lost" across the top of the sheet the moment `monitor`
    // reports it; the pages and what the user typed into them stay as they are.
    void watchLink(LinkMonitor& monitor);
    ConnectionLostBar* connectionLostBar() const { return m_lostBar; }

    void accept() override;
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    friend class CPropertyPage;

    void pageTitleChanged(CPropertyPage* page);
    void pageDestroyed(QObject* page);
    void forget(int index);
    void tabChanged(int index);
    bool activate(int index);
    void bringToFront(int index);
    void selectTab(int index);

    std::vector<CPropertyPage*> m_pages;
    QTabBar* m_tabs = nullptr;
    QStackedWidget* m_stack = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
    ConnectionLostBar* m_lostBar = nullptr;
    int m_active = -1;
    int m_startIndex = 0;
    bool m_started = false;
    bool m_selecting = false;
};

}  // namespace quorrel
