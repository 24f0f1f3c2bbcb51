#pragma once

#include "RutterIndex.h"
#include "SubsectorKey.h"
#include "SystemSort.h"
#include "model/HexData.h"
#include "model/NaturalOrder.h"

#include <QAbstractListModel>
#include <QPointer>

#include <optional>
#include <vector>

class StarfarerUniverse;

// The rows of the system list: the universe's systems restricted to one subsector
// and to a search text, in one of three orders. Every system's search text and sort
// keys are computed once, when the system arrives or changes (the document notifies
// per hex), so that searching and sorting many thousands of systems only compares
// precomputed values. A row's data are its hex id and the SystemListRow to paint.
class SystemListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    enum Role {
        HexIDRole = Qt::UserRole + 1,
        RowRole,         // SystemListRow
        LineCountRole,   // int: text lines of the row's info column
        RoutesTitleRole, // "Routes" under Traveller rules, else "Rutters"
    };

    explicit SystemListModel(StarfarerUniverse *universe, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

    const QString &searchText() const { return m_searchText; }
    SystemSort sortOrder() const { return m_sortOrder; }
    const std::optional<SubsectorKey> &subsectorFilter() const { return m_subsectorFilter; }
    void setSearchText(const QString &text);
    void setSortOrder(SystemSort order);
    void setSubsectorFilter(const std::optional<SubsectorKey> &filter);

    // The distinct subsectors of all systems, sorted.
    QList<SubsectorKey> availableSubsectors() const;
    // The hexes the rows show, in row order.
    QList<HexData> filteredSystems() const;
    HexData hexAt(int row) const;

private:
    struct Entry
    {
        QUuid id;
        GalacticCoordinates coordinates;
        qint64 subsectorIndex = 0;
        QString letter;
        QString haystack; // label, name and world names, case-folded
        bool hasName = false;
        bool hasMainWorldName = false;
        std::optional<QCollatorSortKey> nameKey;
        std::optional<QCollatorSortKey> mainWorldKey;
        int lineCount = 0;
    };

    Entry entry(const HexData &hex) const;
    void rebuildEntries();
    void insertEntry(const QUuid &id);
    void replaceEntry(const QUuid &id);
    void removeEntry(const QUuid &id);
    qsizetype entryPosition(const QUuid &id) const;
    bool entriesMatchData() const;
    bool passesFilters(const Entry &entry, const QString &needle) const;
    bool comesBefore(const Entry &a, const Entry &b) const;
    // Filters and sorts again; the view shows the new rows.
    void refreshRows();

    QPointer<StarfarerUniverse> m_universe;
    NaturalOrder m_order;
    RutterIndex m_rutters;
    std::vector<Entry> m_entries; // in the universe's stored order
    QList<qsizetype> m_rows;      // positions in m_entries, in row order
    QString m_searchText;
    SystemSort m_sortOrder = SystemSort::coordinates;
    std::optional<SubsectorKey> m_subsectorFilter;
};
