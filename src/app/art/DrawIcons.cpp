// Draws the program's icon artwork once; the PNGs it writes are checked in under
// src/ui/kit/images/. Usage: quorrel-draw-icons <images folder>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <cstdio>
#include <functional>

namespace {

constexpr QRgb kMagenta = qRgb(255, 0, 255);
constexpr int kSize = 32;
constexpr int kScale = 4;  // drawn 4× larger, then reduced, for smooth interiors

using Drawing = std::function<void(QPainter&)>;

QPen pen(const QColor& color, double width) {
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// Renders a drawing on transparency at kScale and reduces it to 32×32.
QImage render(const Drawing& draw) {
    QImage big(kSize * kScale, kSize * kScale, QImage::Format_ARGB32_Premultiplied);
    big.fill(Qt::transparent);
    QPainter painter(&big);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(kScale, kScale);
    draw(painter);
    painter.end();
    return big.scaled(kSize, kSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_ARGB32);
}

// Edge pixels become either solid or magenta: the strip's transparency is one colour.
QImage onMagenta(const QImage& art) {
    QImage out(art.size(), QImage::Format_RGB32);
    for (int y = 0; y < art.height(); ++y) {
        for (int x = 0; x < art.width(); ++x) {
            const QRgb p = art.pixel(x, y);
            out.setPixel(x, y, qAlpha(p) < 128 ? kMagenta : qRgb(qRed(p), qGreen(p), qBlue(p)));
        }
    }
    return out;
}

void drawGear(QPainter& p) {
    QPainterPath gear;
    gear.setFillRule(Qt::WindingFill);
    const QPointF c(16, 16);
    for (int i = 0; i < 8; ++i) {
        QPainterPath tooth;
        tooth.addRoundedRect(QRectF(-3, -14, 6, 8), 1, 1);
        gear.addPath(QTransform().translate(c.x(), c.y()).rotate(i * 45).map(tooth));
    }
    gear.addEllipse(c, 10, 10);
    gear = gear.simplified();
    QPainterPath hole;
    hole.addEllipse(c, 4, 4);
    p.setPen(pen(QColor(40, 44, 52), 1.2));
    p.setBrush(QColor(128, 136, 150));
    p.drawPath(gear.subtracted(hole));
    p.setBrush(QColor(30, 110, 200));
    p.setPen(Qt::NoPen);
    p.drawEllipse(c, 2.5, 2.5);
}

void drawBaseStation(QPainter& p) {
    p.setPen(pen(QColor(60, 60, 70), 2));
    p.drawLine(QPointF(16, 12), QPointF(9, 30));
    p.drawLine(QPointF(16, 12), QPointF(23, 30));
    p.drawLine(QPointF(12, 23), QPointF(20, 23));
    p.setBrush(QColor(220, 40, 40));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(16, 10), 3, 3);
    p.setBrush(Qt::NoBrush);
    p.setPen(pen(QColor(230, 120, 20), 2));
    for (int r : {7, 12}) {
        const QRectF box(16 - r, 10 - r, 2 * r, 2 * r);
        p.drawArc(box, 20 * 16, 50 * 16);
        p.drawArc(box, 110 * 16, 50 * 16);
    }
}

void drawNmeaOutput(QPainter& p) {
    p.setPen(pen(QColor(50, 50, 60), 1.2));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3, 3, 18, 25));
    p.setPen(pen(QColor(30, 110, 200), 1.6));
    for (int y : {9, 14, 19, 24})
        p.drawLine(QPointF(7, y), QPointF(y == 24 ? 13 : 17, y));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 160, 70));
    QPainterPath arrow;
    arrow.moveTo(17, 15);
    arrow.lineTo(23, 15);
    arrow.lineTo(23, 10);
    arrow.lineTo(31, 18);
    arrow.lineTo(23, 26);
    arrow.lineTo(23, 21);
    arrow.lineTo(17, 21);
    arrow.closeSubpath();
    p.drawPath(arrow);
}

void drawSkyPlot(QPainter& p) {
    const QPointF c(16, 16);
    p.setPen(pen(QColor(40, 60, 90), 1.4));
    p.setBrush(QColor(225, 238, 252));
    p.drawEllipse(c, 14, 14);
    p.setBrush(Qt::NoBrush);
    p.setPen(pen(QColor(120, 140, 170), 1));
    p.drawEllipse(c, 7, 7);
    p.drawLine(QPointF(2, 16), QPointF(30, 16));
    p.drawLine(QPointF(16, 2), QPointF(16, 30));
    p.setPen(Qt::NoPen);
    const struct {
        double x, y;
        QColor color;
    } sats[] = {{9, 8, QColor(20, 150, 60)},
                {23, 11, QColor(20, 150, 60)},
                {12, 23, QColor(230, 150, 20)},
                {24, 22, QColor(210, 40, 40)},
                {18, 18, QColor(20, 150, 60)}};
    for (const auto& s : sats) {
        p.setBrush(s.color);
        p.drawEllipse(QPointF(s.x, s.y), 2.6, 2.6);
    }
}

void drawReset(QPainter& p) {
    p.setPen(pen(QColor(20, 140, 60), 4));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(5, 5, 22, 22), 110 * 16, 290 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 140, 60));
    QPainterPath head;
    head.moveTo(7, 2);
    head.lineTo(17, 8);
    head.lineTo(7, 14);
    head.closeSubpath();
    p.drawPath(head);
}

void drawTroubleShooting(QPainter& p) {
    p.setPen(pen(QColor(90, 60, 30), 4.5));
    p.drawLine(QPointF(19, 19), QPointF(28, 28));
    p.setPen(pen(QColor(50, 50, 60), 2.2));
    p.setBrush(QColor(200, 228, 250));
    p.drawEllipse(QPointF(12, 12), 9, 9);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(210, 40, 40));
    p.drawRoundedRect(QRectF(10.8, 6, 2.6, 8), 1, 1);
    p.drawEllipse(QPointF(12.1, 17), 1.5, 1.5);
}

void drawAbout(QPainter& p) {
    p.setPen(pen(QColor(20, 70, 150), 1.2));
    p.setBrush(QColor(40, 110, 210));
    p.drawEllipse(QPointF(16, 16), 14, 14);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(16, 9), 2.5, 2.5);
    p.drawRoundedRect(QRectF(13.5, 13, 5, 13), 1.5, 1.5);
}

void drawPowerOff(QPainter& p) {
    p.setPen(pen(QColor(200, 30, 30), 4));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(5, 6, 22, 22), 120 * 16, 300 * 16);
    p.drawLine(QPointF(16, 3), QPointF(16, 15));
}

// The program's own icon: a globe with a satellite on its orbit.
void drawProgram(QPainter& p) {
    const QPointF c(15, 17);
    p.setPen(pen(QColor(20, 60, 120), 1.2));
    p.setBrush(QColor(50, 130, 210));
    p.drawEllipse(c, 11, 11);
    p.setPen(pen(QColor(200, 230, 255), 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, 5, 11);
    p.drawLine(QPointF(4, 17), QPointF(26, 17));
    p.setPen(pen(QColor(240, 150, 20), 1.8));
    p.drawEllipse(QRectF(1, 9, 30, 12));
    p.setPen(pen(QColor(40, 40, 40), 1));
    p.setBrush(QColor(250, 200, 40));
    p.drawRect(QRectF(24, 3, 6, 6));
}

bool save(const QImage& image, const QString& path) {
    if (image.save(path)) return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: quorrel-draw-icons <images folder>\n");
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    root.mkpath(QStringLiteral("features"));
    root.mkpath(QStringLiteral("bitmaps"));
    root.mkpath(QStringLiteral("icons"));
    const Drawing features[] = {drawGear,  drawBaseStation,     drawNmeaOutput, drawSkyPlot,
                                drawReset, drawTroubleShooting, drawAbout,      drawPowerOff};
    QImage strip(kSize * 8, kSize, QImage::Format_RGB32);
    QPainter stripPainter(&strip);
    bool ok = true;
    for (int i = 0; i < 8; ++i) {
        const QImage icon = onMagenta(render(features[i]));
        ok &= save(icon, root.filePath(QStringLiteral("features/%1.png").arg(i + 1)));
        stripPainter.drawImage(i * kSize, 0, icon);
    }
    stripPainter.end();
    ok &= save(strip, root.filePath(QStringLiteral("bitmaps/172.png")));
    const QImage program = render(drawProgram);
    ok &= save(program, root.filePath(QStringLiteral("icons/128.png")));
    ok &= save(program, root.filePath(QStringLiteral("icons/184.png")));
    return ok ? 0 : 1;
}
