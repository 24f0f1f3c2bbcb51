#pragma once

#include "Rutter.h"

#include <QList>

#include <vector>

// Which rutters touch each hex: for every hex, the positions in the document's list of
// rutters of those with an end there, so that a view of many systems finds a hex's
// rutters without walking every rutter. A change of one rutter updates the hexes at
// its ends alone. The ends are kept in one array sorted by hex, then position, which
// is made in one sort and looked up by binary search.
class RutterHexIndex
{
public:
    // Indexes every rutter of `rutters` afresh.
    void rebuild(const QList<Rutter> &rutters);
    // The rutters of `rutters` from `first` on were appended.
    void appended(const QList<Rutter> &rutters, qsizetype first);
    // The rutter at `position` changed from `before` to `after`.
    void replaced(qsizetype position, const Rutter &before, const Rutter &after);
    // `rutter`, at `position`, was removed; the later rutters moved one place up.
    void removed(qsizetype position, const Rutter &rutter);

    // The positions of the rutters with an end at `hex`, ascending; a rutter from the
    // hex to itself once.
    QList<qsizetype> positionsAt(const GalacticCoordinates &hex) const;

private:
    // One end of a rutter: the hex, and the rutter's position in the list.
    struct End
    {
        GalacticCoordinates hex;
        qsizetype position;
    };
    static bool comesBefore(const End &a, const End &b);
    // Adds the ends of the rutter at `position` (a rutter from a hex to itself
    // once) to `ends`, unsorted.
    static void addEnds(std::vector<End> &ends, const Rutter &rutter, qsizetype position);
    // Files the rutter at `position` under its ends; or takes it out of them.
    void file(const Rutter &rutter, qsizetype position);
    void unfile(const Rutter &rutter, qsizetype position);

    std::vector<End> m_ends; // by hex, then position
};
