#pragma once

#include <QIcon>
#include <QImage>
#include <QList>

namespace quorrel {

// Magenta marks the transparent pixels of the program's bitmaps.
constexpr QRgb kTransparentKey = qRgb(255, 0, 255);

// Cuts a horizontal strip of images `width` pixels wide into icons, the key colour made
// transparent. A strip narrower than `count` images gives fewer icons.
QList<QIcon> iconsFromStrip(const QImage& strip, int width, int count, QRgb key = kTransparentKey);

// The image with every pixel of the key colour made transparent.
QImage withTransparentKey(const QImage& image, QRgb key = kTransparentKey);

}  // namespace quorrel
