#include "SystemListModel.h"

#include "SystemListRow.h"
#include "universe/StarfarerUniverse.h"

#include <QSet>

#include <algorithm>
#include <tuple>

namespace {

// The subsector's place in its sector, A to P across and down; not capped, so rows
// below the sector's last subsector row come after P.
qint64 subsectorIndex(const GalacticCoordinates &c)
{
    return 4 * (std::max<qint64>(c.row - 1, 0) / 10) + std::max<qint64>(c.column - 1, 0) / 8;
}

// Separates the searched texts so that a search never matches across two of them.
constexpr QChar kSeparator = QChar(0x1F);

} // namespace

SystemListModel::SystemListModel(StarfarerUniverse *universe, QObject *parent)
    : QAbstractListModel(parent), m_universe(universe), m_rutters(universe)
{
    if (universe) {
        connect(universe, &StarfarerUniverse::dataChanged, this, [this] {
            rebuildEntries();
            refreshRows();
        });
        connect(universe, &StarfarerUniverse::hexInserted, this, &SystemListModel::insertEntry);
        connect(universe, &StarfarerUniverse::hexReplaced, this, &SystemListModel::replaceEntry);
        connect(universe, &StarfarerUniverse::hexRemoved, this, &SystemListModel::removeEntry);
        // The rows name far ends, factions and their colours: repaint them.
        const auto repaint = [this] {
            if (!m_rows.isEmpty())
                emit dataChanged(index(0), index(int(m_rows.size()) - 1), {RowRole});
        };
        connect(universe, &StarfarerUniverse::ruttersChanged, this, repaint);
        connect(universe, &StarfarerUniverse::factionsChanged, this, repaint);
    }
    rebuildEntries();
    refreshRows();
}

int SystemListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant SystemListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size() || !m_universe)
        return {};
    const qsizetype position = m_rows[index.row()];
    switch (role) {
    case HexIDRole: return m_entries[position].id;
    case LineCountRole: return m_entries[position].lineCount;
    case RoutesTitleRole: return m_universe->usesTravellerRules() ? tr("Routes") : tr("Rutters");
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole: {
        const HexData &hex = m_universe->data()[position];
        return hex.starSystem.name;
    }
    case RowRole: {
        const HexData &hex = m_universe->data()[position];
        return QVariant::fromValue(
            SystemListRow::of(*m_universe, hex, m_rutters.destinations(hex.coordinates)));
    }
    default: return {};
    }
}

void SystemListModel::setSearchText(const QString &text)
{
    if (text == m_searchText)
        return;
    m_searchText = text;
    refreshRows();
}

void SystemListModel::setSortOrder(SystemSort order)
{
    if (order == m_sortOrder)
        return;
    m_sortOrder = order;
    refreshRows();
}

void SystemListModel::setSubsectorFilter(const std::optional<SubsectorKey> &filter)
{
    if (filter == m_subsectorFilter)
        return;
    m_subsectorFilter = filter;
    refreshRows();
}

QList<SubsectorKey> SystemListModel::availableSubsectors() const
{
    QSet<SubsectorKey> distinct;
    for (const Entry &entry : m_entries)
        distinct.insert({entry.coordinates.sectorX, entry.coordinates.sectorY, entry.letter});
    QList<SubsectorKey> keys(distinct.begin(), distinct.end());
    SubsectorKey::sort(keys);
    return keys;
}

QList<HexData> SystemListModel::filteredSystems() const
{
    QList<HexData> hexes;
    hexes.reserve(m_rows.size());
    for (qsizetype position : m_rows)
        hexes.append(m_universe->data()[position]);
    return hexes;
}

HexData SystemListModel::hexAt(int row) const
{
    return m_universe->data()[m_rows[row]];
}

SystemListModel::Entry SystemListModel::entry(const HexData &hex) const
{
    Entry entry;
    entry.id = hex.id;
    entry.coordinates = hex.coordinates;
    entry.subsectorIndex = subsectorIndex(hex.coordinates);
    entry.letter = hex.coordinates.subsectorLetter();
    const StarSystem &system = hex.starSystem;
    entry.haystack =
        hex.coordinates.description() + QLatin1Char(' ') + entry.letter + kSeparator + system.name;
    for (const Star &star : system.stars) {
        for (const WorldData &world : star.worlds)
            entry.haystack += kSeparator + world.name;
    }
    entry.haystack = entry.haystack.toCaseFolded();
    entry.hasName = !system.name.isEmpty();
    entry.nameKey = m_order.key(system.name);
    const std::optional<WorldData> mainWorld = system.mainWorld();
    const QString mainWorldName = mainWorld ? mainWorld->name : QString();
    entry.hasMainWorldName = !mainWorldName.isEmpty();
    entry.mainWorldKey = m_order.key(mainWorldName);
    entry.lineCount = SystemListRow::lineCount(hex);
    return entry;
}

void SystemListModel::rebuildEntries()
{
    m_entries.clear();
    if (!m_universe)
        return;
    m_entries.reserve(m_universe->data().size());
    for (const HexData &hex : m_universe->data())
        m_entries.push_back(entry(hex));
}

qsizetype SystemListModel::entryPosition(const QUuid &id) const
{
    const auto found = std::find_if(m_entries.begin(), m_entries.end(),
                                    [&id](const Entry &entry) { return entry.id == id; });
    return found == m_entries.end() ? -1 : found - m_entries.begin();
}

bool SystemListModel::entriesMatchData() const
{
    const HexList &data = m_universe->data();
    return qsizetype(m_entries.size()) == data.size() &&
           (data.isEmpty() ||
            (m_entries.front().id == data.front().id && m_entries.back().id == data.back().id));
}

void SystemListModel::insertEntry(const QUuid &)
{
    // A hex is appended to the stored data.
    if (m_universe && !m_universe->data().isEmpty())
        m_entries.push_back(entry(m_universe->data().back()));
    if (!entriesMatchData())
        rebuildEntries();
    refreshRows();
}

void SystemListModel::replaceEntry(const QUuid &id)
{
    const qsizetype position = entryPosition(id);
    if (position >= 0 && position < m_universe->data().size())
        m_entries[position] = entry(m_universe->data()[position]);
    if (position < 0 || !entriesMatchData() || m_entries[position].id != m_universe->data()[position].id)
        rebuildEntries();
    refreshRows();
}

void SystemListModel::removeEntry(const QUuid &id)
{
    const qsizetype position = entryPosition(id);
    if (position >= 0)
        m_entries.erase(m_entries.begin() + position);
    if (!entriesMatchData())
        rebuildEntries();
    refreshRows();
}

bool SystemListModel::passesFilters(const Entry &entry, const QString &needle) const
{
    if (m_subsectorFilter && (entry.coordinates.sectorX != m_subsectorFilter->sectorX ||
                              entry.coordinates.sectorY != m_subsectorFilter->sectorY ||
                              entry.letter != m_subsectorFilter->letter))
        return false;
    return needle.isEmpty() || entry.haystack.contains(needle);
}

bool SystemListModel::comesBefore(const Entry &a, const Entry &b) const
{
    const auto coordinateOrder = [&] {
        return std::tie(a.coordinates.sectorX, a.coordinates.sectorY, a.subsectorIndex, a.coordinates.column,
                        a.coordinates.row) < std::tie(b.coordinates.sectorX, b.coordinates.sectorY,
                                                      b.subsectorIndex, b.coordinates.column,
                                                      b.coordinates.row);
    };
    // Named first; names that collate the same fall back to the coordinates.
    const auto byText = [&](bool aHas, bool bHas, const QCollatorSortKey &aKey,
                            const QCollatorSortKey &bKey) {
        if (aHas != bHas)
            return aHas;
        const int order = aKey.compare(bKey);
        return order != 0 ? order < 0 : coordinateOrder();
    };
    switch (m_sortOrder) {
    case SystemSort::name: return byText(a.hasName, b.hasName, *a.nameKey, *b.nameKey);
    case SystemSort::mainWorld:
        return byText(a.hasMainWorldName, b.hasMainWorldName, *a.mainWorldKey, *b.mainWorldKey);
    case SystemSort::coordinates: break;
    }
    return coordinateOrder();
}

void SystemListModel::refreshRows()
{
    beginResetModel();
    m_rows.clear();
    const QString needle = m_searchText.trimmed().toCaseFolded();
    for (qsizetype position = 0; position < qsizetype(m_entries.size()); ++position) {
        if (passesFilters(m_entries[position], needle))
            m_rows.append(position);
    }
    std::stable_sort(m_rows.begin(), m_rows.end(),
                     [this](qsizetype a, qsizetype b) { return comesBefore(m_entries[a], m_entries[b]); });
    endResetModel();
}
