#include "ui/status/CSignalBarCtrl.h"

#include <QFontMetrics>
#include <QPainter>

namespace quorrel {
namespace {

const QColor kGridColour(128, 128, 128);
const QColor kSbasColour(255, 128, 128);

void drawText(QPainter& painter, const ChartText& text) {
    if (!text.text.isEmpty())
        painter.drawText(text.rect, text.alignment | Qt::TextDontClip, text.text);
}

}  // namespace

CSignalBarCtrl::CSignalBarCtrl(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QFont CSignalBarCtrl::headerFont() {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8.6);
    font.setWeight(QFont::DemiBold);
    return font;
}

QFont CSignalBarCtrl::barFont(int tenthsPt) {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(tenthsPt / 10.0);
    return font;
}

void CSignalBarCtrl::setSatellites(const SatelliteTable& table, int count) {
    m_model.fill(table, count);
}

void CSignalBarCtrl::setRowMask(std::uint32_t mask) {
    m_model.setRowMask(mask);
    redrawNow();
}

QColor CSignalBarCtrl::colour(ChartColour c) const {
    switch (c) {
        case ChartColour::WindowText:
            return palette().color(QPalette::WindowText);
        case ChartColour::HighlightText:
            return palette().color(QPalette::HighlightedText);
        case ChartColour::Highlight:
            return palette().color(QPalette::Highlight);
        case ChartColour::GreyText:
            return palette().color(QPalette::Disabled, QPalette::WindowText);
        case ChartColour::Sbas:
            return kSbasColour;
    }
    return Qt::black;
}

void CSignalBarCtrl::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    redrawNow();
}

void CSignalBarCtrl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, m_buffer);
}

void CSignalBarCtrl::redrawNow() {
    if (width() <= 0 || height() <= 0) return;
    if (m_buffer.size() != size()) m_buffer = QImage(size(), QImage::Format_RGB32);
    const QFont bars =
        barFont(SignalChartModel::barFontTenthsPt(SignalChartModel::chartWidth(size())));
    m_layout = m_model.layout(size(), QFontMetrics(bars).height());

    QPainter painter(&m_buffer);
    painter.fillRect(m_buffer.rect(), Qt::white);
    painter.setFont(headerFont());
    painter.setPen(colour(ChartColour::WindowText));
    for (const ChartBand& band : m_layout.bands) {
        painter.fillRect(band.rect, Qt::white);
        for (const ChartText& text : band.texts)
            drawText(painter, text);
    }
    painter.setFont(bars);
    for (const ChartRowLayout& row : m_layout.rows)
        paintRow(painter, row);
    painter.end();
    update();
}

void CSignalBarCtrl::paintRow(QPainter& painter, const ChartRowLayout& row) {
    painter.setPen(kGridColour);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(row.grid.adjusted(0, 0, -1, -1));
    for (int y : row.lineY)
        painter.drawLine(row.lineLeft, y, row.lineRight - 1, y);
    for (const ChartBar& bar : row.bars) {
        if (!bar.bar.isEmpty()) painter.fillRect(bar.bar, colour(bar.fill));
        painter.setPen(colour(ChartColour::HighlightText));
        drawText(painter, bar.snr);
        painter.fillRect(bar.labelArea, Qt::white);
        painter.setPen(colour(ChartColour::WindowText));
        drawText(painter, bar.prn);
    }
}

}  // namespace quorrel
