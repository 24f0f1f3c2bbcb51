#pragma once

#include <QList>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>

// What a drawing limited to one area needs of a long outline (a polyline, or a polygon
// when closed): the runs of segments that meet the area, to stroke, and the polygon cut
// to the area, to fill. Drawn within the area they give the same pixels as the whole
// outline, so a small part of the map costs what lies there, not the whole outline.
namespace OutlineClip {

// Whether the box of the segment from `a` to `b` meets `area`, edges touching
// included: a quick test that passes over what lies wholly beside the area, also for
// a segment or box of no width.
bool meets(const QPointF &a, const QPointF &b, const QRectF &area);

// The runs of consecutive points whose segments meet `area`, each to be stroked as a
// subpath of its own. A run that stops short of the outline's end stops at a point
// outside `area`, so a stroke's cap there stays as far outside as the point. A closed
// outline whose every segment meets `area` is one run that comes back to its first
// point (`wholeLoop`); otherwise no run crosses the closing point, it is split there.
struct Runs
{
    QList<QPolygonF> runs;
    bool wholeLoop = false;
};
Runs runsMeeting(const QList<QPointF> &points, bool closed, const QRectF &area);

// The polygon of `points` cut to `area`: every point of `area` lies inside it as many
// times as inside the whole polygon, so that it fills `area` the same with either
// fill rule. A polygon inside `area` comes back as it is.
QPolygonF cutTo(const QList<QPointF> &points, const QRectF &area);

} // namespace OutlineClip
