#include "universe/Region.h"
#include "model/HexLayout.h"

#include <QLineF>

#include <gtest/gtest.h>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

using Cube = HexLayout::Cube;

RegionAnchor anchor(GalacticCoordinates hex, qint64 corner)
{
    return RegionAnchor{hex, corner};
}

Region regionOf(QList<RegionAnchor> anchors, bool closed)
{
    Region region;
    region.anchors = std::move(anchors);
    region.closed = closed;
    return region;
}

// Corners one hex edge apart share exactly two of their three cells.
bool oneEdgeApart(const HexCorner &a, const HexCorner &b)
{
    int shared = 0;
    for (const Cube &cell : a.cells())
        shared += std::count(b.cells().cbegin(), b.cells().cend(), cell) > 0 ? 1 : 0;
    return a.cells().size() == 3 && b.cells().size() == 3 && shared == 2;
}

void expectNear(const QPointF &actual, const QPointF &expected)
{
    EXPECT_NEAR(actual.x(), expected.x(), 1e-9);
    EXPECT_NEAR(actual.y(), expected.y(), 1e-9);
}

} // namespace

TEST(RegionAnchor, CornerIndexIsTakenModuloSix)
{
    const GalacticCoordinates hex{-2, 3, 17, 8};
    for (qint64 k = 0; k < 6; ++k) {
        const HexCorner expected = anchor(hex, k).hexCorner();
        for (const qint64 other : {k + 6, k - 6, k + 12, k - 600})
            EXPECT_EQ(anchor(hex, other).hexCorner(), expected) << k << " vs " << other;
    }
    EXPECT_EQ(anchor(hex, -1).hexCorner(), anchor(hex, 5).hexCorner());
    EXPECT_EQ(anchor(hex, 7).hexCorner(), anchor(hex, 1).hexCorner());
    EXPECT_NE(anchor(hex, 1).hexCorner(), anchor(hex, 2).hexCorner());
}

TEST(Region, TwoCornersOfOneHexGiveTheEndsOfItsEdge)
{
    const double radius = 10.0;
    const GalacticCoordinates origin{0, 0, 1, 1};
    const QList<QPointF> points =
        regionOf({anchor(origin, 0), anchor(origin, 1)}, false).outlinePoints(radius);
    ASSERT_EQ(points.size(), 2);
    expectNear(points[0], QPointF(10.0, 0.0));
    expectNear(points[1], QPointF(5.0, 8.660254037844386));

    // Elsewhere, and against the hex's own corner points.
    const GalacticCoordinates hex{-1, 1, 7, 12};
    const auto corners = HexLayout(radius).corners(hex);
    for (qint64 k = 0; k < 6; ++k) {
        const QList<QPointF> edge =
            regionOf({anchor(hex, k), anchor(hex, k + 1)}, false).outlinePoints(radius);
        ASSERT_EQ(edge.size(), 2) << k;
        expectNear(edge[0], corners[k]);
        expectNear(edge[1], corners[(k + 1) % 6]);
    }
}

TEST(Region, OpenOutlineJoinsLegsAtTheirSharedCorner)
{
    const QList<RegionAnchor> anchors{anchor({0, 0, 2, 2}, 3), anchor({0, 0, 7, 4}, 1),
                                      anchor({0, 0, 5, 9}, 5)};
    const HexCorner a = anchors[0].hexCorner();
    const HexCorner b = anchors[1].hexCorner();
    const HexCorner c = anchors[2].hexCorner();
    const QList<HexCorner> first = HexCorner::edgePath(a, b);
    const QList<HexCorner> second = HexCorner::edgePath(b, c);
    ASSERT_GT(first.size(), 2);
    ASSERT_GT(second.size(), 2);

    const QList<HexCorner> chain = regionOf(anchors, false).outlineCorners();
    // The junction b appears once: the second leg's first corner is not repeated.
    ASSERT_EQ(chain.size(), first.size() + second.size() - 1);
    EXPECT_EQ(chain.mid(0, first.size()), first);
    EXPECT_EQ(chain.mid(first.size() - 1), second);
    EXPECT_EQ(chain.first(), a);
    EXPECT_EQ(chain.last(), c);
    EXPECT_EQ(std::count(chain.cbegin(), chain.cend(), b), 1);
    for (qsizetype i = 1; i < chain.size(); ++i)
        EXPECT_TRUE(oneEdgeApart(chain[i - 1], chain[i])) << i;

    const QList<QPointF> points = regionOf(anchors, false).outlinePoints(3.0);
    ASSERT_EQ(points.size(), chain.size());
    for (qsizetype i = 0; i < chain.size(); ++i)
        expectNear(points[i], chain[i].point(3.0));
}

TEST(Region, ClosedOutlineReturnsToItsFirstCorner)
{
    const QList<RegionAnchor> anchors{anchor({0, 0, 10, 10}, 0), anchor({0, 0, 14, 12}, 2),
                                      anchor({0, 0, 9, 15}, 4)};
    const QList<HexCorner> open = regionOf(anchors, false).outlineCorners();
    const QList<HexCorner> closed = regionOf(anchors, true).outlineCorners();
    const QList<HexCorner> back = HexCorner::edgePath(anchors[2].hexCorner(), anchors[0].hexCorner());
    ASSERT_GT(back.size(), 2);

    ASSERT_EQ(closed.size(), open.size() + back.size() - 1);
    EXPECT_EQ(closed.mid(0, open.size()), open);
    EXPECT_EQ(closed.mid(open.size() - 1), back);
    EXPECT_EQ(closed.first(), closed.last());
    EXPECT_NE(open.first(), open.last());

    const QList<QPointF> points = regionOf(anchors, true).outlinePoints(7.5);
    ASSERT_EQ(points.size(), closed.size());
    EXPECT_EQ(points.first(), points.last());
    for (qsizetype i = 1; i < points.size(); ++i)
        EXPECT_NEAR(QLineF(points[i - 1], points[i]).length(), 7.5, 1e-9) << i;
}

TEST(Region, RepeatedAnchorsAddNothing)
{
    const RegionAnchor a = anchor({0, 0, 3, 3}, 1);
    const RegionAnchor b = anchor({0, 0, 6, 5}, 4);
    for (const bool closed : {false, true}) {
        const QList<HexCorner> plain = regionOf({a, b}, closed).outlineCorners();
        EXPECT_EQ(regionOf({a, a, b, b}, closed).outlineCorners(), plain);
        for (qsizetype i = 1; i < plain.size(); ++i)
            EXPECT_NE(plain[i - 1], plain[i]);
    }
}
