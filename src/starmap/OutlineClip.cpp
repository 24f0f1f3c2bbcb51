#include "OutlineClip.h"

#include <algorithm>
#include <functional>
#include <utility>

namespace OutlineClip {

bool meets(const QPointF &a, const QPointF &b, const QRectF &area)
{
    return std::max(a.x(), b.x()) >= area.left() && std::min(a.x(), b.x()) <= area.right() &&
           std::max(a.y(), b.y()) >= area.top() && std::min(a.y(), b.y()) <= area.bottom();
}

namespace {

// One pass of the cut: the points of the polygon on the inner side of one edge of the
// area, with the points where its sides cross that edge.
QPolygonF cutBy(const QPolygonF &polygon, const std::function<double(const QPointF &)> &inside)
{
    QPolygonF kept;
    if (polygon.isEmpty())
        return kept;
    QPointF previous = polygon.last();
    double wasIn = inside(previous);
    for (const QPointF &point : polygon) {
        const double isIn = inside(point);
        if ((wasIn >= 0) != (isIn >= 0))
            kept.append(previous + (point - previous) * (wasIn / (wasIn - isIn)));
        if (isIn >= 0)
            kept.append(point);
        previous = point;
        wasIn = isIn;
    }
    return kept;
}

} // namespace

Runs runsMeeting(const QList<QPointF> &points, bool closed, const QRectF &area)
{
    Runs found;
    const qsizetype count = points.size();
    const qsizetype segments = closed ? count : count - 1;
    if (segments < 1)
        return found;
    // By the segment's box: a segment that only comes near is kept as well, which
    // draws nothing more within `area`.
    const auto meetsSegment = [&](qsizetype i) {
        return meets(points[i % count], points[(i + 1) % count], area);
    };
    // A closed outline is walked from a segment that misses the area, so that no run
    // runs over its closing point.
    qsizetype first = 0;
    if (closed) {
        while (first < segments && meetsSegment(first))
            ++first;
        if (first == segments) {
            found.runs.append(QPolygonF(points));
            found.wholeLoop = true;
            return found;
        }
    }
    QPolygonF run;
    for (qsizetype k = 0; k < segments; ++k) {
        const qsizetype i = (first + k) % segments;
        if (meetsSegment(i)) {
            if (run.isEmpty())
                run.append(points[i]);
            run.append(points[(i + 1) % count]);
        } else if (!run.isEmpty()) {
            found.runs.append(std::exchange(run, QPolygonF()));
        }
    }
    if (!run.isEmpty())
        found.runs.append(run);
    return found;
}

QPolygonF cutTo(const QList<QPointF> &points, const QRectF &area)
{
    QPolygonF polygon(points);
    if (area.contains(polygon.boundingRect()))
        return polygon;
    polygon = cutBy(polygon, [&](const QPointF &p) { return p.x() - area.left(); });
    polygon = cutBy(polygon, [&](const QPointF &p) { return area.right() - p.x(); });
    polygon = cutBy(polygon, [&](const QPointF &p) { return p.y() - area.top(); });
    return cutBy(polygon, [&](const QPointF &p) { return area.bottom() - p.y(); });
}

} // namespace OutlineClip
