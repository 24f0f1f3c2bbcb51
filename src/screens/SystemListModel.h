#pragma once

#include "RutterIndex.h"
#include "SubsectorKey.h"
#include "SystemListKeyMaker.h"
#include "SystemListOrders.h"
#include "model/HexData.h"
#include "model/NaturalOrder.h"

#include <QAbstractListModel>
#include <QPointer>
#include <QSet>

#include <vector>

class StarfarerUniverse;

// The systems of the universe, one row per stored hex in the universe's order, for
// the system list (SystemListProxy searches, filters and sorts them). It follows the
// document's per-hex signals row by row: an insert (or a batch of them) inserts rows,
// a removal removes one, a replacement changes one; only a whole new list of systems
// resets it. A row's search text, sort keys and height are made when something first
// asks for them — a search, a sort by name, the view laying the row out — and kept
// until its system changes, so that opening the list reads only where each system
// lies, and searching and sorting many thousands of systems then compares kept values.
// A list of many systems makes the search texts, the names and their orders for all of
// them ahead of need, off the GUI thread (SystemListKeyMaker), as soon as it has them;
// while that goes on, what needs them waits for it (keysMade) instead of making them
// on the GUI thread.
class SystemListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    enum Role {
        HexIDRole = Qt::UserRole + 1,
        RowRole,         // SystemRowContent
        LineCountRole,   // int: text lines of the row's info column
        RoutesTitleRole, // "Routes" under Traveller rules, else "Rutters"
    };
    // What is dataChanged with these roles only is repainted, never searched or
    // sorted again: the row's far ends, factions and wording.
    static inline const QList<int> kShownRoles{RowRole, RoutesTitleRole};

    // A list of at least this many systems makes its keys ahead of need, off the GUI
    // thread; a smaller one makes them when first needed, within a few milliseconds.
    static constexpr qsizetype kMadeAheadFrom = 1000;

    explicit SystemListModel(StarfarerUniverse *universe, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

    // Where the system of a row lies.
    const SystemListKeys &entry(int row) const { return m_entries[std::size_t(row)]; }
    // What a search looks in: the row's label with its subsector letter, its system's
    // name and its worlds' names, case-folded.
    const QString &searchedText(int row) const;
    // Whether the search texts, or the rows in `order` (an order by a name), are being
    // made ahead of need: then what needs them waits for keysMade() instead of making
    // them here.
    bool isMakingSearchTexts() const;
    bool isMakingOrder(SystemSort order) const;
    // The rows in `order`, and a row's place in it.
    const std::vector<int> &rowsIn(SystemSort order) const;
    int rank(SystemSort order, int row) const;
    // The stored hex of a row.
    HexData hexAt(int row) const;
    // The distinct subsectors of all systems, sorted.
    QList<SubsectorKey> availableSubsectors() const;

signals:
    // Keys made ahead of need were taken in.
    void keysMade();

private:
    // The place of `hex`, and the names of the orders sorted so far.
    SystemListKeys entry(const HexData &hex) const;
    // The stored hex of a row; null for the row whose removal is being told.
    const HexData *storedHex(int row) const;
    void sortIfNeeded(SystemSort order) const;
    void fillSortName(SystemSort order, SystemListKeys &entry, const HexData &hex) const;
    // Takes in what was made ahead of need from the copy of the rows.
    void take(SystemListKeyMaker::Made &made);
    int rowOf(const QUuid &id) const;
    void reset();
    void insertRows(qsizetype first, qsizetype count);
    void replaceRow(const QUuid &id, const GalacticCoordinates &from, const GalacticCoordinates &to);
    void removeRow(const QUuid &id, const GalacticCoordinates &at);
    // Systems changed at these places: the rows naming them as a rutter's far end
    // are repainted.
    void repaintFarEnds(const QList<GalacticCoordinates> &places);
    void repaintRowsAt(const QSet<GalacticCoordinates> &places);
    // Repaints every row, searching and sorting nothing again.
    void repaintAll();

    QPointer<StarfarerUniverse> m_universe;
    NaturalOrder m_order;
    RutterIndex m_rutters;
    // In the universe's order. What is made on demand is filled in by const readers.
    mutable std::vector<SystemListKeys> m_entries;
    mutable SystemListOrders m_orders;
    SystemListKeyMaker *m_maker;
    // While keys are made ahead of need, by row: the row of the copy they are made from
    // that still holds the row's hex, or -1 for a row that came or changed since.
    std::vector<int> m_fromCopy;
    int m_removing = -1; // the row whose removal is being told
};
