#pragma once

#include <QFont>
#include <QRect>

namespace quorrel {

// Converts dialog-template units to pixels for a font: a horizontal unit is a quarter of the
// font's average character width, a vertical unit an eighth of its height, so templates
// keep their proportions whatever font the desktop uses.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);

    int x(int units) const;
    int y(int units) const;
    QRect rect(int x, int y, int width, int height) const;
    QSize size(int width, int height) const;

private:
    int m_baseX;
    int m_baseY;
};

}  // namespace quorrel
