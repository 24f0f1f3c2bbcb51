#pragma once

#include "GalacticCoordinates.h"

#include <QHashFunctions>
#include <QPointF>

#include <array>
#include <compare>
#include <cstddef>
#include <functional>

// Flat-topped hex geometry in the odd-q layout (every second column half a hex lower):
// hex positions to points of the map plane (x right, y down) and back, the six
// corners of a hex, and distances in hex steps. Hexes are numbered across sector
// borders by a galactic column q = 32 × sectorX + column − 1 and a galactic row
// r = row − 1 − 40 × sectorY, so a greater sectorY lies higher on the map.
struct HexLayout
{
    // One hex cell in cube coordinates; the third coordinate y = −x − z is implied.
    // Ordered by x, then z.
    struct Cube
    {
        qint64 x = 0;
        qint64 z = 0;

        // Wraps instead of overflowing for values far outside any map.
        qint64 y() const
        {
            return static_cast<qint64>(0 - static_cast<quint64>(x) - static_cast<quint64>(z));
        }

        friend bool operator==(const Cube &, const Cube &) = default;
        friend auto operator<=>(const Cube &, const Cube &) = default;
    };

    // Distance from a hex's centre to each of its corners; must be positive.
    double hexRadius = 1.0;

    explicit HexLayout(double radius) : hexRadius(radius) {}

    QPointF center(const GalacticCoordinates &hex) const;
    // Corner k at k × 60° from the centre: 0 is the right-hand vertex and, with y
    // growing downwards, the corners run clockwise on screen.
    std::array<QPointF, 6> corners(const GalacticCoordinates &hex) const;
    // The hex that contains a point. A point that is not finite, or a layout whose
    // radius is not positive, gives the hex at galactic column and row 0 (00-0101).
    GalacticCoordinates coordinate(const QPointF &point) const;

    // Splits a galactic column and row into sector, column and row (floor division,
    // non-negative remainders).
    static GalacticCoordinates coordinates(qint64 col, qint64 row);
    // The galactic column 32 × sectorX + column − 1 and row row − 1 − 40 × sectorY of
    // a hex; stored values too large for them wrap instead of overflowing.
    static qint64 galacticColumn(const GalacticCoordinates &hex);
    static qint64 galacticRow(const GalacticCoordinates &hex);
    static Cube cube(const GalacticCoordinates &hex);
    // Hex steps between two hexes, across sector borders alike.
    static qint64 distance(const GalacticCoordinates &a, const GalacticCoordinates &b);
    // The nearest cube to fractional cube coordinates; the coordinate with the
    // largest rounding error is recomputed from the other two.
    static Cube cubeRound(double x, double y, double z);
};

inline size_t qHash(const HexLayout::Cube &cube, size_t seed = 0) noexcept
{
    return qHashMulti(seed, cube.x, cube.z);
}

template <> struct std::hash<HexLayout::Cube>
{
    size_t operator()(const HexLayout::Cube &cube) const noexcept { return qHash(cube); }
};
