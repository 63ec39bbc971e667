#include "ui/kit/DialogUnits.h"

#include <QFontMetrics>

namespace quorrel {

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    const int alphabet = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    m_baseX = qMax(1, (alphabet / 26 + 1) / 2);
    m_baseY = qMax(1, metrics.height());
}

int DialogUnits::x(int units) const {
    return units * m_baseX / 4;
}

int DialogUnits::y(int units) const {
    return units * m_baseY / 8;
}

QRect DialogUnits::rect(int left, int top, int width, int height) const {
    return QRect(x(left), y(top), x(width), y(height));
}

QSize DialogUnits::size(int width, int height) const {
    return QSize(x(width), y(height));
}

}  // namespace quorrel
