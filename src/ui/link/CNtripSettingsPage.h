#pragma once

#include "ui/kit/CPropertyPage.h"
#include "ui/kit/ScreenContext.h"
#include "ui/link/DiffLinkValues.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace quorrel {

class ConnectionHistory;
class StationList;

// "NTRIP": the caster's address and access, the station (mount point), which "Browse..."
// picks from the caster's source table, and whether the rover's position goes to the caster.
class CNtripSettingsPage : public CPropertyPage {
    Q_OBJECT

public:
    // `values` and `history` belong to the sheet and outlive the page.
    CNtripSettingsPage(const ScreenContext& context, NetworkValues& values, bool externalReceiver,
                       ConnectionHistory& history, QWidget* parent = nullptr);

    // Prepares the modem, loads the caster's table, lets the user pick a station and puts
    // the receiver's own caster settings back.
    void browse();

    QComboBox* hostList() const { return m_host; }
    QLineEdit* portField() const { return m_port; }
    QLineEdit* loginField() const { return m_login; }
    QLineEdit* passwordField() const { return m_password; }
    QLineEdit* stationField() const { return m_station; }
    QPushButton* browseButton() const { return m_browse; }
    QCheckBox* sendPositionBox() const { return m_sendPosition; }

protected:
    void onInitPage() override;
    bool onApply() override;

private:
    void picked(const QString& host);
    // The station dialog over the loaded table; the station picked, if any, goes in.
    void chooseStation(const StationList& stations);

    ScreenContext m_context;
    NetworkValues& m_values;
    bool m_externalReceiver;
    ConnectionHistory& m_history;
    QComboBox* m_host;
    QLineEdit* m_port;
    QLineEdit* m_login;
    QLineEdit* m_password;
    QComboBox* m_network;
    QLineEdit* m_station;
    QPushButton* m_browse;
    QCheckBox* m_sendPosition;
};

}  // namespace quorrel
