#pragma once

#include <QStyledItemDelegate>

// Paints a row of the faction check list: the style's check box and flag, then the
// faction's name and, after it, its short name, small and in the secondary colour.
// A row is as wide as the list: texts that do not fit are cut with an ellipsis,
// never scrolled to.
class FactionCheckDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};
