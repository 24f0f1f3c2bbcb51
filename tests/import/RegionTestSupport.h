#pragma once

// What the tests of borders and regions share: areas of cells to trace, and regions
// compared without the ids a merge gives the outlines it adds.

#include "import/BorderTracing.h"

#include <QList>

#include <algorithm>
#include <random>
#include <vector>

namespace region_test {

using TravellerMapImporter::CellSet;
using TravellerMapImporter::Cube;

// A random edge-connected blob of `size` cells grown from `origin`.
inline CellSet blob(std::mt19937 &random, int size, Cube origin = Cube{0, 0})
{
    CellSet cells{origin};
    std::vector<Cube> grown{origin};
    while (int(cells.size()) < size) {
        const Cube next = TravellerMapImporter::neighbor(grown[random() % grown.size()], int(random() % 6));
        if (cells.insert(next).second)
            grown.push_back(next);
    }
    return cells;
}

// The cells within `radius` steps of `centre`.
inline CellSet disc(Cube centre, qint64 radius)
{
    CellSet cells;
    for (qint64 x = -radius; x <= radius; ++x) {
        for (qint64 z = -radius; z <= radius; ++z) {
            if (std::abs(x + z) <= radius)
                cells.insert(Cube{centre.x + x, centre.z + z});
        }
    }
    return cells;
}

// The regions with the id of each one that `before` does not hold cleared, so that
// regions a merge added compare by what they are.
inline QList<Region> withoutNewIDs(QList<Region> regions, const QList<Region> &before)
{
    for (Region &region : regions) {
        if (std::none_of(before.cbegin(), before.cend(),
                         [&region](const Region &kept) { return kept.id == region.id; }))
            region.id = QUuid();
    }
    return regions;
}

} // namespace region_test
