#include "FactionCheckDelegate.h"

#include "FactionCheckListModel.h"
#include "ui/PlainText.h"
#include "ui/TextStyle.h"

#include <QApplication>
#include <QPainter>

void FactionCheckDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                 const QModelIndex &index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    const QString shortName = index.data(FactionCheckListModel::ShortNameRole).toString();
    if (shortName.isEmpty())
        return;
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    const QWidget *widget = option.widget;
    const QStyle *style = widget ? widget->style() : QApplication::style();
    const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &item, widget);
    const int nameWidth = item.fontMetrics.horizontalAdvance(item.text);
    const QRect shortRect = textRect.adjusted(nameWidth + 8, 0, 0, 0);
    if (shortRect.width() <= 0)
        return;
    painter->save();
    painter->setFont(textFont(TextStyle::caption));
    const bool selected = option.state & QStyle::State_Selected;
    painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::PlaceholderText));
    painter->drawText(shortRect, Qt::AlignLeft | Qt::AlignVCenter,
                      elidedLine(shortName, QFontMetrics(painter->font()), shortRect.width()));
    painter->restore();
}
