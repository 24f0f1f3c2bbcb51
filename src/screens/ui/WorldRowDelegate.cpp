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

void WorldRowDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                             const QModelIndex &index) const
{
    const SystemWorldsModel::Entry *entry = entryAt(index);
    if (!entry)
        return;
    const QPalette &palette = option.palette;
    if (entry->heading) {
        painter->save();
        painter->setFont(textFont(TextStyle::caption, false, true));
        painter->setPen(palette.color(QPalette::PlaceholderText));
        const QRect text = option.rect.adjusted(0, entry->companion ? kCompanionGap : 0, 0, 0);
        painter->drawText(text, Qt::AlignLeft | Qt::AlignVCenter, entry->headingText);
        painter->restore();
        return;
    }
    const QRect row = option.rect.adjusted(0, 0, 0, -1);
    entry->row.paint(*painter, row, palette);
    painter->save();
    QColor divider = palette.color(QPalette::WindowText);
    divider.setAlphaF(0.15f);
    painter->setPen(divider);
    painter->drawLine(option.rect.left(), option.rect.bottom(), option.rect.right(), option.rect.bottom());
    painter->restore();
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
