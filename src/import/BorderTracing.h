#pragma once

#include "universe/HexCorner.h"
#include "universe/Region.h"
#include "universe/RegionAnchor.h"

#include <QList>

#include <optional>
#include <set>

// Hex areas turned into region outlines: the cells of an area, the holes it encloses,
// the loops of corners along its edge, and those corners as region anchors. Cell and
// corner containers are ordered, so one input always gives the same loops, starting
// corners and pieces. Pure computation on values, safe on any thread.
namespace TravellerMapImporter {

using Cube = HexLayout::Cube;
using CellSet = std::set<Cube>;
// Distinct corners in walking order; the walk closes from the last back to the first.
using CornerLoop = QList<HexCorner>;
using AnchorList = QList<RegionAnchor>;

// No area scan covers more cells than this: a box (or a stored region's extent) that
// is larger is not scanned, so a far-away stored anchor cannot hang an import.
inline constexpr quint64 kMaximumScannedCells = 1'000'000;

Cube cellOf(const GalacticCoordinates &hex);
GalacticCoordinates hexOf(const Cube &cell);
Cube neighbor(const Cube &cell, int direction);

// The set plus every cell it encloses. A set whose box would exceed
// kMaximumScannedCells comes back unchanged.
CellSet fillCells(const CellSet &cells);
// One loop per closed outline (outer edges and hole edges), each of 3 corners or more.
QList<CornerLoop> boundaryLoops(const CellSet &cells);
// The loop without the corners at which it runs straight on; a loop that would keep
// 2 corners or fewer comes back unchanged.
CornerLoop removeCollinearCorners(const CornerLoop &loop);
// Each corner as the anchor of its smallest cell (corner 0 or 1).
AnchorList anchorsFromLoop(const CornerLoop &loop);
// The anchors of the area's first longest loop, collinear corners removed; empty
// when the area has no loop.
AnchorList outlineAnchors(const CellSet &cells);
// The edge-connected pieces of the set, in the order of their smallest cells.
QList<CellSet> connectedComponents(const CellSet &cells);
// The outline of each connected piece of the union of `cells` and `merging`, as anchor
// lists of more than 2 anchors; pieces without such an outline are left out.
QList<AnchorList> buildRegionShapes(const CellSet &cells, const QList<CellSet> &merging);
// The cells whose centres lie inside the region's outline; empty for fewer than 3
// anchors. None when the anchors span more than kMaximumScannedCells cells.
std::optional<CellSet> cellsEnclosedBy(const Region &region);

} // namespace TravellerMapImporter
