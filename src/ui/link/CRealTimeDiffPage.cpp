#include "ui/link/CRealTimeDiffPage.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "ui/kit/ReceiverWorker.h"
#include "ui/kit/Resources.h"
#include "ui/kit/UserPrompts.h"
#include "ui/link/DiffLinkSheetSteps.h"

namespace quorrel {
namespace {

constexpr StringId kRowTexts[kLinkRowCount] = {kStrUhfRadio, kStrGsmCsdModem, kStrNetworkConnection,
                                               kStrOtherExternalDevice};

}  // namespace

CRealTimeDiffPage::CRealTimeDiffPage(const ScreenContext& context, QWidget* parent)
    : CPropertyPage(resText(kStrLinkPage), parent),
      m_context(context),
      m_logic(
          [this](const std::function<void(CGnssReceiver&)>& sequence) {
              m_context.worker.run(sequence);
          },
          programDiffLinkSheets(context, this)),
      m_list(new QListWidget(this)),
      m_action(new QPushButton(resText(kStrSettingsButton), this)) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(resText(kStrLinkListLabel), this));
    m_list->setObjectName(QStringLiteral("linkList"));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    for (const StringId id : kRowTexts)
        m_list->addItem(resText(id));
    m_list->installEventFilter(this);
    layout->addWidget(m_list, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_action);
    layout->addLayout(buttons);
    connect(m_list, &QListWidget::itemSelectionChanged, this, &CRealTimeDiffPage::selectionChanged);
    connect(m_action, &QPushButton::clicked, this, &CRealTimeDiffPage::act);
}

void CRealTimeDiffPage::onInitPage() {
    m_logic.start();
    showSelection();
}

void CRealTimeDiffPage::showSelection() {
    const QSignalBlocker blocker(m_list);
    const int row = m_logic.selectedRow();
    if (row == kNoLinkRow)
        m_list->clearSelection();
    else
        m_list->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    m_action->setText(resText(m_logic.caption()));
}

void CRealTimeDiffPage::selectionChanged() {
    const QList<QListWidgetItem*> selected = m_list->selectedItems();
    m_logic.select(selected.isEmpty() ? kNoLinkRow : m_list->row(selected.first()));
    m_action->setText(resText(m_logic.caption()));
}

void CRealTimeDiffPage::act() {
    const std::optional<QString> message = m_logic.act();
    showSelection();
    m_list->setFocus();
    if (message) m_context.prompts.tell(*message);
}

bool CRealTimeDiffPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            act();
            return true;
        }
    }
    return CPropertyPage::eventFilter(watched, event);
}

}  // namespace quorrel
