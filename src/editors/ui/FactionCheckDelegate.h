#pragma once

#include "ui/ListRowDelegate.h"

// Paints a row of the faction check list: the style's check box and flag, then the
// faction's name and, after it, its short name, small and in the secondary colour.
// A row is as wide as the list: texts that do not fit are cut with an ellipsis,
// never scrolled to.
class FactionCheckDelegate : public ListRowDelegate
{
    Q_OBJECT

public:
    using ListRowDelegate::ListRowDelegate;

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

protected:
    void paintRow(QPainter &painter, const QStyleOptionViewItem &item, const QModelIndex &index,
                  const RowInk &ink) const override;
};
