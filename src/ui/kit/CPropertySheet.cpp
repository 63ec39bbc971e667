#include "ui/kit/CPropertySheet.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "ui/kit/CPropertyPage.h"
#include "ui/kit/ConnectionLostBar.h"

namespace quorrel {

CPropertySheet::CPropertySheet(QWidget* parent) : QDialog(parent) {
    m_tabs = new QTabBar(this);
    m_tabs->setExpanding(false);
    m_stack = new QStackedWidget(this);
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(m_stack, 1);
    layout->addWidget(m_buttons);
    connect(m_tabs, &QTabBar::currentChanged, this, &CPropertySheet::tabChanged);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &CPropertySheet::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &CPropertySheet::reject);
}

CPropertySheet::~CPropertySheet() {
    // The pages die with their QObject parent; they must not call back into a half-gone sheet.
    for (CPropertyPage* p : m_pages) {
        disconnect(p, nullptr, this, nullptr);
        p->m_sheet = nullptr;
    }
}

void CPropertySheet::addPage(CPropertyPage* page) {
    insertPage(pageCount(), page);
}

void CPropertySheet::insertPage(int index, CPropertyPage* page) {
    if (!page || pageIndex(page) >= 0) return;
    index = std::clamp(index, 0, pageCount());
    page->m_sheet = this;
    m_pages.insert(m_pages.begin() + index, page);
    m_stack->insertWidget(index, page);
    connect(page, &QObject::destroyed, this, &CPropertySheet::pageDestroyed, Qt::UniqueConnection);
    if (m_active >= index) ++m_active;
    const bool wasSelecting = std::exchange(m_selecting, true);
    m_tabs->insertTab(index, page->title());
    m_selecting = wasSelecting;
    selectTab(m_active);
    if (m_started && m_active < 0) bringToFront(index);
}

void CPropertySheet::removePage(CPropertyPage* page) {
    const int index = pageIndex(page);
    if (index < 0) return;
    m_stack->removeWidget(page);  // stays a child of the stack: still owned, hidden
    page->hide();
    page->m_sheet = nullptr;
    disconnect(page, &QObject::destroyed, this, &CPropertySheet::pageDestroyed);
    forget(index);
}

void CPropertySheet::pageDestroyed(QObject* object) {
    // Only the address is compared: the page is no longer a CPropertyPage here.
    const auto it = std::find(m_pages.begin(), m_pages.end(), object);
    if (it != m_pages.end()) forget(static_cast<int>(it - m_pages.begin()));
}

void CPropertySheet::forget(int index) {
    m_pages.erase(m_pages.begin() + index);
    const bool wasSelecting = std::exchange(m_selecting, true);
    m_tabs->removeTab(index);
    m_selecting = wasSelecting;
    if (m_active == index) {
        m_active = -1;
        if (pageCount() > 0 && m_started) bringToFront(std::min(index, pageCount() - 1));
    } else if (m_active > index) {
        --m_active;
    }
    selectTab(m_active);
}

CPropertyPage* CPropertySheet::page(int index) const {
    return index >= 0 && index < pageCount() ? m_pages[static_cast<size_t>(index)] : nullptr;
}

int CPropertySheet::pageIndex(const CPropertyPage* page) const {
    const auto it = std::find(m_pages.begin(), m_pages.end(), page);
    return it == m_pages.end() ? -1 : static_cast<int>(it - m_pages.begin());
}

bool CPropertySheet::setActivePage(int index) {
    if (!page(index)) return false;
    if (!m_started) {
        m_startIndex = index;
        return true;
    }
    return activate(index);
}

void CPropertySheet::setCancelButtonVisible(bool visible) {
    m_buttons->button(QDialogButtonBox::Cancel)->setVisible(visible);
}

void CPropertySheet::watchLink(LinkMonitor& monitor) {
    if (m_lostBar) return;
    m_lostBar = new ConnectionLostBar(monitor, ConnectionLostBar::Button::None, this);
    static_cast<QVBoxLayout*>(layout())->insertWidget(0, m_lostBar);
}

void CPropertySheet::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_started) return;
    m_started = true;
    if (pageCount() > 0) bringToFront(std::min(m_startIndex, pageCount() - 1));
}

void CPropertySheet::tabChanged(int index) {
    if (m_selecting) return;
    if (!m_started || !activate(index)) selectTab(m_active);
}

bool CPropertySheet::activate(int index) {
    CPropertyPage* next = page(index);
    if (!next) return false;
    if (index == m_active) return true;
    CPropertyPage* previous = activePage();
    if (previous && !previous->onKillActive()) return false;
    next->initialiseOnce();
    if (!next->onSetActive()) {
        if (previous) previous->onSetActive();
        return false;
    }
    m_active = index;
    m_stack->setCurrentWidget(next);
    selectTab(index);
    return true;
}

// Used when the sheet opens or the page in front went away: the page comes to the front
// whatever its set-active hook answers, since there is nothing else to show.
void CPropertySheet::bringToFront(int index) {
    CPropertyPage* next = page(index);
    if (!next) return;
    next->initialiseOnce();
    next->onSetActive();
    m_active = index;
    m_stack->setCurrentWidget(next);
    selectTab(index);
}

void CPropertySheet::selectTab(int index) {
    const bool wasSelecting = std::exchange(m_selecting, true);
    m_tabs->setCurrentIndex(index);
    m_selecting = wasSelecting;
}

void CPropertySheet::pageTitleChanged(CPropertyPage* page) {
    const int index = pageIndex(page);
    if (index >= 0) m_tabs->setTabText(index, page->title());
}

void CPropertySheet::accept() {
    CPropertyPage* current = activePage();
    if (current && !current->onKillActive()) return;
    for (int i = 0; i < pageCount(); ++i) {
        CPropertyPage* p = page(i);
        if (p->isInitialised() && !p->onApply()) {
            if (i != m_active) bringToFront(i);
            return;
        }
    }
    QDialog::accept();
}

void CPropertySheet::reject() {
    for (CPropertyPage* p : m_pages)
        if (p->isInitialised()) p->onCancel();
    QDialog::reject();
}

}  // namespace quorrel
