#include "universe/HexCorner.h"

#include <QHash>
#include <QSet>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <deque>
#include <limits>
#include <vector>

namespace {

using Cube = HexLayout::Cube;

// The test's own grid rules, kept apart from the code under test: two cells touch when
// they differ by one of the six axial steps; a corner is three cells that touch
// pairwise, in ascending order; one hex edge joins two corners that share two cells.
const Cube kSteps[] = {{1, 0}, {1, -1}, {0, -1}, {-1, 0}, {-1, 1}, {0, 1}};

bool touching(const Cube &a, const Cube &b)
{
    return std::any_of(std::begin(kSteps), std::end(kSteps),
                       [&](const Cube &d) { return a.x + d.x == b.x && a.z + d.z == b.z; });
}

bool wellFormed(const HexCorner &corner)
{
    const auto &c = corner.cells();
    return c.size() == 3 && c[0] < c[1] && c[1] < c[2] && touching(c[0], c[1]) && touching(c[0], c[2]) &&
           touching(c[1], c[2]);
}

int sharedCells(const HexCorner &a, const HexCorner &b)
{
    int shared = 0;
    for (const Cube &cell : a.cells())
        shared += b.cells().contains(cell) ? 1 : 0;
    return shared;
}

HexCorner sortedCorner(Cube a, Cube b, Cube c)
{
    std::vector<Cube> cells{a, b, c};
    std::sort(cells.begin(), cells.end());
    return HexCorner{cells[0], cells[1], cells[2]};
}

// The corners one edge away, found by looking for the cells that touch both cells of
// each pair.
std::vector<HexCorner> edgeNeighbours(const HexCorner &corner)
{
    std::vector<HexCorner> result;
    const auto &c = corner.cells();
    for (int i = 0; i < 3; ++i) {
        for (int j = i + 1; j < 3; ++j) {
            for (const Cube &d : kSteps) {
                const Cube t{c[i].x + d.x, c[i].z + d.z};
                if (touching(t, c[j]) && !c.contains(t))
                    result.push_back(sortedCorner(c[i], c[j], t));
            }
        }
    }
    return result;
}

// Fewest edges between two corners, searched breadth first.
QHash<HexCorner, int> edgeCounts(const HexCorner &from, int limit)
{
    QHash<HexCorner, int> counts{{from, 0}};
    std::deque<HexCorner> queue{from};
    while (!queue.empty()) {
        const HexCorner corner = queue.front();
        queue.pop_front();
        const int next = counts.value(corner) + 1;
        if (next > limit)
            continue;
        for (const HexCorner &n : edgeNeighbours(corner)) {
            if (!counts.contains(n)) {
                counts.insert(n, next);
                queue.push_back(n);
            }
        }
    }
    return counts;
}

// The search written the plain way: one open list scanned from the front for the
// smallest priority, then the smallest deviation, with the first such entry taken;
// maps of steps, deviation and predecessor keyed by corner. The code under test must
// pick the very same entries, so both give the same chain, ties included.
QList<HexCorner> referenceEdgePath(const HexCorner &a, const HexCorner &b)
{
    if (a == b)
        return {a};
    const QPointF pa = a.unitPoint(), pb = b.unitPoint();
    const double dx = pb.x() - pa.x(), dy = pb.y() - pa.y();
    const double length = std::sqrt(dx * dx + dy * dy);
    struct Entry
    {
        double priority;
        double deviation;
        HexCorner corner;
    };
    QHash<HexCorner, qint64> steps{{a, 0}};
    QHash<HexCorner, double> deviation{{a, 0.0}};
    QHash<HexCorner, HexCorner> predecessor;
    std::vector<Entry> open{{length, 0.0, a}};
    int expansions = 0;
    while (true) {
        std::size_t chosen = 0;
        for (std::size_t i = 1; i < open.size(); ++i) {
            if (open[i].priority < open[chosen].priority ||
                (open[i].priority == open[chosen].priority && open[i].deviation < open[chosen].deviation))
                chosen = i;
        }
        const HexCorner corner = open[chosen].corner;
        open.erase(open.begin() + std::ptrdiff_t(chosen));
        if (corner == b) {
            QList<HexCorner> path{b};
            HexCorner current = b;
            while (current != a && predecessor.contains(current)) {
                current = predecessor.value(current);
                path.append(current);
            }
            std::reverse(path.begin(), path.end());
            return path;
        }
        const qint64 s = steps.value(corner, 0);
        const double e = deviation.value(corner, 0.0);
        ++expansions;
        for (const HexCorner &n : edgeNeighbours(corner)) {
            const QPointF p = n.unitPoint();
            const double offset = length > 0
                                      ? std::fabs(dx * (pa.y() - p.y()) - dy * (pa.x() - p.x())) / length
                                      : std::hypot(p.x() - pa.x(), p.y() - pa.y());
            const qint64 s2 = s + 1;
            const double e2 = e + offset;
            if (steps.contains(n) && (steps[n] < s2 || (steps[n] == s2 && deviation[n] <= e2)))
                continue;
            steps[n] = s2;
            deviation[n] = e2;
            predecessor[n] = corner;
            const double remaining =
                std::sqrt((pb.x() - p.x()) * (pb.x() - p.x()) + (pb.y() - p.y()) * (pb.y() - p.y()));
            open.push_back({remaining + double(s2), e2, n});
        }
        if (open.empty() || expansions >= 200000)
            return {a, b};
    }
}

std::string describe(const HexCorner &corner)
{
    std::string text = "{";
    for (const Cube &cell : corner.cells())
        text += "(" + std::to_string(cell.x) + "," + std::to_string(cell.z) + ")";
    return text + "}";
}

// A found chain: from a to b, well-formed corners, one hex edge per step, as few
// edges as any chain between them, and the chain the plain search picks.
void expectShortestChain(const HexCorner &a, const HexCorner &b)
{
    SCOPED_TRACE(describe(a) + " to " + describe(b));
    const QList<HexCorner> chain = HexCorner::edgePath(a, b);
    ASSERT_GE(chain.size(), 2);
    EXPECT_EQ(chain.front(), a);
    EXPECT_EQ(chain.back(), b);
    for (qsizetype i = 0; i < chain.size(); ++i) {
        EXPECT_TRUE(wellFormed(chain[i])) << "corner " << i;
        if (i > 0) {
            EXPECT_EQ(sharedCells(chain[i - 1], chain[i]), 2) << "step " << i;
        }
    }
    const int edges = int(chain.size()) - 1;
    const QHash<HexCorner, int> counts = edgeCounts(a, edges);
    EXPECT_EQ(counts.value(b, -1), edges);
    EXPECT_EQ(chain, referenceEdgePath(a, b));
}

HexCorner cornerOf(const GalacticCoordinates &hex, qint64 k)
{
    return HexCorner::ofHex(HexLayout::cube(hex), k);
}

} // namespace

TEST(HexCorner, NeighboursAreTheOtherEndsOfTheThreeEdges)
{
    const HexCorner corners[] = {HexCorner::ofHex({0, 0}, 0), HexCorner::ofHex({0, 0}, 1),
                                 HexCorner::ofHex({-33, 17}, 3), HexCorner::ofHex({31, -20}, 4)};
    for (const HexCorner &corner : corners) {
        SCOPED_TRACE(describe(corner));
        const auto neighbours = corner.neighbors();
        ASSERT_EQ(neighbours.size(), 3);
        const std::vector<HexCorner> expected = edgeNeighbours(corner);
        for (const HexCorner &n : neighbours) {
            EXPECT_TRUE(wellFormed(n));
            EXPECT_EQ(sharedCells(corner, n), 2);
            EXPECT_TRUE(std::find(expected.begin(), expected.end(), n) != expected.end());
            EXPECT_NEAR(std::hypot(n.unitPoint().x() - corner.unitPoint().x(),
                                   n.unitPoint().y() - corner.unitPoint().y()),
                        1.0, 1e-12);
            EXPECT_TRUE(n.neighbors().contains(corner));
        }
        EXPECT_NE(neighbours[0], neighbours[1]);
        EXPECT_NE(neighbours[0], neighbours[2]);
        EXPECT_NE(neighbours[1], neighbours[2]);
        // In edge order: across cells 0 and 1, then 0 and 2, then 1 and 2.
        const auto &c = corner.cells();
        EXPECT_TRUE(neighbours[0].cells().contains(c[0]) && neighbours[0].cells().contains(c[1]));
        EXPECT_TRUE(neighbours[1].cells().contains(c[0]) && neighbours[1].cells().contains(c[2]));
        EXPECT_TRUE(neighbours[2].cells().contains(c[1]) && neighbours[2].cells().contains(c[2]));
    }
    EXPECT_TRUE(HexCorner({{0, 0}, {1, 0}}).neighbors().isEmpty());
    EXPECT_TRUE(HexCorner().neighbors().isEmpty());
}

TEST(HexCorner, ChainsAcrossSectorBorders)
{
    const GalacticCoordinates pairs[][2] = {
        {{0, 0, 32, 1}, {1, 0, 1, 1}},   {{0, 0, 1, 1}, {0, 1, 1, 40}},   {{-1, 0, 32, 40}, {0, -1, 1, 1}},
        {{-1, 1, 30, 38}, {0, 0, 3, 2}}, {{0, 0, 1, 1}, {-1, -1, 29, 4}}, {{1, 0, 1, 20}, {0, 0, 28, 17}}};
    for (const auto &pair : pairs) {
        for (int k : {0, 2, 3, 5})
            expectShortestChain(cornerOf(pair[0], k), cornerOf(pair[1], (k + 1) % 6));
    }
}

TEST(HexCorner, LongLegsAreShortestAndMatchThePlainSearch)
{
    const GalacticCoordinates origin{0, 0, 16, 20};
    const GalacticCoordinates ends[] = {{1, 0, 24, 20}, {0, -1, 16, 20}, {1, -1, 6, 10},
                                        {-1, 1, 8, 20}, {0, 0, 26, 38},  {0, 1, 4, 1}};
    for (const GalacticCoordinates &end : ends) {
        ASSERT_GE(HexLayout::distance(origin, end), 15) << end.description().toStdString();
        expectShortestChain(cornerOf(origin, 0), cornerOf(end, 3));
    }
}

// Every corner of every hex within a few steps, as a leg from two starting corners:
// the many mirror-image ties among short legs show whether entries of equal priority
// and deviation are taken in the order they were appended.
TEST(HexCorner, ShortLegsMatchThePlainSearchTieForTie)
{
    const HexCorner starts[] = {HexCorner::ofHex({0, 0}, 0), HexCorner::ofHex({7, -4}, 3)};
    for (const HexCorner &a : starts) {
        const Cube centre = a.cells()[0];
        for (qint64 dx = -4; dx <= 4; ++dx) {
            for (qint64 dz = -4; dz <= 4; ++dz) {
                if (std::abs(dx) + std::abs(dz) + std::abs(dx + dz) > 8)
                    continue;
                for (int k = 0; k < 6; ++k) {
                    const HexCorner b = HexCorner::ofHex({centre.x + dx, centre.z + dz}, k);
                    ASSERT_EQ(HexCorner::edgePath(a, b), referenceEdgePath(a, b))
                        << describe(a) << " to " << describe(b);
                }
            }
        }
    }
}

TEST(HexCorner, SearchThatCannotArriveGivesTheStraightSegment)
{
    const HexCorner a = HexCorner::ofHex({0, 0}, 0);
    // The same vertex with its cells out of order is never met by the search, which
    // stops at its expansion limit.
    const HexCorner unsorted{{1, 2}, {0, 2}, {1, 1}};
    ASSERT_NE(unsorted, HexCorner::sorted({1, 2}, {0, 2}, {1, 1}));
    EXPECT_EQ(HexCorner::edgePath(a, unsorted), (QList<HexCorner>{a, unsorted}));
    // A start without three cells has no edges, so the open list runs empty at once.
    const HexCorner partial{{0, 0}, {1, 0}};
    EXPECT_EQ(HexCorner::edgePath(partial, a), (QList<HexCorner>{partial, a}));
    EXPECT_EQ(HexCorner::edgePath(HexCorner(), a), (QList<HexCorner>{HexCorner(), a}));
}
