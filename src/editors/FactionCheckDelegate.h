#pragma once

#include <QStyledItemDelegate>

// Paints a row of the faction check list as the style does (check box, flag, name)
// and adds the faction's short name after the name, small and in the secondary
// colour.
class FactionCheckDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
};
