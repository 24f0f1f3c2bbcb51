#pragma once

#include "SystemSort.h"
#include "model/GalacticCoordinates.h"

#include <QCollatorSortKey>
#include <QString>
#include <QUuid>

#include <optional>

// What the system list searches and sorts one system by, computed once per system:
// its place, the case-folded texts a search looks in and the collation keys of its
// name and its main world's name.
struct SystemListEntry
{
    QUuid id;
    GalacticCoordinates coordinates;
    qint64 subsectorIndex = 0;
    QString letter;
    QString haystack; // label, name and world names, case-folded
    bool hasName = false;
    bool hasMainWorldName = false;
    std::optional<QCollatorSortKey> nameKey; // always set; the key has no empty state
    std::optional<QCollatorSortKey> mainWorldKey;
    int lineCount = 0;

    // Whether `a` (at row `aRow` of the universe) comes before `b` in `order`: named
    // systems first, then by name, equal names by coordinates; equal coordinates by
    // their rows, so that the order is total and keeps the universe's order where a
    // stable sort would.
    static bool comesBefore(SystemSort order, const SystemListEntry &a, int aRow, const SystemListEntry &b,
                            int bRow);
};
