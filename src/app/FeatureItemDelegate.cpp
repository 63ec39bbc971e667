#include "app/FeatureItemDelegate.h"

#include <QApplication>
#include <QPainter>

namespace quorrel {

void FeatureItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
    QStyleOptionViewItem item(option);
    initStyleOption(&item, index);
    const QWidget* widget = item.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &item, painter, widget);

    constexpr int kMargin = 3;
    const QRect cell = item.rect;
    const QSize iconSize = item.decorationSize;
    const QRect iconRect(cell.center().x() - iconSize.width() / 2 + 1, cell.top() + kMargin,
                         iconSize.width(), iconSize.height());
    const bool selected = item.state & QStyle::State_Selected;
    item.icon.paint(painter, iconRect, Qt::AlignCenter, selected ? QIcon::Selected : QIcon::Normal);

    const QRect textRect(cell.left() + kMargin, iconRect.bottom() + kMargin,
                         cell.width() - 2 * kMargin, cell.bottom() - iconRect.bottom() - kMargin);
    painter->save();
    painter->setFont(item.font);
    painter->setPen(item.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter->drawText(textRect, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, item.text);
    painter->restore();
}

}  // namespace quorrel
