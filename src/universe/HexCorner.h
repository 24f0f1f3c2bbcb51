#pragma once

#include "model/HexLayout.h"

#include <QHashFunctions>
#include <QList>
#include <QPointF>
#include <QVarLengthArray>

#include <array>
#include <cstddef>
#include <initializer_list>

// A vertex of the hex grid, named by the cells that meet at it: three pairwise
// adjacent cells in ascending order. Every producer builds corners in that sorted
// form, so that one vertex always compares equal and hashes alike; the cells are
// kept exactly as given, and the same cells in another order are another value.
// Also joins two corners by a chain of hex edges that keeps close to the straight
// line between them, which is how region borders follow the grid.
class HexCorner
{
public:
    using Cube = HexLayout::Cube;
    using Cells = QVarLengthArray<Cube, 3>;

    // The six neighbour offsets (dx, dz) of a cell, in order: lower right, below,
    // lower left, upper left, above, upper right (y growing downwards).
    static constexpr std::array<Cube, 6> directions = {{{1, 0}, {0, 1}, {-1, 1}, {-1, 0}, {0, -1}, {1, -1}}};

    // The most corners one edge path search expands before it gives up.
    static constexpr int maximumExpansions = 200'000;

    HexCorner() = default;
    explicit HexCorner(const Cells &cells) : m_cells(cells) {}
    HexCorner(std::initializer_list<Cube> cells) : m_cells(cells) {}

    // The corner of three cells, sorted into the canonical order.
    static HexCorner sorted(const Cube &a, const Cube &b, const Cube &c);
    // Corner k of a hex, taken modulo 6 (0 is the right-hand vertex, then clockwise
    // on screen): the hex and its neighbours in directions k and k − 1.
    static HexCorner ofHex(const Cube &hex, qint64 k);

    const Cells &cells() const { return m_cells; }

    // The vertex on the map plane for a hex radius: the sum of the cells' centres
    // divided by 3 (always 3, so a corner without cells lies at the origin).
    QPointF point(double hexRadius) const;
    QPointF unitPoint() const { return point(1.0); }

    // The three corners one hex edge away, in a fixed order: across the edge between
    // cells 0 and 1, then 0 and 2, then 1 and 2. A value that does not hold exactly
    // three cells has none.
    QVarLengthArray<HexCorner, 3> neighbors() const;

    // The corners met when walking along hex edges from `from` to `to`, both included,
    // with the fewest edges and, among those, the chain nearest the straight line.
    // Equal corners give [from]; a search that finds no way within
    // maximumExpansions gives [from, to], to be drawn as one straight segment.
    static QList<HexCorner> edgePath(const HexCorner &from, const HexCorner &to);

    friend bool operator==(const HexCorner &a, const HexCorner &b) { return a.m_cells == b.m_cells; }

private:
    Cells m_cells;
};

size_t qHash(const HexCorner &corner, size_t seed = 0) noexcept;
