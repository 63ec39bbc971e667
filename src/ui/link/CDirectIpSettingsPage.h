#pragma once

#include "ui/kit/CPropertyPage.h"
#include "ui/link/DiffLinkValues.h"

class QComboBox;
class QLineEdit;

namespace quorrel {

class ConnectionHistory;

// "Direct IP": the correction server's host and port, with the servers used before.
class CDirectIpSettingsPage : public CPropertyPage {
    Q_OBJECT

public:
    // `values` and `history` belong to the sheet and outlive the page.
    CDirectIpSettingsPage(NetworkValues& values, ConnectionHistory& history,
                          QWidget* parent = nullptr);

    QComboBox* hostList() const { return m_host; }
    QLineEdit* portField() const { return m_port; }

protected:
    void onInitPage() override;
    bool onApply() override;

private:
    void picked(const QString& host);

    NetworkValues& m_values;
    ConnectionHistory& m_history;
    QComboBox* m_host;
    QLineEdit* m_port;
};

}  // namespace quorrel
