#include "FactionCheckDelegate.h"

#include "FactionCheckListModel.h"
#include "ui/PlainText.h"
#include "ui/TextStyle.h"

#include <QApplication>
#include <QPainter>

namespace {

constexpr int kShortNameGap = 8;

const QStyle *styleOf(const QStyleOptionViewItem &option)
{
    return option.widget ? option.widget->style() : QApplication::style();
}

// The texts a row shows and where.
struct RowTexts
{
    QString name;
    QRect nameRect;
    QString shortName;
    QRect shortRect;
};

// Fits the name of `item` and the short name after it into the room the style leaves
// beside the check box and the flag. A name too long for the row is cut so that the
// short name still shows, taking a third of the room at most.
RowTexts rowTexts(const QStyleOptionViewItem &item, const QString &shortName)
{
    const QStyle *style = styleOf(item);
    // Less the margin the style keeps around item texts.
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, item.widget) + 1;
    const QRect room = style->subElementRect(QStyle::SE_ItemViewItemText, &item, item.widget)
                           .adjusted(margin, 0, -margin, 0);

    const QFontMetrics shortMetrics(textFont(TextStyle::caption));
    int nameRoom = room.width();
    if (!shortName.isEmpty()) {
        const int shared = room.width() - kShortNameGap;
        nameRoom = std::max(shared - shortMetrics.horizontalAdvance(shortName), shared - shared / 3);
    }
    RowTexts texts;
    texts.name = elidedLine(item.text, item.fontMetrics, nameRoom);
    texts.nameRect = room;
    texts.nameRect.setWidth(std::min(item.fontMetrics.horizontalAdvance(texts.name), room.width()));
    if (shortName.isEmpty())
        return texts;
    texts.shortRect = room.adjusted(texts.nameRect.width() + kShortNameGap, 0, 0, 0);
    if (texts.shortRect.width() > 0)
        texts.shortName = elidedLine(shortName, shortMetrics, texts.shortRect.width());
    return texts;
}

} // namespace

void FactionCheckDelegate::paintRow(QPainter &painter, const QStyleOptionViewItem &item,
                                    const QModelIndex &index, const RowInk &ink) const
{
    const RowTexts texts = rowTexts(item, index.data(FactionCheckListModel::ShortNameRole).toString());
    painter.setFont(item.font);
    painter.setPen(ink.primary);
    painter.drawText(texts.nameRect, Qt::AlignLeft | Qt::AlignVCenter, texts.name);
    if (!texts.shortName.isEmpty()) {
        painter.setFont(textFont(TextStyle::caption));
        painter.setPen(ink.secondary);
        painter.drawText(texts.shortRect, Qt::AlignLeft | Qt::AlignVCenter, texts.shortName);
    }
}

QSize FactionCheckDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    // No width of its own: the list gives every row its full width and has nothing to
    // scroll sideways.
    return {0, QStyledItemDelegate::sizeHint(option, index).height()};
}
