#include "SystemListProxy.h"

#include "SystemListModel.h"

#include <algorithm>

SystemListProxy::SystemListProxy(SystemListModel *source, QObject *parent)
    : QAbstractProxyModel(parent), m_source(source)
{
    QAbstractProxyModel::setSourceModel(source);
    connect(source, &QAbstractItemModel::modelAboutToBeReset, this, [this] { beginResetModel(); });
    connect(source, &QAbstractItemModel::modelReset, this, [this] {
        // What was asked for and waits for keys is shown with the new rows once these
        // need none still being made: a list too small to make them ahead makes none.
        const bool asked = canShowAsked();
        if (asked)
            takeAsked();
        refilter();
        endResetModel();
        if (asked)
            emit shownChanged();
    });
    connect(source, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex &, int first, int last) { sourceRowsInserted(first, last); });
    connect(source, &QAbstractItemModel::rowsAboutToBeRemoved, this,
            [this](const QModelIndex &, int first, int last) { sourceRowsAboutToBeRemoved(first, last); });
    connect(source, &QAbstractItemModel::rowsRemoved, this,
            [this](const QModelIndex &, int first, int last) { sourceRowsRemoved(first, last); });
    connect(source, &QAbstractItemModel::dataChanged, this, &SystemListProxy::sourceDataChanged);
    connect(source, &SystemListModel::keysMade, this, &SystemListProxy::showAsked);
    refilter();
}

QModelIndex SystemListProxy::index(int row, int column, const QModelIndex &parent) const
{
    if (parent.isValid() || row < 0 || row >= m_rows.size() || column != 0)
        return {};
    return createIndex(row, column);
}

QModelIndex SystemListProxy::parent(const QModelIndex &) const
{
    return {};
}

QModelIndex SystemListProxy::sibling(int row, int column, const QModelIndex &) const
{
    return index(row, column);
}

int SystemListProxy::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int SystemListProxy::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 1;
}

bool SystemListProxy::hasChildren(const QModelIndex &parent) const
{
    return !parent.isValid() && !m_rows.isEmpty();
}

QModelIndex SystemListProxy::mapToSource(const QModelIndex &proxyIndex) const
{
    if (!proxyIndex.isValid() || proxyIndex.row() >= m_rows.size())
        return {};
    return m_source->index(m_rows[proxyIndex.row()]);
}

QModelIndex SystemListProxy::mapFromSource(const QModelIndex &sourceIndex) const
{
    if (!sourceIndex.isValid() || sourceIndex.row() >= m_proxyRowOf.size())
        return {};
    return index(m_proxyRowOf[sourceIndex.row()]);
}

void SystemListProxy::setSearchText(const QString &text)
{
    m_asked.searchText = text;
    showAsked();
}

void SystemListProxy::setSortOrder(SystemSort order)
{
    m_asked.sortOrder = order;
    showAsked();
}

void SystemListProxy::setSubsectorFilter(const std::optional<SubsectorKey> &filter)
{
    m_asked.subsectorFilter = filter;
    showAsked();
}

bool SystemListProxy::canShowAsked() const
{
    if (m_asked == m_shown)
        return false;
    const bool searches = !m_asked.searchText.trimmed().isEmpty();
    return !(searches && m_source->isMakingSearchTexts()) && !m_source->isMakingOrder(m_asked.sortOrder);
}

void SystemListProxy::takeAsked()
{
    m_shown = m_asked;
    m_needle = m_shown.searchText.trimmed().toCaseFolded();
}

void SystemListProxy::showAsked()
{
    if (!canShowAsked())
        return;
    relayout([this] {
        takeAsked();
        refilter();
    });
    emit shownChanged();
}

QList<SubsectorKey> SystemListProxy::availableSubsectors() const
{
    return m_source->availableSubsectors();
}

QList<HexData> SystemListProxy::filteredSystems() const
{
    QList<HexData> hexes;
    hexes.reserve(m_rows.size());
    for (const int row : m_rows)
        hexes.append(m_source->hexAt(row));
    return hexes;
}

HexData SystemListProxy::hexAt(int row) const
{
    return m_source->hexAt(m_rows[row]);
}

bool SystemListProxy::accepts(int sourceRow) const
{
    const SystemListKeys &entry = m_source->entry(sourceRow);
    const std::optional<SubsectorKey> &filter = m_shown.subsectorFilter;
    if (filter &&
        (entry.coordinates.sectorX != filter->sectorX || entry.coordinates.sectorY != filter->sectorY ||
         entry.coordinates.subsectorLetter() != filter->letter))
        return false;
    return m_needle.isEmpty() || m_source->searchedText(sourceRow).contains(m_needle);
}

bool SystemListProxy::comesBefore(int a, int b) const
{
    return m_source->rank(m_shown.sortOrder, a) < m_source->rank(m_shown.sortOrder, b);
}

int SystemListProxy::placeOf(int sourceRow, int from, int to) const
{
    return int(std::partition_point(m_rows.cbegin() + from, m_rows.cbegin() + to,
                                    [&](int row) { return comesBefore(row, sourceRow); }) -
               m_rows.cbegin());
}

void SystemListProxy::refilter()
{
    // The source keeps every row in each order: walking it sorts the rows.
    m_rows.clear();
    for (const int row : m_source->rowsIn(m_shown.sortOrder)) {
        if (accepts(row))
            m_rows.append(row);
    }
    reindex();
}

void SystemListProxy::reindex()
{
    m_proxyRowOf.fill(-1, m_source->rowCount());
    reindex(0, int(m_rows.size()));
}

void SystemListProxy::reindex(int from, int to)
{
    for (int row = from; row < to; ++row)
        m_proxyRowOf[m_rows[row]] = row;
}

void SystemListProxy::relayout(const std::function<void()> &change)
{
    emit layoutAboutToBeChanged();
    const QModelIndexList before = persistentIndexList();
    QList<int> sourceRows;
    for (const QModelIndex &index : before)
        sourceRows.append(m_rows[index.row()]);
    change();
    QModelIndexList after;
    for (const int sourceRow : sourceRows) {
        const int row = sourceRow < m_proxyRowOf.size() ? m_proxyRowOf[sourceRow] : -1;
        after.append(row < 0 ? QModelIndex() : index(row));
    }
    changePersistentIndexList(before, after);
    emit layoutChanged();
}

void SystemListProxy::sourceDataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                                        const QList<int> &roles)
{
    const bool shownOnly = !roles.isEmpty() && std::all_of(roles.cbegin(), roles.cend(), [](int role) {
        return SystemListModel::kShownRoles.contains(role);
    });
    if (!shownOnly) {
        for (int row = topLeft.row(); row <= bottomRight.row(); ++row)
            sourceRowChanged(row);
        return;
    }
    // Nothing searched or sorted changed: the rows shown are repainted where they are.
    int first = int(m_rows.size());
    int last = -1;
    for (int row = topLeft.row(); row <= bottomRight.row(); ++row) {
        if (const int shown = m_proxyRowOf[row]; shown >= 0) {
            first = std::min(first, shown);
            last = std::max(last, shown);
        }
    }
    if (last >= 0)
        emit dataChanged(index(first), index(last), roles);
}

void SystemListProxy::sourceRowChanged(int sourceRow)
{
    const int row = m_proxyRowOf[sourceRow];
    const bool accepted = accepts(sourceRow);
    if (row < 0 && !accepted)
        return;
    if (row < 0) {
        const int place = placeOf(sourceRow, 0, int(m_rows.size()));
        beginInsertRows({}, place, place);
        m_rows.insert(place, sourceRow);
        reindex(place, int(m_rows.size()));
        endInsertRows();
        return;
    }
    if (!accepted) {
        beginRemoveRows({}, row, row);
        m_rows.removeAt(row);
        m_proxyRowOf[sourceRow] = -1;
        reindex(row, int(m_rows.size()));
        endRemoveRows();
        return;
    }
    const int last = int(m_rows.size()) - 1;
    const bool afterPrevious = row == 0 || comesBefore(m_rows[row - 1], sourceRow);
    const bool beforeNext = row == last || comesBefore(sourceRow, m_rows[row + 1]);
    if (!afterPrevious || !beforeNext) {
        // The row moves to where it belongs among the others, given as the row it
        // goes in front of before the move.
        const int destination =
            afterPrevious ? placeOf(sourceRow, row + 1, last + 1) : placeOf(sourceRow, 0, row);
        beginMoveRows({}, row, row, {}, destination);
        const int to = destination > row ? destination - 1 : destination;
        m_rows.move(row, to);
        reindex(std::min(row, to), std::max(row, to) + 1);
        endMoveRows();
    }
    const QModelIndex moved = index(m_proxyRowOf[sourceRow]);
    emit dataChanged(moved, moved);
}

void SystemListProxy::sourceRowsInserted(int first, int last)
{
    const int count = last - first + 1;
    for (int &row : m_rows) {
        if (row >= first)
            row += count;
    }
    QList<int> added;
    for (int row = first; row <= last; ++row) {
        if (accepts(row))
            added.append(row);
    }
    if (added.isEmpty()) {
        reindex();
        return;
    }
    const auto before = [this](int a, int b) { return comesBefore(a, b); };
    std::sort(added.begin(), added.end(), before);
    QList<int> merged(m_rows.size() + added.size());
    std::merge(m_rows.cbegin(), m_rows.cend(), added.cbegin(), added.cend(), merged.begin(), before);
    // One update for the whole batch: a block of rows when the systems lie side by
    // side in the list's order (a new sector under the coordinates), else one layout
    // change.
    const int place = placeOf(added.first(), 0, int(m_rows.size()));
    const bool together = std::equal(added.cbegin(), added.cend(), merged.cbegin() + place);
    if (together) {
        beginInsertRows({}, place, place + int(added.size()) - 1);
        m_rows = std::move(merged);
        reindex();
        endInsertRows();
    } else {
        relayout([&] {
            m_rows = std::move(merged);
            reindex();
        });
    }
}

void SystemListProxy::sourceRowsAboutToBeRemoved(int first, int last)
{
    // From the last row, so that the rows still to go keep their places.
    QList<int> rows;
    for (int sourceRow = first; sourceRow <= last; ++sourceRow) {
        if (m_proxyRowOf[sourceRow] >= 0)
            rows.append(m_proxyRowOf[sourceRow]);
    }
    std::sort(rows.begin(), rows.end(), std::greater<>());
    for (const int row : rows) {
        beginRemoveRows({}, row, row);
        m_rows.removeAt(row);
        endRemoveRows();
    }
}

void SystemListProxy::sourceRowsRemoved(int first, int last)
{
    const int count = last - first + 1;
    for (int &row : m_rows) {
        if (row > last)
            row -= count;
    }
    reindex();
}
