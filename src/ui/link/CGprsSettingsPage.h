#pragma once

#include "ui/kit/CPropertyPage.h"
#include "ui/link/DiffLinkValues.h"

class QComboBox;
class QLineEdit;

namespace quorrel {

class ConnectionHistory;

// "GPRS": the SIM's access data, with the access points used before in a list.
class CGprsSettingsPage : public CPropertyPage {
    Q_OBJECT

public:
    // `values` and `history` belong to the sheet and outlive the page.
    CGprsSettingsPage(NetworkValues& values, ConnectionHistory& history, QWidget* parent = nullptr);

    QComboBox* accessPointList() const { return m_accessPoint; }
    QLineEdit* loginField() const { return m_login; }
    QLineEdit* passwordField() const { return m_password; }
    QLineEdit* pinField() const { return m_pin; }

protected:
    void onInitPage() override;
    bool onKillActive() override;
    bool onApply() override;

private:
    void picked(const QString& accessPoint);
    void store();

    NetworkValues& m_values;
    ConnectionHistory& m_history;
    QComboBox* m_accessPoint;
    QLineEdit* m_login;
    QLineEdit* m_password;
    QLineEdit* m_pin;
};

}  // namespace quorrel
