#pragma once

#include "SubsectorKey.h"
#include "SystemSort.h"
#include "model/HexData.h"

#include <QAbstractProxyModel>

#include <functional>
#include <optional>

class SystemListModel;

// The rows of the system list: the systems of a SystemListModel restricted to one
// subsector and to a search text, in one of three orders. It follows its source row
// by row: a changed system keeps its row or moves to its new place (or comes or goes
// with the filters), the systems of a batch take their places in one update, and a
// removed system takes its row along, so the current row and the selection stay on
// their systems. A new search, filter or order rearranges the rows in one layout
// change. It sorts by the places the source keeps for every row in each order, so
// sorting compares whole numbers, never names. A search or an order by name asked for
// while the source still makes the keys it needs ahead of need is kept until they are
// made, or until a whole new list of systems too few to make them ahead for comes, the
// rows staying those of the search, order and filter shown until then: the GUI thread
// neither waits for the keys nor makes them itself.
class SystemListProxy : public QAbstractProxyModel
{
    Q_OBJECT

public:
    explicit SystemListProxy(SystemListModel *source, QObject *parent = nullptr);

    QModelIndex index(int row, int column = 0, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    QModelIndex sibling(int row, int column, const QModelIndex &index) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    bool hasChildren(const QModelIndex &parent = {}) const override;
    QModelIndex mapToSource(const QModelIndex &proxyIndex) const override;
    QModelIndex mapFromSource(const QModelIndex &sourceIndex) const override;

    // The search, order and filter of the rows shown.
    const QString &searchText() const { return m_shown.searchText; }
    SystemSort sortOrder() const { return m_shown.sortOrder; }
    const std::optional<SubsectorKey> &subsectorFilter() const { return m_shown.subsectorFilter; }
    // Asks for another search, order or filter: the rows follow at once, or once the
    // keys it needs are made.
    void setSearchText(const QString &text);
    void setSortOrder(SystemSort order);
    void setSubsectorFilter(const std::optional<SubsectorKey> &filter);
    // Whether what was asked for last waits for keys still being made.
    bool isWaitingForKeys() const { return !(m_asked == m_shown); }

    // The distinct subsectors of all systems, sorted.
    QList<SubsectorKey> availableSubsectors() const;
    // The hexes the rows show, in row order.
    QList<HexData> filteredSystems() const;
    HexData hexAt(int row) const;

signals:
    // The rows show another search, order or filter: what was asked for, as soon as
    // the keys it needs are made.
    void shownChanged();

private:
    struct View
    {
        QString searchText;
        SystemSort sortOrder = SystemSort::coordinates;
        std::optional<SubsectorKey> subsectorFilter;

        friend bool operator==(const View &, const View &) = default;
    };

    // Whether what was asked for is not shown and needs no keys still being made.
    bool canShowAsked() const;
    // Takes what was asked for as what is shown; the rows are filtered again after.
    void takeAsked();
    // Shows what was asked for, unless it needs keys still being made.
    void showAsked();
    bool accepts(int sourceRow) const;
    // Whether the system of one source row comes before the other's in the order
    // shown: a total order.
    bool comesBefore(int a, int b) const;
    // Where a source row belongs among the rows in [from, to).
    int placeOf(int sourceRow, int from, int to) const;
    void refilter();
    void reindex();
    // Numbers again the rows from `from` to `to`, which a change moved; the others
    // kept their places.
    void reindex(int from, int to);
    // Changes the rows in one layout change, keeping persistent indexes on their
    // systems.
    void relayout(const std::function<void()> &change);
    void sourceRowChanged(int sourceRow);
    void sourceRowsInserted(int first, int last);
    void sourceRowsAboutToBeRemoved(int first, int last);
    void sourceRowsRemoved(int first, int last);
    void sourceDataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                           const QList<int> &roles);

    SystemListModel *m_source;
    QList<int> m_rows;       // source rows, in row order
    QList<int> m_proxyRowOf; // by source row: its row here, or -1
    View m_shown;
    View m_asked;
    QString m_needle; // the search text shown, trimmed and case-folded
};
