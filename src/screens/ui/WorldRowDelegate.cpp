#include "WorldRowDelegate.h"

#include "SystemWorldsModel.h"
#include "ui/TextStyle.h"

#include <QPainter>

namespace {

const SystemWorldsModel::Entry *entryAt(const QModelIndex &index)
{
    const auto *model = qobject_cast<const SystemWorldsModel *>(index.model());
    return model ? model->entry(index.row()) : nullptr;
}

} // namespace

void WorldRowDelegate::paintRow(QPainter &painter, const QStyleOptionViewItem &item, const QModelIndex &index,
                                const RowInk &ink) const
{
    const SystemWorldsModel::Entry *entry = entryAt(index);
    if (!entry)
        return;
    if (entry->heading) {
        painter.setFont(textFont(TextStyle::caption, false, true));
        painter.setPen(ink.secondary);
        const QRect text = item.rect.adjusted(0, entry->companion ? kCompanionGap : 0, 0, 0);
        painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, entry->headingText);
        return;
    }
    const QRect row = item.rect.adjusted(0, 0, 0, -1);
    entry->row.paint(painter, row, ink.primary, ink.secondary);
    QColor divider = item.palette.color(QPalette::WindowText);
    divider.setAlphaF(0.15f);
    painter.setPen(divider);
    painter.drawLine(item.rect.left(), item.rect.bottom(), item.rect.right(), item.rect.bottom());
}

QSize WorldRowDelegate::sizeHint(const QStyleOptionViewItem &, const QModelIndex &index) const
{
    const SystemWorldsModel::Entry *entry = entryAt(index);
    if (!entry)
        return {};
    if (entry->heading)
        return {0, WorldRowView::kHeight + (entry->companion ? kCompanionGap : 0)};
    return entry->row.sizeHint();
}
