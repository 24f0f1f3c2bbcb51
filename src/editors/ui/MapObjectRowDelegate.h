#pragma once

#include "ui/ListRowDelegate.h"

// Paints the rows of a list screen from their data roles: an element's optional
// colour dot, its title and its smaller detail lines in the secondary colour; the
// empty text in the secondary colour; the "New" row with its plus symbol.
class MapObjectRowDelegate : public ListRowDelegate
{
    Q_OBJECT

public:
    explicit MapObjectRowDelegate(QObject *parent = nullptr);

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

protected:
    void paintRow(QPainter &painter, const QStyleOptionViewItem &item, const QModelIndex &index,
                  const RowInk &ink) const override;
};
