#include "MapObjectRowDelegate.h"

#include "MapObjectListModel.h"
#include "ui/ColorMark.h"
#include "ui/PlainText.h"
#include "ui/TextStyle.h"

#include <QPainter>

namespace {

constexpr int kPadding = 6;
constexpr int kDotSize = 12;
constexpr int kIconSize = 14;

MapObjectListModel::Kind kindOf(const QModelIndex &index)
{
    return static_cast<MapObjectListModel::Kind>(index.data(MapObjectListModel::KindRole).toInt());
}

} // namespace

// The "New" row's plus symbol is drawn here, at the row's padding.
MapObjectRowDelegate::MapObjectRowDelegate(QObject *parent) : ListRowDelegate(parent, Icon::drawnByRow) {}

void MapObjectRowDelegate::paintRow(QPainter &painter, const QStyleOptionViewItem &item,
                                    const QModelIndex &index, const RowInk &ink) const
{
    QRect area = item.rect.adjusted(kPadding, kPadding / 2, -kPadding, -kPadding / 2);
    painter.setRenderHint(QPainter::Antialiasing);
    const QString text = lineOfText(index.data(Qt::DisplayRole).toString());
    switch (kindOf(index)) {
    case MapObjectListModel::Kind::empty:
        painter.setPen(ink.secondary);
        painter.setFont(textFont(TextStyle::body));
        painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter, text);
        break;
    case MapObjectListModel::Kind::create: {
        const QIcon icon = index.data(Qt::DecorationRole).value<QIcon>();
        const QRect iconRect(area.left(), area.center().y() - kIconSize / 2, kIconSize, kIconSize);
        icon.paint(&painter, iconRect);
        painter.setPen(ink.primary);
        painter.setFont(textFont(TextStyle::body));
        painter.drawText(area.adjusted(kIconSize + kPadding, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                         text);
        break;
    }
    case MapObjectListModel::Kind::element: {
        const QVariant dot = index.data(MapObjectListModel::DotRole);
        if (dot.isValid()) {
            paintColorDot(painter, QRect(area.left(), area.center().y() - kDotSize / 2, kDotSize, kDotSize),
                          dot.value<QColor>(), ink.primary);
            area.adjust(kDotSize + kPadding, 0, 0, 0);
        }
        const QFont titleFont = textFont(TextStyle::body);
        const QFont detailFont = textFont(TextStyle::caption);
        const int titleHeight = QFontMetrics(titleFont).height();
        const QFontMetrics detailMetrics(detailFont);
        painter.setFont(titleFont);
        painter.setPen(ink.primary);
        painter.drawText(QRect(area.left(), area.top(), area.width(), titleHeight), Qt::AlignLeft,
                         elidedLine(text, QFontMetrics(titleFont), area.width()));
        painter.setFont(detailFont);
        painter.setPen(ink.secondary);
        int top = area.top() + titleHeight;
        for (const QString &detail : index.data(MapObjectListModel::DetailsRole).toStringList()) {
            painter.drawText(QRect(area.left(), top, area.width(), detailMetrics.height()), Qt::AlignLeft,
                             elidedLine(detail, detailMetrics, area.width()));
            top += detailMetrics.height();
        }
        break;
    }
    }
}

QSize MapObjectRowDelegate::sizeHint(const QStyleOptionViewItem &, const QModelIndex &index) const
{
    const int lines = static_cast<int>(index.data(MapObjectListModel::DetailsRole).toStringList().size());
    const int height = QFontMetrics(textFont(TextStyle::body)).height() +
                       lines * QFontMetrics(textFont(TextStyle::caption)).height() + kPadding;
    return {0, std::max(height, kIconSize + kPadding)};
}
