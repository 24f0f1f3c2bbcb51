#include "ListRowDelegate.h"

#include <QApplication>
#include <QPainter>

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
    ink.secondary = selected ? ink.primary : option.palette.color(QPalette::PlaceholderText);
    painter->save();
    paintRow(*painter, item, index, ink);
    painter->restore();
}
