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

// Adds the stroke of `points` (a polygon when `closed`) to `path`, whose fill rule must
// be Qt::WindingFill. Consecutive equal points count once; a polyline of one point
// strokes a dot.
void append(QPainterPath &path, const QPolygonF &points, bool closed, double width, double tolerance);
// The same for several widths at once, each stroke added to the path at its place in
// `paths`: the line's turns are worked out once for all.
void append(std::span<QPainterPath> paths, std::span<const double> widths, const QPolygonF &points,
            bool closed, double tolerance);

} // namespace RoundStroke
