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
    {
    }

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
    // Each stroke with its half width and its arcs.
    std::vector<std::tuple<QPainterPath *, double, Arcs>> strokes;
    for (std::size_t k = 0; k < paths.size(); ++k)
        strokes.emplace_back(&paths[k], widths[k] / 2, Arcs(widths[k] / 2, tolerance));
    QPolygonF polygon;
    const auto add = [&](QPainterPath &path) {
        path.addPolygon(polygon);
        path.closeSubpath();
        polygon.clear();
    };
    if (line.size() == 1) {
        for (auto &[path, r, arcs] : strokes) {
            polygon.append(line.first() + QPointF(r, 0));
            arcs.append(polygon, line.first(), QPointF(1, 0), 2 * pi);
            add(*path);
        }
        return;
    }
    const qsizetype count = line.size();
    // A closed line of two points goes there and back, which its caps draw.
    const bool open = !closed || count == 2;
    const qsizetype segments = open ? count - 1 : count;
    const auto end = [&](qsizetype segment) { return line[(segment + 1) % count]; };
    QPointF d = unit(line[0], end(0));
    for (qsizetype s = 0; s < segments; ++s) {
        const QPointF a = line[s], b = end(s);
        const QPointF n(-d.y(), d.x()); // d turned a quarter towards +y
        const bool last = s + 1 == segments;
        const QPointF next = last && open ? d : unit(b, end(s + 1));
        const QPointF nextN(-next.y(), next.x());
        const double turn = std::atan2(d.x() * next.y() - d.y() * next.x(), d.x() * next.x() + d.y() * next.y());
        for (auto &[path, r, arcs] : strokes) {
            polygon.append(a - n * r);
            if (open && s == 0)
                arcs.append(polygon, a, -n, -pi); // the cap round the start
            else
                polygon.append(a + n * r);
            polygon.append(b + n * r);
            if (last && open) {
                arcs.append(polygon, b, n, -pi); // the cap round the end
            } else if (turn < 0) { // the +n side is outside the turn: the join is there
                arcs.append(polygon, b, n, turn);
                polygon << b << b - n * r;
            } else if (turn > 0) { // the join is on the -n side
                polygon << b << b - nextN * r;
                arcs.append(polygon, b, -nextN, -turn);
            } else {
                polygon.append(b - n * r);
            }
            add(*path);
        }
        d = next;
    }
}

} // namespace RoundStroke
