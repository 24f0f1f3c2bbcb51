#pragma once

#include "SystemSort.h"
#include "model/GalacticCoordinates.h"

#include <QCollatorSortKey>
#include <QString>
#include <QUuid>

#include <optional>
#include <tuple>

struct HexData;
class NaturalOrder;

// A name the system list sorts by: whether there is one, and its collation key.
struct SystemListSortName
{
    bool isEmpty;
    QCollatorSortKey key;
};

// What the system list searches and sorts one system by. Its place is read when the
// system arrives or changes; the rest is made only once something needs it (a search,
// a sort by name, the row's height; in a large list, the making ahead of need) and
// kept until the system changes, so that opening a list of many thousands of systems
// reads little more than their places.
struct SystemListKeys
{
    QUuid id;
    GalacticCoordinates coordinates;
    qint64 subsectorIndex = 0;
    std::optional<QString> haystack; // label, name and world names, case-folded
    std::optional<SystemListSortName> name;
    std::optional<SystemListSortName> mainWorldName;
    std::optional<int> lineCount;

    // The place of `hex`, nothing made yet.
    static SystemListKeys of(const HexData &hex);
    // What a search looks in: the hex's label with its subsector letter, its system's
    // name and its worlds' names, case-folded, each apart from the next.
    static QString searchedText(const HexData &hex);
    // The name of `hex` that `order`, an order by a name, sorts by: the system's, or its
    // main world's (empty without one).
    static QString sortedText(SystemSort order, const HexData &hex);
    // That name to sort by, keyed by `names`.
    static SystemListSortName sortNameOf(const QString &text, const NaturalOrder &names);

    // Where the entry at `row` stands in coordinate order: by sector, subsector,
    // column and row, and equal places by row.
    using Place = std::tuple<qint64, qint64, qint64, qint64, qint64, int>;
    Place place(int row) const
    {
        return {coordinates.sectorX, coordinates.sectorY, subsectorIndex,
                coordinates.column,  coordinates.row,     row};
    }

    // The name that `order` sorts by, if it sorts by one.
    static std::optional<SystemListSortName> SystemListKeys::*sortName(SystemSort order);

    // Negative when the name `a` comes before `b`: named before unnamed, then by their
    // keys; zero when they sort alike.
    static int compareNames(const SystemListSortName &a, const SystemListSortName &b);
    // Whether `a` (at row `aRow` of the universe) comes before `b` in `order`: named
    // systems first, then by name, equal names by coordinates; equal coordinates by
    // their rows, so that the order is total and keeps the universe's order where a
    // stable sort would. Both entries hold the name `order` sorts by.
    static bool comesBefore(SystemSort order, const SystemListKeys &a, int aRow, const SystemListKeys &b,
                            int bRow);
    // The same in an order by a name, given each entry's name.
    static bool comesBefore(const SystemListSortName &aName, const SystemListKeys &a, int aRow,
                            const SystemListSortName &bName, const SystemListKeys &b, int bRow);
};
