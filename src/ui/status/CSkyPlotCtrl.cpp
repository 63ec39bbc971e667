#include "ui/status/CSkyPlotCtrl.h"

#include <QFontMetrics>
#include <QPainter>

#include "ui/kit/Resources.h"
#include "ui/kit/StringIds.h"
#include "ui/status/StatusBitmaps.h"

namespace quorrel {
namespace {

// A pixel the marker artwork leaves out: its white corners, or a transparent pixel of an
// image a language file supplies.
bool isMarkerBackground(QRgb pixel) {
    return qAlpha(pixel) == 0 || (pixel & 0xFFFFFFu) == 0xFFFFFFu;
}

QString directionText(int azimuthDeg) {
    switch (azimuthDeg) {
        case 0:
            return resText(kStrNorth);
        case 90:
            return resText(kStrEast);
        case 180:
            return resText(kStrSouth);
        case 270:
            return resText(kStrWest);
        default:
            return QString::number(azimuthDeg);
    }
}

}  // namespace

CSkyPlotCtrl::CSkyPlotCtrl(QWidget* parent) : QWidget(parent) {
    registerStatusBitmaps();
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QFont CSkyPlotCtrl::labelFont() const {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif, QFont::NoAntialias);  // exact colours under XOR
    font.setPointSizeF(m_model.style().fontTenthsPt / 10.0);
    return font;
}

void CSkyPlotCtrl::setEntries(const PlotEntries& entries, bool redrawNow) {
    m_model.setEntries(entries);
    // Without a buffer yet, the first resize paints everything anyway.
    if (!redrawNow || m_buffer.isNull()) return;
    drawEntries(m_model.takeUpdate());
    update();
}

void CSkyPlotCtrl::setGroupMask(std::uint32_t mask) {
    m_model.setGroupMask(mask);
    repaintAll();
}

void CSkyPlotCtrl::setMarkerImages(int group, const MarkerImages& images) {
    if (group < 0 || group >= kPlotGroups) return;
    SkyPlotStyle style = m_model.style();
    style.markers[group] = images;
    setPlotStyle(style);
}

void CSkyPlotCtrl::setPlotStyle(const SkyPlotStyle& style) {
    m_model.setStyle(style);
    m_sprites.clear();
    repaintAll();
}

void CSkyPlotCtrl::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    repaintAll();
}

void CSkyPlotCtrl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, m_buffer);
}

void CSkyPlotCtrl::repaintAll() {
    if (width() <= 0 || height() <= 0) return;
    if (m_buffer.size() != size()) m_buffer = QImage(size(), QImage::Format_RGB32);
    m_geometry = SkyPlotGeometry::forClientSize(size());
    {
        QPainter painter(&m_buffer);
        painter.fillRect(m_buffer.rect(), palette().window());
        painter.fillRect(m_geometry.background, Qt::white);
        paintGrid(painter);
    }
    drawEntries(m_model.takeFullRepaint());
    update();
}

void CSkyPlotCtrl::paintGrid(QPainter& painter) {
    const SkyPlotStyle& style = m_model.style();
    const QPoint centre(static_cast<int>(m_geometry.cx), static_cast<int>(m_geometry.cy));
    painter.setFont(labelFont());
    painter.setPen(QPen(style.ringColour, 1));
    painter.setBrush(style.discColour);
    // Outermost first, so each smaller disc paints over the larger one's inside.
    for (int e = 0; style.ringStepDeg > 0 && e <= 89; e += style.ringStepDeg) {
        const int rho = m_geometry.ringRadius(e);
        painter.drawEllipse(QRect(centre.x() - rho, centre.y() - rho, 2 * rho, 2 * rho));
    }
    for (int a = 0; style.spokeStepDeg > 0 && a < 360; a += style.spokeStepDeg) {
        painter.setPen(QPen(style.ringColour, 1));
        painter.drawLine(centre, m_geometry.spokeEnd(a));
        paintDirectionLabel(painter, a);
    }
}

void CSkyPlotCtrl::paintDirectionLabel(QPainter& painter, int azimuthDeg) {
    const SkyPlotStyle& style = m_model.style();
    const QString text = directionText(azimuthDeg);
    const QFontMetrics metrics(painter.font());
    QRect box(0, 0, metrics.horizontalAdvance(text), metrics.height());
    box.moveCenter(m_geometry.pointAt(azimuthDeg, style.labelElevationDeg));
    painter.fillRect(box, style.discColour);
    painter.setPen(style.labelColour);
    painter.drawText(box, Qt::AlignCenter | Qt::TextDontClip, text);
}

void CSkyPlotCtrl::drawEntries(const std::vector<PlotEntry>& entries) {
    if (entries.empty() || m_buffer.isNull()) return;
    QPainter painter(&m_buffer);
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    for (const PlotEntry& e : entries) {
        const QImage& image = sprite(e);
        const int markerHeight = marker(e.markerId).height();
        const QPoint at = m_geometry.pointAt(e.azimuthDeg, e.elevationDeg);
        painter.drawImage(at.x() - image.width() / 2, at.y() - markerHeight / 2, image);
    }
}

// The marker on top, the PRN label under it, on black: black leaves the plot unchanged
// under exclusive-or.
const QImage& CSkyPlotCtrl::sprite(const PlotEntry& e) {
    const QString label = m_model.prnLabel(e.prn);
    const QString key =
        QStringLiteral("%1|%2|%3").arg(label).arg(e.textColour.rgb()).arg(e.markerId);
    if (auto it = m_sprites.constFind(key); it != m_sprites.constEnd()) return *it;

    const QFont font = labelFont();
    const QFontMetrics metrics(font);
    QImage image(5 * metrics.maxWidth(), 3 * metrics.height(), QImage::Format_RGB32);
    image.fill(Qt::black);
    const QImage& mark = marker(e.markerId);
    const int left = (image.width() - mark.width()) / 2;
    for (int y = 0; y < mark.height() && y < image.height(); ++y)
        for (int x = 0; x < mark.width(); ++x) {
            const QRgb pixel = mark.pixel(x, y);
            if (!isMarkerBackground(pixel) && image.rect().contains(left + x, y))
                image.setPixel(left + x, y, pixel | 0xFF000000u);
        }
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(e.textColour);
    painter.drawText(QRect(0, mark.height(), image.width(), image.height() - mark.height()),
                     Qt::AlignHCenter | Qt::AlignTop, label);
    painter.end();
    return *m_sprites.insert(key, image);
}

const QImage& CSkyPlotCtrl::marker(int id) {
    auto it = m_markers.find(id);
    if (it == m_markers.end())
        it = m_markers.insert(
            id, Resources::instance().bitmap(id).convertToFormat(QImage::Format_ARGB32));
    return *it;
}

}  // namespace quorrel
