#include "app/CAboutQuorrel.h"

#include <QLabel>

#include "app/ProgramVersion.h"
#include "ui/kit/DialogUnits.h"
#include "ui/kit/ReceiverWorker.h"
#include "ui/kit/Resources.h"
#include "ui/kit/ScreenContext.h"
#include "ui/kit/StringIds.h"

namespace quorrel {
namespace {

constexpr int kProgramIconId = 184;
constexpr int kWidthDu = 156;
constexpr int kHeightDu = 129;
constexpr int kLineHeightDu = 10;

}  // namespace

CAboutQuorrel::CAboutQuorrel(const ScreenContext& context, QWidget* parent) : QDialog(parent) {
    m_content = formatAbout(context.worker.run(askAbout), GetProgramFileVersion());
    setWindowTitle(resText(kStrAboutCaption));
    const DialogUnits du(font());
    setFixedSize(du.size(kWidthDu, kHeightDu));

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("programIcon"));
    icon->setGeometry(du.rect(12, 15, 20, 20));
    icon->setAlignment(Qt::AlignCenter);
    icon->setPixmap(Resources::instance().icon(kProgramIconId).pixmap(icon->size()));

    addLabel(50, 10, 100, resText(kStrAppTitle))->setObjectName(QStringLiteral("programName"));
    addLabel(50, 22, 100, m_content.programVersion)
        ->setObjectName(QStringLiteral("programVersion"));

    const struct {
        int y;
        const char* name;
        QString text;
    } receiverLines[] = {
        {54, "serviceLabel", resText(kStrGnssService)},
        {66, "serviceVersion", m_content.serviceVersion},
        {78, "gnssFirmware", m_content.gnssFirmware},
        {90, "systemFirmware", m_content.systemFirmware},
    };
    for (const auto& line : receiverLines) {
        QLabel* label = addLabel(12, line.y, 140, line.text);
        label->setObjectName(QLatin1String(line.name));
        label->setVisible(m_content.receiverLinesVisible);
    }
    QLabel* serial = addLabel(12, 102, 140, m_content.serialNumber);
    serial->setObjectName(QStringLiteral("serialNumber"));
    serial->setVisible(m_content.serialNumberVisible);
}

QLabel* CAboutQuorrel::addLabel(int x, int y, int width, const QString& text) {
    const DialogUnits du(font());
    auto* label = new QLabel(text, this);
    label->setGeometry(du.rect(x, y, width, kLineHeightDu));
    return label;
}

}  // namespace quorrel
