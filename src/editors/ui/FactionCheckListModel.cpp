#include "FactionCheckListModel.h"

#include "editors/FactionListDraft.h"
#include "ui/ColorMark.h"
#include "ui/PaletteColor.h"
#include "ui/PlainText.h"
#include "universe/UniverseChanges.h"

FactionCheckListModel::FactionCheckListModel(StarfarerUniverse &universe, FactionListDraft &draft,
                                             QObject *parent)
    : QAbstractListModel(parent), m_universe(universe), m_draft(draft)
{
    UniverseChanges::onObjects<Faction>(&m_universe, this,
                                        [this](const ObjectChange<Faction> &) { reload(); });
    reload();
}

void FactionCheckListModel::reload()
{
    beginResetModel();
    m_factions = inMenuOrder(m_universe.factions());
    endResetModel();
}

void FactionCheckListModel::refreshChecks()
{
    if (!m_factions.isEmpty())
        emit dataChanged(index(0), index(rowCount() - 1), {Qt::CheckStateRole});
}

int FactionCheckListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_factions.size());
}

QVariant FactionCheckListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const Faction &faction = m_factions.at(index.row());
    switch (role) {
    case Qt::DisplayRole: return faction.name.isEmpty() ? tr("Unnamed Faction") : lineOfText(faction.name);
    case Qt::CheckStateRole: return m_draft.isSelected(faction.id) ? Qt::Checked : Qt::Unchecked;
    case Qt::DecorationRole: return colorFlagIcon(paletteColor(faction.color));
    case ShortNameRole: return lineOfText(faction.shortName);
    case IdRole: return faction.id;
    default: return {};
    }
}

bool FactionCheckListModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::CheckStateRole)
        return false;
    const QUuid id = m_factions.at(index.row()).id;
    m_draft.setSelected(id, value.value<Qt::CheckState>() == Qt::Checked);
    // A faction stored twice under one id has two rows that follow each other.
    emit dataChanged(index.siblingAtRow(0), index.siblingAtRow(rowCount() - 1), {Qt::CheckStateRole});
    emit selectionEdited();
    return true;
}

Qt::ItemFlags FactionCheckListModel::flags(const QModelIndex &index) const
{
    return QAbstractListModel::flags(index) | Qt::ItemIsUserCheckable;
}
