#pragma once

#include <QtGlobal>

// A block of hexes by galactic column and row, both ranges inclusive: the part of
// the map that the grid covers.
struct GridExtent
{
    qint64 minCol = 0;
    qint64 maxCol = 0;
    qint64 minRow = 0;
    qint64 maxRow = 0;

    // The same block grown by `hexes` on every side.
    GridExtent widened(qint64 hexes) const
    {
        return {minCol - hexes, maxCol + hexes, minRow - hexes, maxRow + hexes};
    }

    // Division rounding towards minus infinity, for blocks of hexes left of or above
    // the origin; `divisor` is positive.
    static qint64 floorDiv(qint64 value, qint64 divisor)
    {
        return value >= 0 ? value / divisor : -((-value + divisor - 1) / divisor);
    }

    friend bool operator==(const GridExtent &, const GridExtent &) = default;
};
