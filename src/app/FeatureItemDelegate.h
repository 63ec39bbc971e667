#pragma once

#include <QStyledItemDelegate>

namespace quorrel {

// Draws a main menu entry: its icon centred at the top of the grid cell and its text
// word-wrapped across the cell's whole width below it.
class FeatureItemDelegate : public QStyledItemDelegate {
public:
    FeatureItemDelegate(QSize cellSize, QObject* parent)
        : QStyledItemDelegate(parent), m_cellSize(cellSize) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
        return m_cellSize;
    }

private:
    QSize m_cellSize;
};

}  // namespace quorrel
