#include "ui/kit/ImageStrip.h"

#include <QPixmap>

namespace quorrel {

QImage withTransparentKey(const QImage& image, QRgb key) {
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            if ((line[x] & 0x00FFFFFFu) == (key & 0x00FFFFFFu)) line[x] = 0;
        }
    }
    return out;
}

QList<QIcon> iconsFromStrip(const QImage& strip, int width, int count, QRgb key) {
    QList<QIcon> icons;
    if (width <= 0) return icons;
    const QImage keyed = withTransparentKey(strip, key);
    for (int i = 0; i < count && (i + 1) * width <= keyed.width(); ++i)
        icons << QIcon(QPixmap::fromImage(keyed.copy(i * width, 0, width, keyed.height())));
    return icons;
}

}  // namespace quorrel
