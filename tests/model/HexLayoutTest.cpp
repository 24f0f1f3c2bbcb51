#include "model/HexLayout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

GalacticCoordinates hex(qint64 sectorX, qint64 sectorY, qint64 column, qint64 row)
{
    return GalacticCoordinates{sectorX, sectorY, column, row};
}

std::string label(const GalacticCoordinates &value)
{
    return value.description().toStdString();
}

// Hexes on both sides of every kind of sector border, odd and even columns, negative
// sectors included.
std::vector<GalacticCoordinates> hexesAroundSectorBorders()
{
    std::vector<GalacticCoordinates> result;
    for (qint64 sectorX : {-3, -1, 0, 2}) {
        for (qint64 sectorY : {-2, -1, 0, 1}) {
            for (qint64 column : {1, 2, 3, 16, 31, 32}) {
                for (qint64 row : {1, 2, 20, 39, 40})
                    result.push_back(hex(sectorX, sectorY, column, row));
            }
        }
    }
    return result;
}

double pointDistance(const QPointF &a, const QPointF &b)
{
    return std::hypot(a.x() - b.x(), a.y() - b.y());
}

} // namespace

TEST(HexLayout, CentresAtRadiusTen)
{
    struct Case
    {
        GalacticCoordinates hex;
        double x;
        double y;
    };
    const Case cases[] = {{hex(0, 0, 1, 1), 0, 0},
                          {hex(0, 0, 2, 1), 15, 8.660254037844386},
                          {hex(0, 1, 1, 1), 0, -692.8203230275508},
                          // Column 32 of sector −1 is galactic column −1: odd, so half a hex lower.
                          {hex(-1, 0, 32, 1), -15, 8.660254037844386},
                          {hex(-1, 0, 31, 1), -30, 0}};
    const HexLayout layout(10);
    for (const Case &c : cases) {
        const QPointF centre = layout.center(c.hex);
        EXPECT_DOUBLE_EQ(centre.x(), c.x) << label(c.hex);
        EXPECT_DOUBLE_EQ(centre.y(), c.y) << label(c.hex);
    }
}

TEST(HexLayout, GalacticColumnAndRowSplitIntoSectors)
{
    struct Case
    {
        qint64 col;
        qint64 row;
        GalacticCoordinates hex;
    };
    const Case cases[] = {{0, 0, hex(0, 0, 1, 1)},     {-1, 0, hex(-1, 0, 32, 1)},
                          {31, 39, hex(0, 0, 32, 40)}, {0, -1, hex(0, 1, 1, 40)},
                          {0, 40, hex(0, -1, 1, 1)},   {-65, 81, hex(-3, -2, 32, 2)}};
    for (const Case &c : cases)
        EXPECT_EQ(HexLayout::coordinates(c.col, c.row), c.hex) << c.col << ", " << c.row;
}

TEST(HexLayout, CentreLeadsBackToItsHexAcrossSectorBorders)
{
    for (double radius : {1.0, 10.0, 60.0}) {
        const HexLayout layout(radius);
        for (const GalacticCoordinates &h : hexesAroundSectorBorders())
            EXPECT_EQ(layout.coordinate(layout.center(h)), h) << label(h) << " at radius " << radius;
    }
}

TEST(HexLayout, PointsPastAnEdgeBelongToTheNeighbour)
{
    const HexLayout layout(60);
    for (const GalacticCoordinates &h : hexesAroundSectorBorders()) {
        const QPointF centre = layout.center(h);
        const auto corners = layout.corners(h);
        for (int k = 0; k < 6; ++k) {
            const QPointF middle = (corners[k] + corners[(k + 1) % 6]) / 2;
            EXPECT_EQ(layout.coordinate(centre + 0.97 * (middle - centre)), h) << label(h) << " edge " << k;
            // The neighbour across the edge has its centre twice as far out.
            const GalacticCoordinates beyond = layout.coordinate(centre + 1.03 * (middle - centre));
            EXPECT_EQ(HexLayout::distance(h, beyond), 1) << label(h) << " edge " << k;
            const QPointF neighbourCentre = centre + 2.0 * (middle - centre);
            EXPECT_LT(pointDistance(layout.center(beyond), neighbourCentre), 1e-6)
                << label(h) << " edge " << k;
        }
    }
}

TEST(HexLayout, PointsThatAreNotFiniteGiveTheOriginHex)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const HexLayout layout(10);
    EXPECT_EQ(layout.coordinate(QPointF(nan, 0)), hex(0, 0, 1, 1));
    EXPECT_EQ(layout.coordinate(QPointF(5, inf)), hex(0, 0, 1, 1));
    EXPECT_EQ(layout.coordinate(QPointF(1e300, -1e300)), hex(0, 0, 1, 1));
    EXPECT_EQ(HexLayout(0).coordinate(QPointF(100, 100)), hex(0, 0, 1, 1));
    EXPECT_EQ(HexLayout(-5).coordinate(QPointF(100, 100)), hex(0, 0, 1, 1));
}

TEST(HexLayout, CubeRoundingRecomputesTheWorstCoordinate)
{
    struct Case
    {
        double x, y, z;
        qint64 rx, ry, rz;
    };
    const Case cases[] = {// x has the largest error and is recomputed from y and z.
                          {0.4, 0.3, -0.7, 1, 0, -1},
                          // z has the largest error.
                          // Halves go away from zero; a tie between y and z recomputes z.
                          {-1.0, 0.5, 0.5, -1, 1, 0},
                          // A tie between x and y never recomputes x.
                          {0.5, 0.5, -1.0, 1, 0, -1}};
    for (const Case &c : cases) {
        const HexLayout::Cube cube = HexLayout::cubeRound(c.x, c.y, c.z);
        EXPECT_EQ(cube.x, c.rx) << c.x << ", " << c.y << ", " << c.z;
        EXPECT_EQ(cube.y(), c.ry) << c.x << ", " << c.y << ", " << c.z;
        EXPECT_EQ(cube.z, c.rz) << c.x << ", " << c.y << ", " << c.z;
    }
}

TEST(HexLayout, DistancesAcrossSectorBorders)
{
    struct Case
    {
        GalacticCoordinates a;
        GalacticCoordinates b;
        qint64 distance;
    };
    const Case cases[] = {
        {hex(0, 0, 32, 1), hex(1, 0, 1, 1), 1},
        {hex(0, 0, 1, 1), hex(0, 1, 1, 40), 1},
        {hex(-1, 0, 32, 1), hex(0, 0, 1, 1), 1},
        // 64 column steps climb at most 32 rows; the other 8 of the 40 rows take a step each.
        {hex(-2, 1, 1, 1), hex(0, 0, 1, 1), 72}};
    for (const Case &c : cases) {
        EXPECT_EQ(HexLayout::distance(c.a, c.b), c.distance) << label(c.a) << " to " << label(c.b);
        EXPECT_EQ(HexLayout::distance(c.b, c.a), c.distance) << label(c.b) << " to " << label(c.a);
    }
}

// One step apart means exactly that the centres are √3 radii apart.
TEST(HexLayout, DistanceOneMeansNeighbouringCentres)
{
    const HexLayout layout(1);
    std::vector<GalacticCoordinates> block;
    for (qint64 col = -35; col <= -27; ++col) {
        for (qint64 row = -3; row <= 3; ++row)
            block.push_back(HexLayout::coordinates(col, row));
    }
    for (const GalacticCoordinates &a : block) {
        for (const GalacticCoordinates &b : block) {
            const bool touching =
                std::fabs(pointDistance(layout.center(a), layout.center(b)) - std::sqrt(3.0)) < 1e-9;
            EXPECT_EQ(HexLayout::distance(a, b) == 1, touching) << label(a) << " to " << label(b);
        }
    }
}
