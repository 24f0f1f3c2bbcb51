#pragma once

#include "ui/ListRowDelegate.h"

// Paints the entries of a SystemWorldsModel: star headings in small, bold, muted
// text, and world rows, each followed by a divider.
class WorldRowDelegate : public ListRowDelegate
{
    Q_OBJECT

public:
    static constexpr int kCompanionGap = 4;

    using ListRowDelegate::ListRowDelegate;

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

protected:
    void paintRow(QPainter &painter, const QStyleOptionViewItem &item, const QModelIndex &index,
                  const RowInk &ink) const override;
};
