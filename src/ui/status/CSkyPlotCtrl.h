#pragma once

#include <QFont>
#include <QHash>
#include <QImage>
#include <QWidget>
#include <cstdint>
#include <vector>

#include "ui/status/SkyPlotModel.h"

namespace quorrel {

// Polar sky plot: rings and spokes on a black disc, a marker and PRN label per satellite.
// It paints into a back-buffer image; a satellite is drawn and erased by exclusive-or, so an
// update touches only the entries that changed.
class CSkyPlotCtrl : public QWidget {
    Q_OBJECT

public:
    explicit CSkyPlotCtrl(QWidget* parent = nullptr);

    // New entries; with `redrawNow` the changed ones are redrawn at once, otherwise they
    // show at the next full repaint.
    void setEntries(const PlotEntries& entries, bool redrawNow);
    void setGroupMask(std::uint32_t mask);
    void setMarkerImages(int group, const MarkerImages& images);
    void setPlotStyle(const SkyPlotStyle& style);
    // Background, grid and every entry again, from scratch.
    void repaintAll();

    const SkyPlotModel& model() const { return m_model; }
    const SkyPlotGeometry& plotGeometry() const { return m_geometry; }
    const QImage& backBuffer() const { return m_buffer; }
    QFont labelFont() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void paintGrid(QPainter& painter);
    void paintDirectionLabel(QPainter& painter, int azimuthDeg);
    void drawEntries(const std::vector<PlotEntry>& entries);
    const QImage& sprite(const PlotEntry& entry);
    const QImage& marker(int id);

    SkyPlotModel m_model;
    SkyPlotGeometry m_geometry;
    QImage m_buffer;
    QHash<int, QImage> m_markers;
    QHash<QString, QImage> m_sprites;  // by label, colour and marker
};

}  // namespace quorrel
