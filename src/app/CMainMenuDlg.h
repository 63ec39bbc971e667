#pragma once

#include <QDialog>
#include <functional>

#include "app/AppTimings.h"
#include "app/MainMenuFeatures.h"
#include "app/MainMenuModel.h"
#include "ui/kit/AppSettings.h"
#include "ui/kit/ScreenContext.h"

class QListWidget;

namespace quorrel {

class ConnectionLostBar;

// The program's only top-level window: one icon per feature. A click or Enter on an entry
// performs its feature. The title bar's close button ends the menu with OK, Escape with
// Cancel; either way the receiver is closed as the menu ends. A lost link shows a bar with
// Reconnect at once, also while a sheet is open over the menu.
class CMainMenuDlg : public QDialog {
    Q_OBJECT
public:
    CMainMenuDlg(const ScreenContext& context, MainMenuFeatures features,
                 QWidget* parent = nullptr);
    ~CMainMenuDlg() override;

    // The settings copy: given before the menu runs, taken back when it ends with OK.
    void setSettings(const AppSettings& settings) { m_settings = settings; }
    const AppSettings& settings() const { return m_settings; }
    void setTimings(const AppTimings& timings);
    // How the program reconnects after the link was lost; true when connected again.
    void setReconnect(std::function<bool()> reconnect) { m_reconnect = std::move(reconnect); }

    QListWidget* featureList() const { return m_list; }
    // The position of the most recently selected entry (-1 before any).
    int selectionMark() const { return m_selectionMark; }
    // Performs the feature of the selection mark's entry, if any.
    void activateSelection();
    void performFeature(Feature feature);
    bool isConnectionLostShown() const;

    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void fillList();
    void reconnect();
    void turnOffGnss();
    void runDifferentialMode();
    void runSheet(const SheetAction& action);

    ScreenContext m_context;
    MainMenuModel m_model;
    MainMenuFeatures m_features;
    AppSettings m_settings;
    AppTimings m_timings;
    std::function<bool()> m_reconnect;
    QListWidget* m_list = nullptr;
    ConnectionLostBar* m_banner = nullptr;
    int m_selectionMark = -1;
    bool m_receiverClosed = false;
};

}  // namespace quorrel
