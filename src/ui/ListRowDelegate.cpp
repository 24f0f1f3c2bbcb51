#include "ListRowDelegate.h"

#include "SecondaryText.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QPainter>

namespace {

// What a row is drawn on: the alternate colour on alternate rows, else the list's own
// background, or what shows through a list that fills none.
QColor rowBackground(const QStyleOptionViewItem &item)
{
    if (item.features & QStyleOptionViewItem::Alternate)
        return item.palette.color(QPalette::AlternateBase);
    const auto *view = qobject_cast<const QAbstractItemView *>(item.widget);
    return view ? backgroundBehind(*view->viewport()) : item.palette.color(QPalette::Base);
}

} // namespace

ListRowDelegate::ListRowDelegate(QObject *parent, Icon icon) : QStyledItemDelegate(parent), m_icon(icon) {}

void ListRowDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                            const QModelIndex &index) const
{
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    QStyleOptionViewItem background = item;
    background.text.clear();
    if (m_icon == Icon::drawnByRow)
        background.icon = QIcon();
    const QWidget *widget = option.widget;
    const QStyle *style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &background, painter, widget);

    const bool selected = option.state & QStyle::State_Selected;
    RowInk ink;
    ink.primary = option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
    ink.secondary = selected ? ink.primary : secondaryTextColor(ink.primary, rowBackground(item));
    painter->save();
    paintRow(*painter, item, index, ink);
    painter->restore();
}
