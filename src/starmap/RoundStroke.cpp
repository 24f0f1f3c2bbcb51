#include "RoundStroke.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <tuple>
#include <vector>

namespace RoundStroke {

namespace {

// The arcs of one stroke, in steps that keep each chord within a tolerance of the
// circle. A line along hex edges turns by the same angles over and over, so the last
// turn's steps are kept.
class Arcs
{
public:
    Arcs(double r, double tolerance)
        : m_r(r), m_step(std::max(2 * std::acos(std::clamp(1 - tolerance / r, -1.0, 1.0)), 1e-3))
    {}

    // Appends the points of the arc about `centre` from the direction `from` (a unit
    // vector, its own point not appended) turning by `sweep` radians.
    void append(QPolygonF &polygon, const QPointF &centre, QPointF from, double sweep)
    {
        if (sweep != m_sweep) {
            m_sweep = sweep;
            m_steps = std::max(1, static_cast<int>(std::ceil(std::abs(sweep) / m_step)));
            m_sin = std::sin(sweep / m_steps);
            m_cos = std::cos(sweep / m_steps);
        }
        for (int i = 0; i < m_steps; ++i) {
            from = QPointF(from.x() * m_cos - from.y() * m_sin, from.x() * m_sin + from.y() * m_cos);
            polygon.append(centre + from * m_r);
        }
    }

private:
    double m_r;
    double m_step;
    double m_sweep = 0;
    int m_steps = 1;
    double m_sin = 0;
    double m_cos = 1;
};

QPointF unit(const QPointF &from, const QPointF &to)
{
    const QPointF d = to - from;
    return d / std::hypot(d.x(), d.y());
}

// A line's segments in one direction: each one's direction, and the turn at its end
// onto the next, in radians, negative towards its right. A turn straight back counts
// as a half turn to the right in both directions, so that both edges round it.
struct Walk
{
    QPolygonF points;
    std::vector<QPointF> directions;
    std::vector<double> turns;

    Walk(QPolygonF line, qsizetype segments) : points(std::move(line))
    {
        const qsizetype count = points.size();
        for (qsizetype s = 0; s < segments; ++s)
            directions.push_back(unit(points[s], points[(s + 1) % count]));
        for (qsizetype s = 0; s < segments; ++s) {
            const QPointF d = directions[std::size_t(s)], e = directions[std::size_t((s + 1) % segments)];
            const double cross = d.x() * e.y() - d.y() * e.x(), dot = d.x() * e.x() + d.y() * e.y();
            turns.push_back(cross == 0 && dot < 0 ? -std::numbers::pi : std::atan2(cross, dot));
        }
    }

    // Appends the stroke's edge on the segments' left, from the first segment's start
    // to the last one's end: round about the outside of each turn, through the corner
    // on the inside, where the other edge covers it. Without `closed` the last segment
    // has no turn.
    void appendLeftEdge(QPolygonF &polygon, double r, Arcs &arcs, bool closed) const
    {
        const qsizetype segments = qsizetype(directions.size()), count = points.size();
        for (qsizetype s = 0; s < segments; ++s) {
            const QPointF d = directions[std::size_t(s)];
            const QPointF n(-d.y(), d.x()); // d turned a quarter towards +y
            const QPointF b = points[(s + 1) % count];
            if (s == 0)
                polygon.append(points[0] + n * r);
            polygon.append(b + n * r);
            if (s + 1 == segments && !closed)
                break;
            const double turn = turns[std::size_t(s)];
            if (turn < 0) {
                arcs.append(polygon, b, n, turn);
            } else if (turn > 0) {
                const QPointF e = directions[std::size_t((s + 1) % segments)];
                polygon << b << b + QPointF(-e.y(), e.x()) * r;
            }
        }
    }
};

} // namespace

void append(std::span<QPainterPath> paths, std::span<const double> widths, const QPolygonF &points,
            bool closed, double tolerance)
{
    QPolygonF line;
    line.reserve(points.size());
    for (const QPointF &point : points) {
        if (line.isEmpty() || point != line.last())
            line.append(point);
    }
    if (closed && line.size() > 1 && line.first() == line.last())
        line.removeLast();
    if (line.isEmpty())
        return;
    constexpr double pi = std::numbers::pi;
    QPolygonF polygon;
    const auto add = [&](QPainterPath &path) {
        path.addPolygon(polygon);
        path.closeSubpath();
        polygon.clear();
    };
    if (line.size() == 1) {
        for (std::size_t k = 0; k < paths.size(); ++k) {
            const double r = widths[k] / 2;
            Arcs arcs(r, tolerance);
            polygon.append(line.first() + QPointF(r, 0));
            arcs.append(polygon, line.first(), QPointF(1, 0), 2 * pi);
            add(paths[k]);
        }
        return;
    }
    // A closed line of two points goes there and back, which its caps draw.
    const bool open = !closed || line.size() == 2;
    const qsizetype segments = open ? line.size() - 1 : line.size();
    QPolygonF reversed(line.crbegin(), line.crend());
    const Walk forth(std::move(line), segments), back(std::move(reversed), segments);
    for (std::size_t k = 0; k < paths.size(); ++k) {
        const double r = widths[k] / 2;
        Arcs arcs(r, tolerance);
        if (open) {
            // One outline: along the left edge, round the end, back along the other
            // edge and round the start.
            const auto cap = [&](const Walk &walk) {
                const QPointF d = walk.directions.back();
                arcs.append(polygon, walk.points.last(), QPointF(-d.y(), d.x()), -pi);
            };
            forth.appendLeftEdge(polygon, r, arcs, false);
            cap(forth);
            back.appendLeftEdge(polygon, r, arcs, false);
            cap(back);
            add(paths[k]);
        } else {
            // The two edges, each a loop, run opposite ways round the band between them.
            forth.appendLeftEdge(polygon, r, arcs, true);
            add(paths[k]);
            back.appendLeftEdge(polygon, r, arcs, true);
            add(paths[k]);
        }
    }
}

} // namespace RoundStroke
