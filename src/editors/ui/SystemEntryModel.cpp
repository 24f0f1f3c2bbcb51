#include "SystemEntryModel.h"

#include "editors/SystemNames.h"
#include "ui/PlainText.h"
#include "universe/StarfarerUniverse.h"

void SystemEntryModel::fill(const StarfarerUniverse &universe)
{
    const HexList &hexes = universe.data();
    const QList<qsizetype> order = SystemNames::orderBySystemName(hexes);
    beginResetModel();
    m_entries.clear();
    m_entries.reserve(order.size());
    for (const qsizetype position : order) {
        const HexData &hex = hexes.at(position);
        m_entries.append({lineOfText(SystemNames::entryTitle(hex.starSystem)), hex.coordinates.description(),
                          hex.coordinates});
    }
    endResetModel();
}

void SystemEntryModel::clear()
{
    beginResetModel();
    m_entries = {};
    endResetModel();
}

int SystemEntryModel::rowAt(const GalacticCoordinates &coordinates) const
{
    for (qsizetype row = 0; row < m_entries.size(); ++row) {
        if (m_entries.at(row).coordinates == coordinates)
            return int(row);
    }
    return -1;
}

bool SystemEntryModel::matches(int row, const QString &text) const
{
    const Entry &entry = m_entries.at(row);
    return entry.name.contains(text, Qt::CaseInsensitive) || entry.hex.contains(text, Qt::CaseInsensitive);
}

int SystemEntryModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_entries.size());
}

int SystemEntryModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kColumns;
}

QVariant SystemEntryModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_entries.size())
        return {};
    const Entry &entry = m_entries.at(index.row());
    switch (role) {
    case Qt::DisplayRole: return index.column() == nameColumn ? entry.name : entry.hex;
    case Qt::ToolTipRole: return index.column() == nameColumn ? plainToolTip(entry.name) : QString();
    case CoordinatesRole: return QVariant::fromValue(entry.coordinates);
    default: return {};
    }
}
