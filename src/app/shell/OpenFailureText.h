#pragma once

#include <QString>

#include "receiver/CGnssReceiver.h"

namespace quorrel {

// The line a terminal user sees on standard error when the receiver on `device` could not be
// opened: the device and the reason, with a hint when the user can do something about it.
// Empty for a search the user cancelled. `program` heads the line.
QString openFailureLine(const QString& device, OpenFailure failure, const QString& detail,
                        const QString& program = QStringLiteral("gnss-quorrel"));

// The line a second copy of the program prints before it ends.
QString alreadyRunningLine();

}  // namespace quorrel
