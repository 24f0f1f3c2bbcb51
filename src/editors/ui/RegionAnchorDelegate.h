#pragma once

#include <QStyledItemDelegate>

// Paints an anchor row: its number right-aligned in a narrow box and muted, the hex
// and corner, then the system's name, muted; the name is cut with an ellipsis when
// the row is too narrow.
class RegionAnchorDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
};
