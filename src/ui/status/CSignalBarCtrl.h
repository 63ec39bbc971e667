#pragma once

#include <QFont>
#include <QImage>
#include <QWidget>
#include <cstdint>

#include "ui/status/SignalChartModel.h"

namespace quorrel {

// Signal-to-noise bars per satellite: GPS and SBAS in one row, GLONASS in another, with the
// tracked count of each constellation. Redrawn whole into a back buffer, then shown in one
// step.
class CSignalBarCtrl : public QWidget {
    Q_OBJECT

public:
    explicit CSignalBarCtrl(QWidget* parent = nullptr);

    // Entries and counts from the first `count` satellites of the table.
    void setSatellites(const SatelliteTable& table, int count);
    void setRowMask(std::uint32_t mask);
    // Draws the chart into the back buffer and schedules it for the screen.
    void redrawNow();

    const SignalChartModel& model() const { return m_model; }
    const QImage& backBuffer() const { return m_buffer; }
    // The last drawing (what the back buffer shows).
    const SignalChartLayout& lastLayout() const { return m_layout; }
    static QFont headerFont();
    static QFont barFont(int tenthsPt);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void paintRow(QPainter& painter, const ChartRowLayout& row);
    QColor colour(ChartColour colour) const;

    SignalChartModel m_model;
    SignalChartLayout m_layout;
    QImage m_buffer;
};

}  // namespace quorrel
