#include "RegionAnchorDelegate.h"

#include "editors/RegionAnchorListModel.h"
#include "ui/PlainText.h"

#include <QPainter>

namespace {

constexpr int kNumberWidth = 24;
constexpr int kSpacing = 8;

} // namespace

void RegionAnchorDelegate::paintRow(QPainter &painter, const QStyleOptionViewItem &item,
                                    const QModelIndex &index, const RowInk &ink) const
{
    const QRect area = item.rect.adjusted(kSpacing / 2, 0, -kSpacing / 2, 0);
    const QFontMetrics metrics(item.font);

    painter.setFont(item.font);
    painter.setPen(ink.secondary);
    const QRect number(area.left(), area.top(), kNumberWidth, area.height());
    painter.drawText(number, Qt::AlignRight | Qt::AlignVCenter,
                     index.data(RegionAnchorListModel::NumberRole).toString());

    const QString anchor = index.data(Qt::DisplayRole).toString();
    QRect rest = area.adjusted(kNumberWidth + kSpacing, 0, 0, 0);
    painter.setPen(ink.primary);
    painter.drawText(rest, Qt::AlignLeft | Qt::AlignVCenter, anchor);
    rest.setLeft(rest.left() + metrics.horizontalAdvance(anchor) + kSpacing);
    painter.setPen(ink.secondary);
    const QString system = index.data(RegionAnchorListModel::SystemNameRole).toString();
    painter.drawText(rest, Qt::AlignLeft | Qt::AlignVCenter, elidedLine(system, metrics, rest.width()));
}
