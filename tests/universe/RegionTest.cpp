#include "RecordJsonSupport.h"

#include "model/HexLayout.h"
#include "universe/Region.h"

#include <QLineF>

#include <gtest/gtest.h>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

using Cube = HexLayout::Cube;

const QString kId = u"0A1B2C3D-4E5F-4061-8293-A4B5C6D7E8F9"_s;

JsonObject hexObject(qint64 sectorX, qint64 sectorY, qint64 column, qint64 row)
{
    return JsonObject{
        {"sectorX"_L1, sectorX}, {"sectorY"_L1, sectorY}, {"column"_L1, column}, {"row"_L1, row}};
}

JsonObject regionObject()
{
    return JsonObject{
        {"id"_L1, kId},
        {"name"_L1, u"Sword Worlds"_s},
        {"color"_L1, u"violet"_s},
        {"anchors"_L1, JsonArray{JsonObject{{"hex"_L1, hexObject(0, 0, 3, 3)}, {"corner"_L1, 0}},
                                  JsonObject{{"hex"_L1, hexObject(0, 0, 6, 3)}, {"corner"_L1, -7}}}},
        {"closed"_L1, true},
    };
}

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

TEST(Region, ReadsAndWritesWithoutLabelCoordinates)
{
    const Region region = decodeRecord<Region>(regionObject());
    EXPECT_EQ(region.name, u"Sword Worlds"_s);
    EXPECT_EQ(region.color, FactionColor::violet);
    ASSERT_EQ(region.anchors.size(), 2);
    EXPECT_EQ(region.anchors[1].hex, (GalacticCoordinates{0, 0, 6, 3}));
    EXPECT_EQ(region.anchors[1].corner, -7); // kept as stored
    EXPECT_TRUE(region.closed);
    EXPECT_FALSE(region.labelCoordinates.has_value());

    const JsonObject written = region.toJson();
    EXPECT_FALSE(written.contains("labelCoordinates"_L1));
    EXPECT_EQ(written, regionObject());

    JsonObject withNull = regionObject();
    withNull.insert("labelCoordinates"_L1, JsonValue());
    EXPECT_FALSE(decodeRecord<Region>(withNull).labelCoordinates.has_value());
}

TEST(Region, WritesLabelCoordinatesWhenPresent)
{
    JsonObject object = regionObject();
    object.insert("labelCoordinates"_L1, hexObject(-1, 2, 5, 40));
    const Region region = decodeRecord<Region>(object);
    EXPECT_EQ(region.labelCoordinates, (GalacticCoordinates{-1, 2, 5, 40}));
    EXPECT_EQ(region.toJson(), object);

    // Lenient coordinates: a label position of {} is present, at all zeros.
    object.insert("labelCoordinates"_L1, JsonObject{});
    EXPECT_EQ(decodeRecord<Region>(object).labelCoordinates, (GalacticCoordinates{0, 0, 0, 0}));
}

TEST(Region, MissingOrMistypedKeysFailAtTheirPath)
{
    for (const char *key : {"id", "name", "color", "anchors", "closed"}) {
        JsonObject object = regionObject();
        object.remove(QLatin1StringView(key));
        EXPECT_EQ(decodeFailurePath<Region>(object), QString::fromLatin1(key));
    }
    const struct
    {
        const char *key;
        JsonValue value;
        const char *path;
    } rows[] = {
        {"closed", u"true"_s, "closed"},
        {"color", u"Violet"_s, "color"},
        {"labelCoordinates", u"00-0101"_s, "labelCoordinates"},
        {"anchors", JsonArray{JsonObject{{"hex"_L1, hexObject(0, 0, 1, 1)}}}, "anchors[0].corner"},
        {"anchors", JsonArray{JsonObject{{"corner"_L1, 1}}}, "anchors[0].hex"},
        {"anchors",
         JsonArray{JsonObject{{"hex"_L1, hexObject(0, 0, 1, 1)}, {"corner"_L1, 1}},
                    JsonObject{{"hex"_L1, hexObject(0, 0, 1, 1)}, {"corner"_L1, 2.5}}},
         "anchors[1].corner"},
    };
    for (const auto &row : rows) {
        JsonObject object = regionObject();
        object.insert(QLatin1StringView(row.key), row.value);
        EXPECT_EQ(decodeFailurePath<Region>(object), QString::fromLatin1(row.path)) << row.key;
    }
}

TEST(Region, EqualityCoversEveryFieldAndAnAbsentLabelDiffersFromAnyPresentOne)
{
    const Region region = decodeRecord<Region>(regionObject());
    EXPECT_EQ(qHash(Region(region)), qHash(region));

    Region labelled = region;
    labelled.labelCoordinates = GalacticCoordinates{};
    EXPECT_NE(labelled, region);

    Region reopened = region;
    reopened.closed = false;
    EXPECT_NE(reopened, region);

    Region moved = region;
    moved.anchors[0].corner = 6; // the same vertex, but another stored value
    EXPECT_NE(moved, region);
}

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

TEST(RegionAnchor, CornersAreTheHexAndItsTwoNeighbours)
{
    // 00-0101 is cube (0, 0); 00-0201 is (1, 0). Corner 0 of the first and corner 4
    // of the second are the vertex of (0, 0), (1, 0) and (1, -1).
    const HexCorner expected{Cube{0, 0}, Cube{1, -1}, Cube{1, 0}};
    EXPECT_EQ(anchor({0, 0, 1, 1}, 0).hexCorner(), expected);
    EXPECT_EQ(anchor({0, 0, 2, 1}, 4).hexCorner(), expected);

    // Across a sector border, with an odd negative galactic column: A0-3201 is
    // q = -1, r = 0, so z = 0 - floor(-1 / 2) = 1. Its corner 0 is shared with its
    // lower-right neighbour (0, 1), which is 00-0102, as that hex's corner 4.
    const HexCorner acrossBorder{Cube{-1, 1}, Cube{0, 0}, Cube{0, 1}};
    EXPECT_EQ(anchor({-1, 0, 32, 1}, 0).hexCorner(), acrossBorder);
    EXPECT_EQ(anchor({0, 0, 1, 2}, 4).hexCorner(), acrossBorder);

    // Corner 3 (left-hand vertex) of (0, 0): its neighbours (-1, 0) and (-1, 1).
    EXPECT_EQ(anchor({0, 0, 1, 1}, 3).hexCorner(), (HexCorner{Cube{-1, 0}, Cube{-1, 1}, Cube{0, 0}}));
}

TEST(Region, SmallRegionsHaveFewPoints)
{
    const RegionAnchor a = anchor({0, 0, 4, 4}, 2);
    for (const bool closed : {false, true}) {
        EXPECT_TRUE(regionOf({}, closed).outlinePoints(10).isEmpty());
        EXPECT_EQ(regionOf({a}, closed).outlinePoints(10).size(), 1);
        EXPECT_EQ(regionOf({a, a}, closed).outlinePoints(10).size(), 1);
        // The same vertex named from another hex is still one point.
        const RegionAnchor same = anchor({0, 0, 4, 4}, 8);
        EXPECT_EQ(regionOf({a, same, a}, closed).outlineCorners().size(), 1);
    }
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
        const QList<QPointF> edge = regionOf({anchor(hex, k), anchor(hex, k + 1)}, false).vertexKeys(radius);
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
