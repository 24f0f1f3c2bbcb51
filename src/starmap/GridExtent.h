#pragma once

#include <QtGlobal>

#include <algorithm>
#include <cmath>
#include <limits>

// A block of hexes by galactic column and row, both ranges inclusive: the part of
// the map that the grid covers.
struct GridExtent
{
    qint64 minCol = 0;
    qint64 maxCol = 0;
    qint64 minRow = 0;
    qint64 maxRow = 0;

    // The same block grown by `hexes` (not negative) on every side; at the ends of the
    // 64-bit range it stops there instead of overflowing.
    GridExtent widened(qint64 hexes) const
    {
        return {saturatingAdd(minCol, -hexes), saturatingAdd(maxCol, hexes), saturatingAdd(minRow, -hexes),
                saturatingAdd(maxRow, hexes)};
    }

    // The smallest block holding this one and `other`.
    GridExtent joined(const GridExtent &other) const
    {
        return {std::min(minCol, other.minCol), std::max(maxCol, other.maxCol), std::min(minRow, other.minRow),
                std::max(maxRow, other.maxRow)};
    }

    // Division rounding towards minus infinity, for blocks of hexes left of or above
    // the origin; `divisor` is positive. Defined for every value, the most negative too.
    static qint64 floorDiv(qint64 value, qint64 divisor)
    {
        const qint64 quotient = value / divisor;
        return (value % divisor != 0 && value < 0) ? quotient - 1 : quotient;
    }

    // `a` + `b`, held at the ends of the 64-bit range.
    static qint64 saturatingAdd(qint64 a, qint64 b)
    {
        qint64 sum = 0;
        if (!__builtin_add_overflow(a, b, &sum))
            return sum;
        return b > 0 ? std::numeric_limits<qint64>::max() : std::numeric_limits<qint64>::min();
    }

    // `value` rounded down and kept within [low, high], for ranges of hexes or tiles
    // taken from screen positions that may lie far outside the map (or be no number).
    static qint64 boundedFloor(double value, qint64 low, qint64 high)
    {
        if (!(value > static_cast<double>(low)))
            return low;
        if (!(value < static_cast<double>(high)))
            return high;
        return static_cast<qint64>(std::floor(value));
    }

    friend bool operator==(const GridExtent &, const GridExtent &) = default;
};
