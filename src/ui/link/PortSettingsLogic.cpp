#include "ui/link/PortSettingsLogic.h"

#include "receiver/ReceiverTypes.h"

namespace quorrel {

QStringList PortSettingsLogic::portItems() {
    QStringList items;
    for (int number = 1; number <= 9; ++number)
        items << QStringLiteral("COM%1").arg(number);
    return items;
}

QStringList PortSettingsLogic::baudItems() {
    QStringList items;
    for (const std::uint32_t rate : kBaudRates)
        items << QString::number(rate);
    return items;
}

int PortSettingsLogic::portRow(const QString& portName) {
    if (portName.isEmpty()) return 0;
    const QStringList items = portItems();
    for (int step = 1; step <= items.size(); ++step) {
        const int row = step % items.size();
        if (items[row].startsWith(portName, Qt::CaseInsensitive)) return row;
    }
    return -1;
}

int PortSettingsLogic::baudRow(int baudIndex) {
    return baudIndex >= 0 && baudIndex < static_cast<int>(kBaudRates.size()) ? baudIndex : -1;
}

PortValues PortSettingsLogic::valuesFor(int portRow, int baudRow) {
    const QStringList items = portItems();
    PortValues values;
    values.portName = portRow >= 0 && portRow < items.size() ? items[portRow] : QString();
    values.baudIndex = baudRow;
    return values;
}

}  // namespace quorrel
