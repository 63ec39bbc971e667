#include "app/CMainMenuDlg.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/CAboutQuorrel.h"
#include "app/FeatureItemDelegate.h"
#include "app/MenuActions.h"
#include "app/core/DialogUnits.h"
#include "app/core/ImageStrip.h"
#include "app/core/Resources.h"
#include "app/core/StringIds.h"
#include "app/core/UserPrompts.h"
#include "receiver/CGnssReceiver.h"

namespace quorrel {
namespace {

constexpr int kWindowIconId = 128;
constexpr int kFeatureStripId = 172;
constexpr int kIconSize = 32;
constexpr int kWidthDu = 156;
constexpr int kHeightDu = 174;

}  // namespace

CMainMenuDlg::CMainMenuDlg(CGnssReceiver& receiver, DeviceClass deviceClass,
                           MainMenuFeatures features, QWidget* parent)
    : QDialog(parent), m_receiver(receiver), m_model(deviceClass), m_features(std::move(features)) {
    setWindowIcon(Resources::instance().icon(kWindowIconId));
    setWindowTitle(resText(kStrAppTitle));
    const DialogUnits du(font());
    resize(du.size(kWidthDu, kHeightDu));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, du.y(9), 0, 0);
    layout->setSpacing(0);
    buildConnectionBanner();
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
    connect(&m_connectionTimer, &QTimer::timeout, this, &CMainMenuDlg::checkConnection);
    m_connectionTimer.start(m_timings.connectionPollMs);
}

CMainMenuDlg::~CMainMenuDlg() = default;

void CMainMenuDlg::setTimings(const AppTimings& timings) {
    m_timings = timings;
    m_connectionTimer.start(m_timings.connectionPollMs);
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

void CMainMenuDlg::buildConnectionBanner() {
    m_banner = new QFrame(this);
    m_banner->setObjectName(QStringLiteral("connectionLost"));
    m_banner->setFrameShape(QFrame::StyledPanel);
    auto* row = new QHBoxLayout(m_banner);
    auto* text = new QLabel(resText(kStrConnectionLost), m_banner);
    text->setWordWrap(true);
    auto* button = new QPushButton(resText(kStrReconnect), m_banner);
    button->setObjectName(QStringLiteral("reconnect"));
    button->setAutoDefault(false);
    row->addWidget(text, 1);
    row->addWidget(button);
    connect(button, &QPushButton::clicked, this, &CMainMenuDlg::reconnect);
    m_banner->hide();
}

bool CMainMenuDlg::isConnectionLostShown() const {
    return !m_banner->isHidden();
}

void CMainMenuDlg::checkConnection() {
    if (m_receiverClosed || isConnectionLostShown()) return;
    if (!m_receiver.IsConnected()) m_banner->show();
}

void CMainMenuDlg::reconnect() {
    const bool connected = m_reconnect && m_reconnect();
    if (connected) {
        m_banner->hide();
        return;
    }
    UserPrompts::current().tell(resText(kStrCannotConnectGps));
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
            MenuActions(m_receiver, UserPrompts::current()).reset(m_settings.isExternalGps);
            break;
        case Feature::TroubleShooting:
            runSheet(m_features.troubleShooting);
            break;
        case Feature::About: {
            CAboutQuorrel about(&m_receiver, this);
            about.exec();
            break;
        }
        case Feature::TurnOffGnss:
            turnOffGnss();
            break;
    }
}

void CMainMenuDlg::runSheet(const SheetAction& action) {
    if (action) action(this, m_receiver);
}

void CMainMenuDlg::runDifferentialMode() {
    if (!m_features.differentialMode) return;
    AppSettings values = differentialModeInput(m_settings);
    if (m_features.differentialMode(this, m_receiver, values))
        takeDifferentialModeResult(m_settings, values);
}

void CMainMenuDlg::turnOffGnss() {
    using Result = MenuActions::PowerOffResult;
    if (MenuActions(m_receiver, UserPrompts::current()).powerOff() != Result::Done) return;
    {
        // The receiver needs a moment to power down before the link is closed.
        BusyCursor busy;
        QEventLoop wait;
        QTimer::singleShot(m_timings.powerOffCloseMs, &wait, &QEventLoop::quit);
        wait.exec(QEventLoop::ExcludeUserInputEvents);
    }
    accept();
}

void CMainMenuDlg::done(int result) {
    m_connectionTimer.stop();
    QDialog::done(result);
    if (m_receiverClosed) return;
    m_receiverClosed = true;
    BusyCursor busy;
    m_receiver.Close();
}

void CMainMenuDlg::closeEvent(QCloseEvent* event) {
    // The title bar's button is the menu's OK.
    if (isVisible()) accept();
    event->accept();
}

}  // namespace quorrel
