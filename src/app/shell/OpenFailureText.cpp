#include "app/shell/OpenFailureText.h"

namespace quorrel {
namespace {

const QString kProgram = QStringLiteral("gnss-quorrel: ");

}  // namespace

QString openFailureLine(const QString& device, OpenFailure failure, const QString& detail,
                        const QString& program) {
    const QString head = program + QStringLiteral(": ");
    switch (failure) {
        case OpenFailure::Cancelled:
            return {};
        case OpenFailure::NoSuchDevice:
            return head + QStringLiteral("cannot open %1: no such device").arg(device);
        case OpenFailure::PermissionDenied:
            return head + QStringLiteral(
                              "cannot open %1: permission denied (serial devices "
                              "belong to the dialout group: "
                              "sudo usermod -aG dialout $USER, then log in again)")
                              .arg(device);
        case OpenFailure::Busy:
            return head +
                   QStringLiteral("cannot open %1: the device is busy (another program uses it)")
                       .arg(device);
        case OpenFailure::NoAnswer:
            return head + QStringLiteral("no receiver answers on %1 at any baud rate").arg(device);
        case OpenFailure::Other:
            if (!detail.isEmpty())
                return head + QStringLiteral("cannot open %1: %2").arg(device, detail);
            break;
        case OpenFailure::None:
            break;
    }
    return head + QStringLiteral("cannot connect to the receiver on %1").arg(device);
}

QString alreadyRunningLine() {
    return kProgram + QStringLiteral("GNSS Quorrel is already running; this copy ends");
}

}  // namespace quorrel
