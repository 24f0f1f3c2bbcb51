#pragma once

#include "ui/ListRowDelegate.h"

struct SystemRowContent;

// Paints one row of the system list from its SystemRowContent: the info column (label
// and name, notes, main world with profile line, other named worlds), the main
// world's tags, its factions and the rutter destinations as chips. A row is as wide as
// the list: its columns stand at their widths from the left, the rutters taking the
// rest, and what does not fit ends in an ellipsis at its column's end or the row's,
// so that the list never scrolls sideways. Heights come from the row's line count, so
// laying out many rows reads no row texts. A row's drawing is kept as a picture (in
// the application's pixmap cache) and drawn again while the row, its size and its
// colours stay the same.
class SystemRowDelegate : public ListRowDelegate
{
    Q_OBJECT

public:
    static constexpr int kInfoWidth = 465;
    static constexpr int kInfoTrailingPadding = 20;
    static constexpr int kTagsWidth = 350;
    // The most the factions column takes; the rutters column takes the rest.
    static constexpr int kFactionsWidth = 240;
    static constexpr int kRuttersWidth = 560;
    // A row this wide shows every column at its widest, with room for a line of rutter
    // chips.
    static int rowWidth();

    explicit SystemRowDelegate(QObject *parent = nullptr);

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

protected:
    void paintRow(QPainter &painter, const QStyleOptionViewItem &item, const QModelIndex &index,
                  const RowInk &ink) const override;

private:
    // Draws the row's texts and chips from the painter's origin, on nothing, `width`
    // wide.
    static void paintContent(QPainter &painter, int width, const SystemRowContent &row,
                             const QString &routesTitle, const QColor &primary, const QColor &secondary);

    // Measured once: the list asks every row for its size.
    int m_lineHeight;
    int m_chipColumnHeight;
};
