#include "app/CMainMenuDlg.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QListWidget>
#include <QVBoxLayout>
#include <chrono>
#include <thread>

#include "app/CAboutQuorrel.h"
#include "app/FeatureItemDelegate.h"
#include "app/MenuActions.h"
#include "receiver/CGnssReceiver.h"
#include "ui/kit/ConnectionLostBar.h"
#include "ui/kit/DialogUnits.h"
#include "ui/kit/ImageStrip.h"
#include "ui/kit/LinkMonitor.h"
#include "ui/kit/ReceiverWorker.h"
#include "ui/kit/Resources.h"
#include "ui/kit/StringIds.h"
#include "ui/kit/UserPrompts.h"

namespace quorrel {
namespace {

constexpr int kWindowIconId = 128;
constexpr int kFeatureStripId = 172;
constexpr int kIconSize = 32;
constexpr int kWidthDu = 156;
constexpr int kHeightDu = 174;

}  // namespace

CMainMenuDlg::CMainMenuDlg(const ScreenContext& context, MainMenuFeatures features, QWidget* parent)
    : QDialog(parent),
      m_context(context),
      m_model(context.deviceClass),
      m_features(std::move(features)) {
    setWindowIcon(Resources::instance().icon(kWindowIconId));
    setWindowTitle(resText(kStrAppTitle));
    const DialogUnits du(font());
    resize(du.size(kWidthDu, kHeightDu));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, du.y(9), 0, 0);
    layout->setSpacing(0);
    m_banner = new ConnectionLostBar(m_context.link, ConnectionLostBar::Button::Reconnect, this);
    connect(m_banner, &ConnectionLostBar::reconnectClicked, this, &CMainMenuDlg::reconnect);
    layout->addWidget(m_banner);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("featureList"));
    m_list->setViewMode(QListView::IconMode);
    m_list->setIconSize(QSize(kIconSize, kIconSize));
    m_list->setMovement(QListView::Static);
    m_list->setResizeMode(QListView::Adjust);
    m_list->setWordWrap(true);
    m_list->setGridSize(du.size(50, 40));
    m_list->setItemDelegate(new FeatureItemDelegate(m_list->gridSize(), m_list));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->installEventFilter(this);
    layout->addWidget(m_list);
    fillList();

    connect(m_list, &QListWidget::itemSelectionChanged, this, [this] {
        const QList<QListWidgetItem*> selected = m_list->selectedItems();
        if (!selected.isEmpty()) m_selectionMark = m_list->row(selected.first());
    });
    connect(m_list, &QListWidget::itemClicked, this, [this] { activateSelection(); });
}

CMainMenuDlg::~CMainMenuDlg() = default;

void CMainMenuDlg::setTimings(const AppTimings& timings) {
    m_timings = timings;
}

void CMainMenuDlg::fillList() {
    const QList<QIcon> icons = iconsFromStrip(Resources::instance().bitmap(kFeatureStripId),
                                              kIconSize, MainMenuModel::kMaxEntries);
    for (const MenuEntry& entry : m_model.entries()) {
        const int index = static_cast<int>(entry.feature) - 1;
        auto* item = new QListWidgetItem(resText(entry.textId), m_list);
        if (index < icons.size()) item->setIcon(icons[index]);
        item->setTextAlignment(Qt::AlignHCenter | Qt::AlignTop);
    }
}

bool CMainMenuDlg::isConnectionLostShown() const {
    return !m_banner->isHidden();
}

void CMainMenuDlg::reconnect() {
    if (m_reconnect && m_reconnect()) {
        m_context.link.linkUp();
        return;
    }
    m_context.prompts.tell(resText(kStrCannotConnectGps));
}

bool CMainMenuDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            activateSelection();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CMainMenuDlg::activateSelection() {
    Feature feature;
    if (m_model.featureAt(m_selectionMark, feature)) performFeature(feature);
}

void CMainMenuDlg::performFeature(Feature feature) {
    switch (feature) {
        case Feature::GnssSettings:
            runSheet(m_features.gnssSettings);
            break;
        case Feature::DifferentialMode:
            runDifferentialMode();
            break;
        case Feature::NmeaOutput:
            runSheet(m_features.nmeaOutput);
            break;
        case Feature::GnssStatus:
            runSheet(m_features.gnssStatus);
            break;
        case Feature::Reset:
            MenuActions(m_context.worker, m_context.prompts).reset(m_settings.isExternalGps);
            break;
        case Feature::TroubleShooting:
            runSheet(m_features.troubleShooting);
            break;
        case Feature::About: {
            CAboutQuorrel about(m_context, this);
            about.exec();
            break;
        }
        case Feature::TurnOffGnss:
            turnOffGnss();
            break;
    }
}

void CMainMenuDlg::runSheet(const SheetAction& action) {
    if (action) action(this, m_context);
}

void CMainMenuDlg::runDifferentialMode() {
    if (!m_features.differentialMode) return;
    AppSettings values = differentialModeInput(m_settings);
    if (m_features.differentialMode(this, m_context, values))
        takeDifferentialModeResult(m_settings, values);
}

void CMainMenuDlg::turnOffGnss() {
    using Result = MenuActions::PowerOffResult;
    if (MenuActions(m_context.worker, m_context.prompts).powerOff() != Result::Done) return;
    // The receiver needs a moment to power down before the link is closed; the worker waits
    // so that the window keeps painting.
    const std::chrono::milliseconds settle(m_timings.powerOffCloseMs);
    m_context.worker.run([settle](CGnssReceiver&) { std::this_thread::sleep_for(settle); });
    accept();
}

void CMainMenuDlg::done(int result) {
    QDialog::done(result);
    if (m_receiverClosed) return;
    m_receiverClosed = true;
    m_context.link.linkDown();
    m_context.worker.run([](CGnssReceiver& receiver) { receiver.Close(); });
}

void CMainMenuDlg::closeEvent(QCloseEvent* event) {
    // The title bar's button is the menu's OK.
    if (isVisible()) accept();
    event->accept();
}

}  // namespace quorrel
