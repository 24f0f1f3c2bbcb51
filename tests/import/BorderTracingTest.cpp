#include "import/BorderTracing.h"
#include "RegionTestSupport.h"
#include "import/ImportedRegion.h"

#include <gtest/gtest.h>

#include <random>

using namespace TravellerMapImporter;
using region_test::blob;

namespace {

MetaBorder border(const QString &path, const QString &label = QString(),
                  const QString &allegiance = QString())
{
    return MetaBorder{path, allegiance, label, QStringLiteral("0505"), QStringLiteral("#ff0000")};
}

QString hexText(const GalacticCoordinates &hex)
{
    return QStringLiteral("%1%2")
        .arg(hex.column, 2, 10, QLatin1Char('0'))
        .arg(hex.row, 2, 10, QLatin1Char('0'));
}

} // namespace

TEST(BorderTracing, ThreeHexesAroundOneVertexGiveTwelveAnchors)
{
    const auto regions = importedRegions({border(QStringLiteral("0101 0201 0102"))}, {0, 0}, {});
    ASSERT_EQ(regions.size(), 1);
    const ImportedRegion &region = regions.first();
    EXPECT_EQ(region.cells, (CellSet{{0, 0}, {1, 0}, {0, 1}}));

    const auto anchor = [](qint64 sx, qint64 sy, qint64 column, qint64 row, qint64 corner) {
        return RegionAnchor{GalacticCoordinates{sx, sy, column, row}, corner};
    };
    const QList<RegionAnchor> expected{
        anchor(-1, 0, 32, 1, 0), anchor(-1, 0, 32, 1, 1), anchor(-1, 1, 32, 40, 0), anchor(-1, 1, 32, 40, 1),
        anchor(0, 1, 1, 40, 1),  anchor(0, 1, 2, 40, 1),  anchor(0, 0, 1, 1, 0),    anchor(0, 0, 2, 1, 0),
        anchor(0, 0, 2, 1, 1),   anchor(0, 0, 1, 2, 0),   anchor(0, 0, 1, 2, 1),    anchor(-1, 0, 32, 2, 0)};
    ASSERT_EQ(region.anchors.size(), 12);
    for (const RegionAnchor &a : expected)
        EXPECT_TRUE(region.anchors.contains(a))
            << a.hex.description().toStdString() << " corner " << a.corner;

    // The anchors walk the outline: each is one hex edge from the next.
    for (qsizetype i = 0; i < 12; ++i) {
        const HexCorner from = region.anchors[i].hexCorner();
        const HexCorner to = region.anchors[(i + 1) % 12].hexCorner();
        EXPECT_TRUE(from.neighbors().contains(to)) << i;
    }
    QList<QPointF> points;
    for (const RegionAnchor &a : region.anchors)
        points.append(a.hexCorner().unitPoint());
    for (const QPointF expectedPoint :
         {QPointF(1, 0), QPointF(2, 0), QPointF(2.5, 0.8660254), QPointF(-1, 0)}) {
        EXPECT_TRUE(std::any_of(points.begin(), points.end(), [&](const QPointF &p) {
            return std::abs(p.x() - expectedPoint.x()) < 1e-6 && std::abs(p.y() - expectedPoint.y()) < 1e-6;
        }));
    }
}

TEST(BorderTracing, DropsShortPathsAndReadsOnlyFourDigitPieces)
{
    const auto regions = importedRegions(
        {border(QStringLiteral("0101 0101 0201")), border(QStringLiteral("0101  0201")),
         border(QStringLiteral("0101 010 02011 0201 0A01 0102"), QString(), QStringLiteral("Im"))},
        {2, -1}, {});
    ASSERT_EQ(regions.size(), 1);
    EXPECT_EQ(regions.first().cells.size(), 3u);
    EXPECT_EQ(regions.first().name, allegianceName(QStringLiteral("Im"), {}));
    EXPECT_EQ(regions.first().labelCoordinates, (GalacticCoordinates{2, -1, 5, 5}));

    MetaBorder unlabelled = border(QStringLiteral("0101 0201 0102"), QStringLiteral(" Named "));
    unlabelled.labelPosition = QStringLiteral("05x5");
    const auto named = importedRegions({unlabelled}, {0, 0}, {});
    ASSERT_EQ(named.size(), 1);
    EXPECT_EQ(named.first().name, QStringLiteral(" Named "));
    EXPECT_FALSE(named.first().labelCoordinates.has_value());
}

TEST(BorderTracing, ARingEnclosesItsMiddleAndTracesOnlyTheOuterEdge)
{
    const GalacticCoordinates middle{0, 0, 10, 10};
    QString path;
    for (int k = 0; k < 6; ++k)
        path += hexText(hexOf(neighbor(cellOf(middle), k))) + u' ';
    const auto regions = importedRegions({border(path)}, {0, 0}, {});
    ASSERT_EQ(regions.size(), 1);
    EXPECT_EQ(regions.first().cells.size(), 7u);
    EXPECT_TRUE(regions.first().cells.contains(cellOf(middle)));
    EXPECT_EQ(regions.first().anchors.size(), 18);
    // Without the fill the ring has two outlines: its outer edge and its hole.
    CellSet ring = regions.first().cells;
    ring.erase(cellOf(middle));
    EXPECT_EQ(boundaryLoops(ring).size(), 2);
}

TEST(BorderTracing, OutlinesEncloseExactlyTheirAreas)
{
    std::mt19937 random(7);
    for (int round = 0; round < 40; ++round) {
        const CellSet area = fillCells(blob(random, 3 + round));
        const QList<AnchorList> shapes = buildRegionShapes(area, {});
        ASSERT_EQ(shapes.size(), 1);
        for (const RegionAnchor &anchor : shapes.first())
            EXPECT_TRUE(anchor.corner == 0 || anchor.corner == 1);
        const Region region{QUuid(), QString(), FactionColor::red, shapes.first(), true, std::nullopt};
        EXPECT_EQ(cellsEnclosedBy(region), area) << "round " << round;
    }
}

TEST(BorderTracing, MergesTouchingAreasAndKeepsSeparateOnesApart)
{
    const CellSet left{{0, 0}, {0, 1}, {1, 0}};
    const CellSet touching{{2, 0}, {2, 1}, {3, 0}};
    const CellSet far{{10, 0}, {10, 1}, {11, 0}};
    EXPECT_EQ(buildRegionShapes(left, {touching}).size(), 1);
    EXPECT_EQ(buildRegionShapes(left, {far}).size(), 2);
    EXPECT_EQ(connectedComponents(CellSet{{0, 0}, {5, 5}, {0, 1}}).size(), 2);
}

TEST(BorderTracing, StoredRegionsThatCannotBeScannedAreNotScanned)
{
    Region sparse{QUuid(), QString(), FactionColor::red, {}, true, std::nullopt};
    sparse.anchors = {{{0, 0, 1, 1}, 0}, {{0, 0, 2, 1}, 0}};
    EXPECT_EQ(cellsEnclosedBy(sparse), CellSet{});
    sparse.anchors.append({{40000, 0, 1, 1}, 0});
    EXPECT_EQ(cellsEnclosedBy(sparse), std::nullopt);
}
