#include "starmap/OutlineClip.h"

#include <QMultiHash>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

// How often the polygon winds about `point` (the crossing count, signed).
int winding(const QPolygonF &polygon, const QPointF &point)
{
    int turns = 0;
    for (qsizetype i = 0; i < polygon.size(); ++i) {
        const QPointF a = polygon[i], b = polygon[(i + 1) % polygon.size()];
        const double side = (b.x() - a.x()) * (point.y() - a.y()) - (point.x() - a.x()) * (b.y() - a.y());
        if (a.y() <= point.y() && b.y() > point.y() && side > 0)
            ++turns;
        else if (a.y() > point.y() && b.y() <= point.y() && side < 0)
            --turns;
    }
    return turns;
}

// Whether the box of the segment meets the area, edges touching included.
bool boxMeets(const QPointF &a, const QPointF &b, const QRectF &area)
{
    return std::max(a.x(), b.x()) >= area.left() && std::min(a.x(), b.x()) <= area.right() &&
           std::max(a.y(), b.y()) >= area.top() && std::min(a.y(), b.y()) <= area.bottom();
}

using Segment = std::pair<std::pair<double, double>, std::pair<double, double>>;

Segment segment(const QPointF &a, const QPointF &b)
{
    return {{a.x(), a.y()}, {b.x(), b.y()}};
}

// Random outlines, open and closed, crossing themselves and running back along
// themselves on a coarse grid (as hex edges do), against areas that hold all of them,
// part of them or none: the runs hold exactly the segments that meet the area, each
// once, and end at the outline's own ends or outside the area; the polygon cut to the
// area winds about every point inside it as often as the whole one does.
TEST(OutlineClipTest, RunsAndCutsKeepWhatTheAreaShows)
{
    std::mt19937 random(45);
    const auto below = [&](int count) { return int(random() % unsigned(count)); };
    for (int trial = 0; trial < 3000; ++trial) {
        QList<QPointF> points;
        const int count = 2 + below(30);
        for (int i = 0; i < count; ++i)
            points.append(QPointF(below(21) * 5, below(21) * 5));
        const bool closed = below(2) == 0;
        const QRectF area(below(120) - 10, below(120) - 10, 1 + below(60), 1 + below(60));
        const auto trialName = [&] { return "trial " + std::to_string(trial); };

        const OutlineClip::Runs runs = OutlineClip::runsMeeting(points, closed, area);
        QMultiHash<Segment, int> meeting, inRuns;
        const qsizetype segments = closed ? count : count - 1;
        bool everyOne = true;
        for (qsizetype i = 0; i < segments; ++i) {
            const QPointF a = points[i], b = points[(i + 1) % count];
            if (boxMeets(a, b, area))
                meeting.insert(segment(a, b), 0);
            else
                everyOne = false;
        }
        for (const QPolygonF &run : runs.runs) {
            ASSERT_GE(run.size(), 2) << trialName();
            for (qsizetype k = 0; k + 1 < run.size(); ++k)
                inRuns.insert(segment(run[k], run[k + 1]), 0);
            // A whole loop comes back to its first point.
            if (runs.wholeLoop)
                inRuns.insert(segment(run.last(), run.first()), 0);
            for (const QPointF &end : {run.first(), run.last()}) {
                const bool outlineEnd = !closed && (end == points.first() || end == points.last());
                EXPECT_TRUE(outlineEnd || runs.wholeLoop || !area.contains(end)) << trialName();
            }
        }
        EXPECT_EQ(inRuns.size(), meeting.size()) << trialName();
        for (auto it = meeting.cbegin(); it != meeting.cend(); ++it)
            EXPECT_EQ(inRuns.count(it.key()), meeting.count(it.key())) << trialName();
        EXPECT_EQ(runs.wholeLoop, closed && everyOne) << trialName();
        if (runs.wholeLoop) {
            EXPECT_EQ(runs.runs, QList<QPolygonF>{QPolygonF(points)}) << trialName();
        }

        const QPolygonF cut = OutlineClip::cutTo(points, area);
        if (area.contains(QPolygonF(points).boundingRect())) {
            EXPECT_EQ(cut, QPolygonF(points)) << trialName();
        }
        for (int i = 0; i < 6; ++i) {
            // Off the grid, so that no point lies on a side of either polygon.
            const QPointF inside(area.left() + area.width() * (below(997) + 1.5) / 1000.0,
                                 area.top() + area.height() * (below(997) + 1.5) / 1000.0);
            EXPECT_EQ(winding(cut, inside), winding(QPolygonF(points), inside)) << trialName();
        }
    }
}

} // namespace
