#pragma once

#include <QPainterPath>
#include <QPolygonF>

#include <span>

// The area a stroke with round joins and round caps covers along a polyline, made as
// outlines to fill together with the non-zero rule: an open line's edges joined by its
// caps, a closed line's two edges as loops running opposite ways. Each edge is round
// about the outside of a turn and runs through the corner on the inside, which the
// other edge covers. The platform's stroker makes the same area with curved joins,
// which the raster engine fills several times slower when the segments are shorter
// than the width, as a region's hex edges are on a map zoomed out. Arcs are flattened
// to within `tolerance` of the circle.
namespace RoundStroke {

// Adds the stroke of `points` (a polygon when `closed`) at each of `widths` to the path
// at the same place in `paths`, whose fill rule must be Qt::WindingFill: the line's
// turns are worked out once for every width. Consecutive equal points count once; a
// polyline of one point strokes a dot.
void append(std::span<QPainterPath> paths, std::span<const double> widths, const QPolygonF &points,
            bool closed, double tolerance);

} // namespace RoundStroke
