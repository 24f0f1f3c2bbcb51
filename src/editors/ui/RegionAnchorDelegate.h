#pragma once

#include "ui/ListRowDelegate.h"

// Paints an anchor row: its number right-aligned in a narrow box and muted, the hex
// and corner, then the system's name, muted; the name is cut with an ellipsis when
// the row is too narrow.
class RegionAnchorDelegate : public ListRowDelegate
{
    Q_OBJECT

public:
    using ListRowDelegate::ListRowDelegate;

protected:
    void paintRow(QPainter &painter, const QStyleOptionViewItem &item, const QModelIndex &index,
                  const RowInk &ink) const override;
};
