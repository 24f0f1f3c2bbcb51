#include "SystemListModel.h"

#include "SystemRowContent.h"
#include "universe/UniverseChanges.h"

#include <QSet>

#include <algorithm>
#include <numeric>

SystemListModel::SystemListModel(StarfarerUniverse *universe, QObject *parent)
    : QAbstractListModel(parent), m_universe(universe), m_rutters(universe),
      m_maker(new SystemListKeyMaker([this](SystemListKeyMaker::Made &made) { take(made); }, this))
{
    if (universe) {
        using U = StarfarerUniverse;
        connect(universe, &U::dataChanged, this, &SystemListModel::reset);
        connect(universe, &U::hexInserted, this, [this] { insertRows(m_universe->data().size() - 1, 1); });
        connect(universe, &U::hexesInserted, this, &SystemListModel::insertRows);
        connect(universe, &U::hexReplaced, this, &SystemListModel::replaceRow);
        connect(universe, &U::hexRemoved, this, &SystemListModel::removeRow);
        // The rows name far ends, factions and their colours, and the rules' word.
        UniverseChanges::onObjects<Rutter>(
            universe, this,
            [this](const ObjectChange<Rutter> &change) {
                QSet<GalacticCoordinates> ends;
                for (const Rutter *rutter : {change.before, change.after}) {
                    if (rutter)
                        ends += {rutter->start, rutter->end};
                }
                if (change.isWholeList())
                    repaintAll();
                else
                    repaintRowsAt(ends);
            },
            [this](qsizetype first, qsizetype count) {
                QSet<GalacticCoordinates> ends;
                for (const Rutter &rutter : m_universe->rutters().sliced(first, count))
                    ends += {rutter.start, rutter.end};
                repaintRowsAt(ends);
            });
        UniverseChanges::onObjects<Faction>(universe, this,
                                            [this](const ObjectChange<Faction> &) { repaintAll(); });
        connect(universe, &U::usesTravellerRulesChanged, this, &SystemListModel::repaintAll);
    }
    reset();
}

int SystemListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_entries.size());
}

QVariant SystemListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || !m_universe)
        return {};
    SystemListKeys &shown = m_entries[std::size_t(index.row())];
    switch (role) {
    case HexIDRole: return shown.id;
    case RoutesTitleRole: return m_universe->usesTravellerRules() ? tr("Routes") : tr("Rutters");
    case LineCountRole:
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
    case RowRole: break;
    default: return {};
    }
    const HexData *hex = storedHex(index.row());
    if (!hex)
        return {};
    switch (role) {
    case LineCountRole:
        if (!shown.lineCount)
            shown.lineCount = SystemRowContent::lineCount(*hex);
        return *shown.lineCount;
    case RowRole:
        return QVariant::fromValue(
            SystemRowContent::of(*m_universe, *hex, m_rutters.destinations(hex->coordinates)));
    default: return hex->starSystem.name;
    }
}

const HexData *SystemListModel::storedHex(int row) const
{
    // While a removal is told, the document no longer holds that row's hex, and
    // holds the later rows' one place earlier.
    if (m_removing >= 0 && row >= m_removing) {
        if (row == m_removing)
            return nullptr;
        --row;
    }
    return &m_universe->data()[row];
}

const QString &SystemListModel::searchedText(int row) const
{
    SystemListKeys &entry = m_entries[std::size_t(row)];
    if (!entry.haystack) {
        const HexData *hex = storedHex(row);
        entry.haystack = hex ? SystemListKeys::searchedText(*hex) : QString();
    }
    return *entry.haystack;
}

bool SystemListModel::isMakingSearchTexts() const
{
    return m_maker->isMakingSearchTexts();
}

bool SystemListModel::isMakingOrder(SystemSort order) const
{
    return m_maker->isMakingOrder(order);
}

const std::vector<int> &SystemListModel::rowsIn(SystemSort order) const
{
    sortIfNeeded(order);
    return m_orders.rows(order);
}

int SystemListModel::rank(SystemSort order, int row) const
{
    sortIfNeeded(order);
    return m_orders.rank(order, row);
}

void SystemListModel::sortIfNeeded(SystemSort order) const
{
    if (m_orders.isSorted(order))
        return;
    for (std::size_t row = 0; SystemListKeys::sortName(order) && row < m_entries.size(); ++row) {
        if (const HexData *hex = storedHex(int(row)))
            fillSortName(order, m_entries[row], *hex);
    }
    m_orders.sort(order, m_entries);
}

void SystemListModel::fillSortName(SystemSort order, SystemListKeys &entry, const HexData &hex) const
{
    const auto member = SystemListKeys::sortName(order);
    if (member && !(entry.*member))
        entry.*member = SystemListKeys::sortNameOf(SystemListKeys::sortedText(order, hex), m_order);
}

void SystemListModel::take(SystemListKeyMaker::Made &made)
{
    // The rows made from the copy that still hold the same hex take what was made;
    // the others are made here when needed, as any row changed later is.
    std::vector<int> rowOf(made.entries.size(), -1);
    for (std::size_t row = 0; row < m_fromCopy.size(); ++row) {
        const int copied = m_fromCopy[row];
        if (copied < 0)
            continue;
        rowOf[std::size_t(copied)] = int(row);
        SystemListKeys &entry = m_entries[row];
        SystemListKeys &madeEntry = made.entries[std::size_t(copied)];
        for (auto member : {&SystemListKeys::name, &SystemListKeys::mainWorldName}) {
            if (!(entry.*member))
                entry.*member = std::move(madeEntry.*member);
        }
        if (!entry.haystack)
            entry.haystack = std::move(madeEntry.haystack);
    }
    for (auto &[order, copiedRows] : made.orders) {
        if (m_orders.isSorted(order))
            continue;
        std::vector<int> rows;
        rows.reserve(copiedRows.size());
        for (const int copied : copiedRows) {
            if (const int row = rowOf[std::size_t(copied)]; row >= 0)
                rows.push_back(row);
        }
        for (std::size_t row = 0; row < m_entries.size(); ++row) {
            if (m_fromCopy[row] < 0)
                fillSortName(order, m_entries[row], m_universe->data()[qsizetype(row)]);
        }
        m_orders.adopt(order, m_entries, std::move(rows));
    }
    if (!m_maker->isMaking())
        m_fromCopy.clear();
    emit keysMade();
}

HexData SystemListModel::hexAt(int row) const
{
    return m_universe->data()[row];
}

QList<SubsectorKey> SystemListModel::availableSubsectors() const
{
    QSet<SubsectorKey> distinct;
    for (const SystemListKeys &entry : m_entries)
        distinct.insert(SubsectorKey::of(entry.coordinates));
    QList<SubsectorKey> keys(distinct.begin(), distinct.end());
    SubsectorKey::sort(keys);
    return keys;
}

SystemListKeys SystemListModel::entry(const HexData &hex) const
{
    SystemListKeys entry = SystemListKeys::of(hex);
    // The orders kept so far place the system by its names.
    for (const SystemSort order : {SystemSort::name, SystemSort::mainWorld}) {
        if (m_orders.isSorted(order))
            fillSortName(order, entry, hex);
    }
    return entry;
}

int SystemListModel::rowOf(const QUuid &id) const
{
    const auto found = std::find_if(m_entries.cbegin(), m_entries.cend(),
                                    [&id](const SystemListKeys &entry) { return entry.id == id; });
    return found == m_entries.cend() ? -1 : int(found - m_entries.cbegin());
}

void SystemListModel::reset()
{
    beginResetModel();
    m_entries.clear();
    m_orders.reset();
    m_maker->stop();
    m_fromCopy.clear();
    if (m_universe) {
        // Room for the systems imports bring: growing the entries copies every one of
        // them (their sort keys cannot be moved), a stall of the GUI thread in a large
        // universe that would otherwise fall on the first import after opening.
        const qsizetype size = m_universe->data().size();
        m_entries.reserve(std::size_t(size + size / 2 + 1024));
        for (const HexData &hex : m_universe->data())
            m_entries.push_back(entry(hex));
        if (size >= kMadeAheadFrom) {
            m_fromCopy.resize(std::size_t(size));
            std::iota(m_fromCopy.begin(), m_fromCopy.end(), 0);
            m_maker->start(m_universe->data());
        }
    }
    endResetModel();
}

void SystemListModel::insertRows(qsizetype first, qsizetype count)
{
    const auto &data = m_universe->data();
    beginInsertRows({}, int(first), int(first + count - 1));
    QList<GalacticCoordinates> places;
    for (qsizetype i = first; i < first + count; ++i) {
        m_entries.insert(m_entries.begin() + i, entry(data[i]));
        places.append(data[i].coordinates);
    }
    if (m_maker->isMaking())
        m_fromCopy.insert(m_fromCopy.begin() + first, std::size_t(count), -1);
    m_orders.inserted(m_entries, int(first), int(count));
    endInsertRows();
    repaintFarEnds(places);
}

void SystemListModel::replaceRow(const QUuid &id, const GalacticCoordinates &from,
                                 const GalacticCoordinates &to)
{
    // The rows stand in the universe's order and the hex now stands at `to`: its row is
    // the first row there that still holds the id it had (an earlier hex with that id
    // would have been the one replaced), found through the universe's index.
    int row = -1;
    for (const qsizetype at : m_universe->positionsOfHexesAt(to)) {
        if (at < qsizetype(m_entries.size()) && m_entries[std::size_t(at)].id == id) {
            row = int(at);
            break;
        }
    }
    if (row < 0)
        return;
    m_entries[std::size_t(row)] = entry(m_universe->data()[row]);
    if (m_maker->isMaking())
        m_fromCopy[std::size_t(row)] = -1;
    m_orders.changed(m_entries, row);
    emit dataChanged(index(row), index(row));
    repaintFarEnds(from == to ? QList{from} : QList{from, to});
}

void SystemListModel::removeRow(const QUuid &id, const GalacticCoordinates &at)
{
    const int row = rowOf(id);
    if (row < 0)
        return;
    m_removing = row;
    beginRemoveRows({}, row, row);
    m_entries.erase(m_entries.begin() + row);
    if (m_maker->isMaking())
        m_fromCopy.erase(m_fromCopy.begin() + row);
    m_orders.removed(row);
    m_removing = -1;
    endRemoveRows();
    repaintFarEnds({at});
}

void SystemListModel::repaintFarEnds(const QList<GalacticCoordinates> &places)
{
    // A row lists the rutters touching its hex, each named by the system at its far
    // end: the rows to repaint stand at the far ends of the rutters touching `places`.
    QSet<GalacticCoordinates> farEnds;
    for (const GalacticCoordinates &place : places) {
        for (const GalacticCoordinates &farEnd : m_rutters.farEnds(place))
            farEnds.insert(farEnd);
    }
    repaintRowsAt(farEnds);
}

void SystemListModel::repaintRowsAt(const QSet<GalacticCoordinates> &places)
{
    // The rows stand in the universe's order: its index names the rows at each place.
    std::vector<qsizetype> rows;
    for (const GalacticCoordinates &place : places) {
        for (const qsizetype row : m_universe->positionsOfHexesAt(place))
            rows.push_back(row);
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (const qsizetype row : rows)
        emit dataChanged(index(int(row)), index(int(row)), kShownRoles);
}

void SystemListModel::repaintAll()
{
    if (!m_entries.empty())
        emit dataChanged(index(0), index(rowCount() - 1), kShownRoles);
}
