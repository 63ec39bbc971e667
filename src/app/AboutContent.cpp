#include "app/AboutContent.h"

#include "ui/kit/Resources.h"
#include "ui/kit/StringIds.h"

namespace quorrel {
namespace {

// A translated format without "%1" still shows; its value is simply left out.
QString format(int textId, const QString& value) {
    return resText(textId).replace(QLatin1String("%1"), value);
}

}  // namespace

AboutAnswers askAbout(CGnssReceiver& receiver) {
    AboutAnswers answers;
    // A receiver that did not answer counts as one that cannot be asked for its serial
    // number, rather than keeping the box waiting a second time.
    answers.versionAnswered = receiver.QueryVersion(answers.gnssFirmware, answers.systemFirmware,
                                                    answers.receiverVersion);
    if (answers.versionAnswered) answers.serial = receiver.QuerySerialNumber(answers.serialNumber);
    return answers;
}

AboutContent formatAbout(const AboutAnswers& answers, const QString& programVersion) {
    AboutContent content;
    content.programVersion = format(kStrVersion, programVersion);
    if (!answers.versionAnswered) return content;
    content.receiverLinesVisible = true;
    content.gnssFirmware =
        format(kStrGnssFirmware, QString::fromStdU16String(answers.gnssFirmware));
    content.systemFirmware =
        format(kStrSystemFirmware, QString::fromStdU16String(answers.systemFirmware));
    content.serviceVersion =
        format(kStrVersion, QString::fromStdU16String(answers.receiverVersion));
    switch (answers.serial) {
        case SerialNumberAnswer::NotAsked:
            break;
        case SerialNumberAnswer::Unknown:
            content.serialNumberVisible = true;
            content.serialNumber = resText(kStrSerialNumberLabel);
            break;
        case SerialNumberAnswer::Known:
            content.serialNumberVisible = true;
            content.serialNumber = format(
                kStrSerialNumber, QString::fromLatin1(answers.serialNumber.data(),
                                                      qsizetype(answers.serialNumber.size())));
            break;
    }
    return content;
}

}  // namespace quorrel
