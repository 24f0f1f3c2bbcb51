#include "RegionAnchorDelegate.h"

#include "editors/RegionAnchorListModel.h"
#include "ui/PlainText.h"

#include <QApplication>
#include <QPainter>

namespace {

constexpr int kNumberWidth = 24;
constexpr int kSpacing = 8;

} // namespace

void RegionAnchorDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                 const QModelIndex &index) const
{
    QStyleOptionViewItem background = option;
    initStyleOption(&background, index);
    background.text.clear();
    const QWidget *widget = option.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &background, painter, widget);

    const bool selected = option.state & QStyle::State_Selected;
    const QColor primary = option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
    const QColor secondary = selected ? primary : option.palette.color(QPalette::PlaceholderText);
    const QRect area = option.rect.adjusted(kSpacing / 2, 0, -kSpacing / 2, 0);
    const QFontMetrics metrics(option.font);

    painter->save();
    painter->setFont(option.font);
    painter->setPen(secondary);
    const QRect number(area.left(), area.top(), kNumberWidth, area.height());
    painter->drawText(number, Qt::AlignRight | Qt::AlignVCenter,
                      index.data(RegionAnchorListModel::NumberRole).toString());

    const QString anchor = index.data(Qt::DisplayRole).toString();
    QRect rest = area.adjusted(kNumberWidth + kSpacing, 0, 0, 0);
    painter->setPen(primary);
    painter->drawText(rest, Qt::AlignLeft | Qt::AlignVCenter, anchor);
    rest.setLeft(rest.left() + metrics.horizontalAdvance(anchor) + kSpacing);
    painter->setPen(secondary);
    const QString system = index.data(RegionAnchorListModel::SystemNameRole).toString();
    painter->drawText(rest, Qt::AlignLeft | Qt::AlignVCenter, elidedLine(system, metrics, rest.width()));
    painter->restore();
}
