#pragma once

#include <QString>
#include <QStringList>

#include "ui/link/DiffLinkValues.h"

namespace quorrel {

// The serial-port page without its widgets: its two lists, and how the sheet's values
// select their items and come back from them.
class PortSettingsLogic {
public:
    // "COM1" … "COM9".
    static QStringList portItems();
    // "300" … "115200": a row is the receiver's baud code.
    static QStringList baudItems();

    // The port row `portName` selects: the first item beginning with it, letter case
    // ignored, searched from the second item on and then the first; "COM1" when the name is
    // empty, -1 when no item matches.
    static int portRow(const QString& portName);
    // The baud row of `baudIndex`; -1 when it is outside the list.
    static int baudRow(int baudIndex);
    // The sheet's values from the selected rows: an empty name without a port, -1 without a
    // baud rate.
    static PortValues valuesFor(int portRow, int baudRow);
};

}  // namespace quorrel
