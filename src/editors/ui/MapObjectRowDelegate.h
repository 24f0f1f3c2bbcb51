#pragma once

#include <QStyledItemDelegate>

// Paints the rows of a list screen from their data roles: an element's optional
// colour dot, its title and its smaller detail lines in the secondary colour; the
// empty text in the secondary colour; the "New" row with its plus symbol.
class MapObjectRowDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};
