#pragma once

#include <QPainterPath>
#include <QPolygonF>

#include <span>

// The area a stroke with round joins and round caps covers along a polyline, made as
// polygons to fill together with the non-zero rule: one per segment, holding the join
// at its end on the outer side of the turn, or the cap at an end of an open line. The
// platform's stroker makes the same area as one outline with curved joins, which the
// raster engine fills several times slower when the segments are shorter than the
// width, as a region's hex edges are on a map zoomed out. Arcs are flattened to within
// `tolerance` of the circle.
namespace RoundStroke {

// Adds the stroke of `points` (a polygon when `closed`) at each of `widths` to the path
// at the same place in `paths`, whose fill rule must be Qt::WindingFill: the line's
// turns are worked out once for every width. Consecutive equal points count once; a
// polyline of one point strokes a dot.
void append(std::span<QPainterPath> paths, std::span<const double> widths, const QPolygonF &points,
            bool closed, double tolerance);

} // namespace RoundStroke
