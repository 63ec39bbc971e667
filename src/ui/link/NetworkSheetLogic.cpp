#include "ui/link/NetworkSheetLogic.h"

#include "receiver/CGnssReceiver.h"
#include "ui/kit/Resources.h"
#include "ui/kit/StringIds.h"
#include "ui/link/HistoryLayout.h"

namespace quorrel {
namespace {

constexpr std::int32_t kHighestPort = 65535;
constexpr std::size_t kBytesPerKilobyte = 1024;

}  // namespace

std::int32_t portFromText(const QString& text) {
    bool ok = false;
    const int port = text.trimmed().toInt(&ok, 10);
    return ok && port >= 0 && port <= kHighestPort ? port : 0;
}

QString portText(std::int32_t port) {
    return QString::number(port);
}

HistoryEntry gprsHistoryEntry(const NetworkValues& values) {
    HistoryEntry entry;
    entry.setText(GprsField::Pin, values.gprsPin);
    entry.setText(GprsField::AccessPoint, values.gprsAccessPoint);
    entry.setText(GprsField::Login, values.gprsLogin);
    entry.setText(GprsField::Password, values.gprsPassword);
    return entry;
}

HistoryEntry directIpHistoryEntry(const NetworkValues& values) {
    HistoryEntry entry;
    entry.setText(DirectIpField::Host, values.ipAddress);
    entry.setNumber(DirectIpField::Port, values.ipPort);
    return entry;
}

HistoryEntry ntripHistoryEntry(const NetworkValues& values) {
    HistoryEntry entry;
    entry.setText(NtripField::Host, values.ntripAddress);
    entry.setNumber(NtripField::Port, values.ntripPort);
    entry.setText(NtripField::Login, values.ntripLogin);
    entry.setText(NtripField::Password, values.ntripPassword);
    entry.setText(NtripField::MountPoint, values.ntripMountPoint);
    return entry;
}

BrowseRequest browseRequest(const NetworkValues& sheet, bool externalReceiver,
                            const CasterFields& fields) {
    BrowseRequest request;
    request.caster = {fields.host.toStdU16String(), portFromText(fields.port),
                      fields.login.toStdU16String(), fields.password.toStdU16String()};
    request.externalReceiver = externalReceiver;
    request.gprs = {sheet.gprsPin.toStdU16String(), sheet.gprsAccessPoint.toStdU16String(),
                    sheet.gprsLogin.toStdU16String(), sheet.gprsPassword.toStdU16String()};
    return request;
}

QString tableProgressText(std::size_t bytes, std::size_t stations) {
    return resText(kStrTableProgress)
        .arg(qulonglong(bytes / kBytesPerKilobyte))
        .arg(qulonglong(stations));
}

BrowseOutcome loadStations(CGnssReceiver& receiver, SourceTableBrowse& browse,
                           const BrowseRequest& request, StationList& stations,
                           const std::function<void(const QString&)>& progress) {
    receiver.setSourceTableObserver([&progress](const SourceTableProgress& table) {
        progress(tableProgressText(table.bytes, table.stations));
    });
    const BrowseOutcome outcome = browse.load(request, stations);
    receiver.setSourceTableObserver({});
    return outcome;
}

}  // namespace quorrel
