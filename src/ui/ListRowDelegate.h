#pragma once

#include <QColor>
#include <QStyledItemDelegate>

// A delegate that draws the texts of its rows itself. The style paints each row's
// background without its text (the highlight, a check box and, unless the row draws
// its own, the icon); paintRow() then draws the content in the row's text colours,
// which follow the selection.
class ListRowDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    enum class Icon { drawnByStyle, drawnByRow };

    explicit ListRowDelegate(QObject *parent = nullptr, Icon icon = Icon::drawnByStyle);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const final;

protected:
    // The row's main text colour and its muted one, the secondary text colour over the
    // row's background; both are the highlighted text colour on a selected row.
    struct RowInk
    {
        QColor primary;
        QColor secondary;
    };

    // Draws the row's content over its background. `item` holds the index's data
    // (its text too) as the style saw it. The painter's state is restored after it.
    virtual void paintRow(QPainter &painter, const QStyleOptionViewItem &item, const QModelIndex &index,
                          const RowInk &ink) const = 0;

private:
    Icon m_icon;
};
