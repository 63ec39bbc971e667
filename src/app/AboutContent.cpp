#include "app/AboutContent.h"

#include <string>

#include "app/core/Resources.h"
#include "app/core/StringIds.h"
#include "receiver/CGnssReceiver.h"

namespace quorrel {
namespace {

// A translated format without "%1" still shows; its value is simply left out.
QString format(int textId, const QString& value) {
    return resText(textId).replace(QLatin1String("%1"), value);
}

}  // namespace

AboutContent readAboutContent(CGnssReceiver* receiver, const QString& programVersion) {
    AboutContent content;
    content.programVersion = format(kStrVersion, programVersion);
    if (!receiver) return content;

    std::u16string gnss, system, version;
    if (!receiver->QueryVersion(gnss, system, version)) {
        // A receiver that did not answer counts as one that cannot be asked for its serial
        // number, rather than keeping the box waiting a second time.
        return content;
    }
    content.receiverLinesVisible = true;
    content.gnssFirmware = format(kStrGnssFirmware, QString::fromStdU16String(gnss));
    content.systemFirmware = format(kStrSystemFirmware, QString::fromStdU16String(system));
    content.serviceVersion = format(kStrVersion, QString::fromStdU16String(version));

    std::string number;
    switch (receiver->QuerySerialNumber(number)) {
        case SerialNumberAnswer::NotAsked:
            break;
        case SerialNumberAnswer::Unknown:
            content.serialNumberVisible = true;
            content.serialNumber = resText(kStrSerialNumberLabel);
            break;
        case SerialNumberAnswer::Known:
            content.serialNumberVisible = true;
            content.serialNumber = format(
                kStrSerialNumber, QString::fromLatin1(number.data(), qsizetype(number.size())));
            break;
    }
    return content;
}

}  // namespace quorrel
