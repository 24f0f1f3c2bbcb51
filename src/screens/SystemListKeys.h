#pragma once

#include "SystemSort.h"
#include "model/GalacticCoordinates.h"

#include <QCollatorSortKey>
#include <QString>
#include <QUuid>

#include <optional>
#include <tuple>

// A name the system list sorts by: whether there is one, and its collation key.
struct SystemListSortName
{
    bool isEmpty;
    QCollatorSortKey key;
};

// What the system list searches and sorts one system by. Its place is read when the
// system arrives or changes; the rest is made only once something first needs it (a
// search, a sort by name, the row's height) and kept until the system changes, so
// that opening a list of many thousands of systems reads little more than their
// places.
struct SystemListKeys
{
    QUuid id;
    GalacticCoordinates coordinates;
    qint64 subsectorIndex = 0;
    std::optional<QString> haystack; // label, name and world names, case-folded
    std::optional<SystemListSortName> name;
    std::optional<SystemListSortName> mainWorldName;
    std::optional<int> lineCount;

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

    // Whether `a` (at row `aRow` of the universe) comes before `b` in `order`: named
    // systems first, then by name, equal names by coordinates; equal coordinates by
    // their rows, so that the order is total and keeps the universe's order where a
    // stable sort would. Both entries hold the name `order` sorts by.
    static bool comesBefore(SystemSort order, const SystemListKeys &a, int aRow, const SystemListKeys &b,
                            int bRow);
};
