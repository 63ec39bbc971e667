#include "ui/kit/CPropertyPage.h"

#include "ui/kit/CPropertySheet.h"

namespace quorrel {

CPropertyPage::CPropertyPage(const QString& title, QWidget* parent)
    : QWidget(parent), m_title(title) {}

void CPropertyPage::setTitle(const QString& title) {
    m_title = title;
    if (m_sheet) m_sheet->pageTitleChanged(this);
}

void CPropertyPage::initialiseOnce() {
    if (m_initialised) return;
    m_initialised = true;
    onInitPage();
}

}  // namespace quorrel
