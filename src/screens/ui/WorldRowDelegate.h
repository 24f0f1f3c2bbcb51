#pragma once

#include <QStyledItemDelegate>

// Paints the entries of a SystemWorldsModel: star headings in small, bold, muted
// text, and world rows, each followed by a divider.
class WorldRowDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    static constexpr int kCompanionGap = 4;

    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};
