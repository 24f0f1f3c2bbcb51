#include "RegionAnchorListModel.h"

#include "RegionDraft.h"
#include "SystemNames.h"

#include <numeric>

RegionAnchorListModel::RegionAnchorListModel(const StarfarerUniverse &universe, RegionDraft &draft,
                                             QObject *parent)
    : QAbstractListModel(parent), m_universe(universe), m_draft(draft)
{}

int RegionAnchorListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_draft.anchors.size());
}

QVariant RegionAnchorListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_draft.anchors.size())
        return {};
    const RegionAnchor &anchor = m_draft.anchors.at(index.row());
    switch (role) {
    case Qt::DisplayRole: return anchorText(anchor.hex, anchor.corner);
    case NumberRole: return tr("%1.").arg(index.row() + 1);
    case SystemNameRole: return SystemNames::systemName(m_universe, anchor.hex);
    default: return {};
    }
}

Qt::ItemFlags RegionAnchorListModel::flags(const QModelIndex &index) const
{
    const Qt::ItemFlags base = QAbstractListModel::flags(index);
    return index.isValid() ? base | Qt::ItemIsDragEnabled : base | Qt::ItemIsDropEnabled;
}

bool RegionAnchorListModel::moveRows(const QModelIndex &sourceParent, int sourceRow, int count,
                                     const QModelIndex &destinationParent, int destinationChild)
{
    if (sourceParent.isValid() || destinationParent.isValid() || count <= 0 || sourceRow < 0 ||
        sourceRow + count > rowCount() || destinationChild < 0 || destinationChild > rowCount())
        return false;
    if (destinationChild >= sourceRow && destinationChild <= sourceRow + count)
        return true; // onto itself: nothing moves
    if (!beginMoveRows(QModelIndex(), sourceRow, sourceRow + count - 1, QModelIndex(), destinationChild))
        return false;
    QList<qsizetype> positions(count);
    std::iota(positions.begin(), positions.end(), sourceRow);
    m_draft.moveAnchors(positions, destinationChild);
    endMoveRows();
    // The numbers of the rows between follow their new places.
    emit dataChanged(index(0), index(rowCount() - 1));
    emit anchorsMoved();
    return true;
}

void RegionAnchorListModel::reload()
{
    beginResetModel();
    endResetModel();
}

QString RegionAnchorListModel::anchorText(const GalacticCoordinates &hex, qint64 corner)
{
    return tr("%1 · corner %2").arg(hex.description()).arg(corner + 1);
}
