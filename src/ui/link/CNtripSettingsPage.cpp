#include "ui/link/CNtripSettingsPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

#include "receiver/CGnssReceiver.h"
#include "receiver/SourceTableBrowse.h"
#include "receiver/StationList.h"
#include "ui/kit/ReceiverWorker.h"
#include "ui/kit/Resources.h"
#include "ui/kit/StringIds.h"
#include "ui/kit/UserPrompts.h"
#include "ui/link/CNtripStationDialog.h"
#include "ui/link/ConnectionHistory.h"
#include "ui/link/HistoryChoices.h"
#include "ui/link/HistoryCombo.h"
#include "ui/link/NetworkSheetLogic.h"

namespace quorrel {

CNtripSettingsPage::CNtripSettingsPage(const ScreenContext& context, NetworkValues& values,
                                       bool externalReceiver, ConnectionHistory& history,
                                       QWidget* parent)
    : CPropertyPage(resText(kStrNtripPage), parent),
      m_context(context),
      m_values(values),
      m_externalReceiver(externalReceiver),
      m_history(history),
      m_host(makeHistoryCombo(history, this)),
      m_port(new QLineEdit(this)),
      m_login(new QLineEdit(this)),
      m_password(new QLineEdit(this)),
      m_network(new QComboBox(this)),
      m_station(new QLineEdit(this)),
      m_browse(new QPushButton(resText(kStrBrowseButton), this)),
      m_sendPosition(new QCheckBox(resText(kStrSendPosition), this)) {
    auto* form = new QFormLayout(this);
    form->addRow(resText(kStrHostLabel), m_host);
    form->addRow(resText(kStrPortLabel), m_port);
    form->addRow(resText(kStrLoginLabel), m_login);
    form->addRow(resText(kStrPasswordLabel), m_password);
    form->addRow(resText(kStrNetworkLabel), m_network);
    // The receiver has no choice of network: the row stays hidden and leaves no gap.
    form->setRowVisible(m_network, false);
    auto* station = new QHBoxLayout;
    station->addWidget(m_station, 1);
    station->addWidget(m_browse);
    form->addRow(resText(kStrStationLabel), station);
    form->addRow(m_sendPosition);
    connect(m_host, &QComboBox::textActivated, this, &CNtripSettingsPage::picked);
    connect(m_browse, &QPushButton::clicked, this, &CNtripSettingsPage::browse);
}

void CNtripSettingsPage::onInitPage() {
    m_host->setEditText(m_values.ntripAddress);
    m_port->setText(portText(m_values.ntripPort));
    m_login->setText(m_values.ntripLogin);
    m_password->setText(m_values.ntripPassword);
    m_station->setText(m_values.ntripMountPoint);
    m_sendPosition->setChecked(m_values.sendPosition);
}

void CNtripSettingsPage::picked(const QString& host) {
    const HistoryEntry* entry = findHistoryEntry(m_history.entries(), m_history.layout(), host);
    if (!entry) return;
    m_port->setText(portText(entry->number(NtripField::Port)));
    m_login->setText(entry->text(NtripField::Login));
    m_password->setText(entry->text(NtripField::Password));
    m_station->setText(entry->text(NtripField::MountPoint));
}

bool CNtripSettingsPage::onApply() {
    m_values.sendPosition = m_sendPosition->isChecked();
    m_values.ntripAddress = m_host->currentText();
    m_values.ntripPort = portFromText(m_port->text());
    m_values.ntripLogin = m_login->text();
    m_values.ntripPassword = m_password->text();
    m_values.ntripMountPoint = m_station->text();
    if (!m_values.ntripAddress.isEmpty()) m_history.add(ntripHistoryEntry(m_values));
    return true;
}

void CNtripSettingsPage::browse() {
    const BrowseRequest request =
        browseRequest(m_values, m_externalReceiver,
                      {m_host->currentText(), m_port->text(), m_login->text(), m_password->text()});
    ReceiverWorker& worker = m_context.worker;
    SourceTableBrowse browse(worker.receiver());
    StationList stations;
    const auto progress = [&worker](const QString& text) { worker.setProgress(text); };
    const BrowseOutcome outcome = worker.run([&](CGnssReceiver& receiver) {
        return loadStations(receiver, browse, request, stations, progress);
    });
    if (outcome == BrowseOutcome::NotContacted) return;
    if (outcome == BrowseOutcome::Failed)
        m_context.prompts.tell(resText(kStrLoadSourceTableFailed));
    else
        chooseStation(stations);
    worker.run([&browse](CGnssReceiver&) { browse.restore(); });
}

void CNtripSettingsPage::chooseStation(const StationList& stations) {
    PositionRecord position;
    const bool read = m_context.receiver.GetPosition(position);
    CNtripStationDialog dialog(stations, referencePosition(read, position), QLocale(), this);
    if (dialog.exec() != QDialog::Accepted || dialog.resultMountPoint().isEmpty()) return;
    m_station->setText(dialog.resultMountPoint());
    m_sendPosition->setChecked(dialog.resultNmea() == 1);
}

}  // namespace quorrel
