#pragma once

#include <QStyledItemDelegate>

// Paints one row of the system list from its SystemListRow: the info column (label
// and name, notes, main world with profile line, other named worlds), the main
// world's tags, its factions and the rutter destinations as chips. Heights come from
// the row's line count, so laying out many rows reads no row texts.
class SystemRowDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    static constexpr int kInfoWidth = 465;
    static constexpr int kInfoTrailingPadding = 20;
    static constexpr int kTagsWidth = 350;

    explicit SystemRowDelegate(QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    // Measured once: the list asks every row for its size.
    int m_lineHeight;
    int m_chipColumnHeight;
};
