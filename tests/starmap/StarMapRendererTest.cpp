#include "starmap/StarMapRenderer.h"
#include "StarMapTestSupport.h"
#include "model/HexLayout.h"
#include "starmap/MapColors.h"
#include "starmap/StarMapFrameCache.h"
#include "starmap/StarMapVisibleSets.h"

#include "starmap/StarMapLayers.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPicture>

#include <gtest/gtest.h>

#include <limits>
#include <random>

using namespace StarMapTest;

namespace {

const QSize kView(400, 300);

QImage render(const StarMapRenderer &renderer, const MapTransform &transform, const GridExtent &extent)
{
    QImage image(kView, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    renderer.draw(painter, transform, extent, QRectF(QPointF(0, 0), QSizeF(kView)));
    return image;
}

int largestDifference(const QImage &a, const QImage &b)
{
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x)
            largest = std::max(largest, channelDistance(a.pixelColor(x, y), b.pixelColor(x, y)));
    }
    return largest;
}

// Pixels in the box that differ from the background.
int inkIn(const QImage &image, const QRect &box)
{
    int count = 0;
    for (int y = box.top(); y <= box.bottom(); ++y) {
        for (int x = box.left(); x <= box.right(); ++x)
            count += channelDistance(image.pixelColor(x, y), MapColors::background()) > 8 ? 1 : 0;
    }
    return count;
}

// The transform that shows the hex `hex` at the screen point `where`.
MapTransform showing(const GalacticCoordinates &hex, const QPointF &where, double scale)
{
    return {scale, where - HexLayout(60).center(hex) * scale};
}

class StarMapRendererTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        HexData longName = hex(at(32, 40), true, false, false, SpectralType::M);
        longName.starSystem.name = QStringLiteral("A name long enough to reach into the next sector");
        HexData crowded = hex(at(5, 7));
        crowded.starSystem.stars.append(crowded.starSystem.stars[0]);
        crowded.starSystem.stars.append(crowded.starSystem.stars[0]);
        crowded.starSystem.surveyed = true;
        WorldData &main = crowded.starSystem.stars[0].worlds[0];
        main.uwp.bases = {Base::navalBase, Base::scoutBase};
        main.worldTags = {WorldTag::redZone};
        crowded.starSystem.gasGiant = 2;
        m_universe =
            universe({hex(at(2, 2)), crowded, longName, hex(at(1, 1, 1, 0)), hex(at(6, 6), false, true)});
        m_universe->setMapShowSathar(false);
        m_sets = std::make_unique<StarMapVisibleSets>(m_universe.get(), 60);
        m_renderer = std::make_unique<StarMapRenderer>(*m_sets);
    }

    GridExtent extent() const { return m_sets->systems().extent()->widened(2); }

    std::unique_ptr<StarfarerUniverse> m_universe;
    std::unique_ptr<StarMapVisibleSets> m_sets;
    std::unique_ptr<StarMapRenderer> m_renderer;
};

TEST_F(StarMapRendererTest, StarsAtTheirCentresAndNothingForAFilteredSystem)
{
    const QImage image = render(*m_renderer, showing(at(2, 2), {100, 100}, 1), extent());
    EXPECT_LE(channelDistance(image.pixelColor(100, 100), MapColors::spectral(SpectralType::G)), 2);

    const QImage far = render(*m_renderer, showing(at(32, 40), {200, 150}, 0.5), extent());
    EXPECT_LE(channelDistance(far.pixelColor(200, 150), MapColors::spectral(SpectralType::M)), 2);

    // The Sathar-only system at 0606 is hidden; at a scale without grid its hex is empty.
    const QImage hidden = render(*m_renderer, showing(at(6, 6), {200, 150}, 0.15), extent());
    EXPECT_EQ(inkIn(hidden, QRect(190, 140, 21, 21)), 0);
    EXPECT_GT(
        inkIn(render(*m_renderer, showing(at(2, 2), {200, 150}, 0.15), extent()), QRect(190, 140, 21, 21)),
        0);
}

TEST_F(StarMapRendererTest, SectorBorderAndHexNumbersFollowTheirThresholds)
{
    // The sector border runs half a column left of column 1, always drawn.
    const double s = 0.1;
    const MapTransform t = showing(at(1, 20), {200, 150}, s);
    const QImage image = render(*m_renderer, t, extent());
    const int borderX = qRound(200 - 0.5 * 1.5 * 60 * s);
    EXPECT_GT(inkIn(image, QRect(borderX - 1, 100, 3, 1)), 0);
    EXPECT_EQ(inkIn(image, QRect(borderX - 20, 100, 10, 1)), 0);

    // 0502's number sits 0.66 hex radii above its centre from scale 0.4 on, not at 0.35.
    const QRect number(190, 131, 20, 7);      // about y = 150 − 0.66 × 24
    const QRect numberAt035(190, 133, 20, 6); // about y = 150 − 0.66 × 21
    EXPECT_GT(inkIn(render(*m_renderer, showing(at(5, 2), {200, 150}, 0.4), extent()), number), 0);
    EXPECT_EQ(inkIn(render(*m_renderer, showing(at(5, 2), {200, 150}, 0.35), extent()), numberAt035), 0);
}

// Every edge of every hex of the grid is stroked, once: an edge two hexes share
// carries as much ink as one on the grid's border.
TEST(StarMapGridTest, EveryHexEdgeIsStrokedOnce)
{
    const auto u = universe({hex(at(20, 20))});
    const StarMapVisibleSets sets(u.get(), 60);
    const StarMapRenderer renderer(sets);
    // Columns 2 to 5 and rows 3 to 5: odd and even columns on every side.
    const GridExtent extent{2, 5, 3, 5};
    // Hex outlines without hex numbers.
    const MapTransform t{0.34, QPointF(0, 0)};
    const QImage image = render(renderer, t, extent);
    const int background = MapColors::background().red();
    const HexLayout layout(60);
    // The ink of each edge across a small square about its middle, by the edge's
    // direction.
    std::array<QList<int>, 6> inks;
    for (qint64 q = extent.minCol; q <= extent.maxCol; ++q) {
        for (qint64 r = extent.minRow; r <= extent.maxRow; ++r) {
            const auto corners = layout.corners(HexLayout::coordinates(q, r));
            for (std::size_t k = 0; k < 6; ++k) {
                const QPoint middle = t.toScreen((corners[k] + corners[(k + 1) % 6]) / 2).toPoint();
                ASSERT_TRUE(image.rect().adjusted(3, 3, -3, -3).contains(middle));
                int ink = 0;
                for (int dy = -2; dy <= 2; ++dy) {
                    for (int dx = -2; dx <= 2; ++dx)
                        ink += image.pixelColor(middle + QPoint(dx, dy)).red() - background;
                }
                inks[k].append(ink);
            }
        }
    }
    for (std::size_t k = 0; k < 6; ++k) {
        const auto [least, most] = std::minmax_element(inks[k].cbegin(), inks[k].cend());
        EXPECT_GT(*least, 0) << "edge " << k;
        EXPECT_LT(*most, 1.3 * *least) << "edge " << k;
    }
}

// A part of the map drawn on its own, moved by whole pixels as the kept tiles are,
// gets the pixels of the same part of the whole view, at any sub-pixel offset. At the
// zoom steps tried a subsector is 4 points more than a whole number of dash periods
// across, so that a dash of its border ends exactly on a corner and rounding alone
// decides whether a sliver of it is left there: it must leave no dot in one drawing
// that the other lacks.
TEST(StarMapGridTest, APartDrawnOnItsOwnMatchesTheWholeView)
{
    const auto u = universe();
    const StarMapVisibleSets sets(u.get(), 60);
    const StarMapRenderer renderer(sets);
    const GridExtent extent{-10, 200, -10, 200};
    std::mt19937 random(8);
    const auto uniform = [&](double low, double high) {
        return low + (high - low) * double(random() % 1'000'000) / 1'000'000.0;
    };
    constexpr int kPart = 160;
    constexpr std::array kScales{0.25, 0.35, 0.45, 0.55, 0.65, 0.75, 0.85, 0.95};
    for (int trial = 0; trial < 160; ++trial) {
        const double scale = kScales[std::size_t(trial) % kScales.size()];
        const MapTransform t{scale, QPointF(uniform(-1500, 0), uniform(-1500, 0))};
        const PartDifference difference = partsAgainstWhole(renderer, renderer, t, extent, kPart);
        ASSERT_LE(difference.largest, 8)
            << "scale " << t.scale << ", offset " << t.offset.x() << ", " << t.offset.y() << ", part at "
            << difference.part.x() << ", " << difference.part.y();
    }
}

TEST_F(StarMapRendererTest, CullingChangesNothing)
{
    for (const double scale : {0.08, 0.25, 0.35, 0.5, 1.0, 2.0}) {
        const MapTransform t = showing(at(30, 38), {150, 120}, scale);
        m_renderer->setCulling(true);
        const QImage culled = render(*m_renderer, t, extent());
        m_renderer->setCulling(false);
        const QImage everything = render(*m_renderer, t, extent());
        EXPECT_EQ(largestDifference(culled, everything), 0) << "scale " << scale;
    }
}

// Everything a system's drawing puts on screen, its name included, lies within the
// area its change is said to reach, so that culling and partial redraws never cut
// any of it.
TEST_F(StarMapRendererTest, TheReachOfASystemHoldsAllItsDrawing)
{
    HexData named = hex(at(20, 12));
    named.starSystem.name = QStringLiteral("A name that reaches much further than its hex");
    named.starSystem.surveyed = true;
    named.starSystem.gasGiant = 1;
    for (const double scale : {0.35, 1.0, 2.0}) {
        const MapTransform t = showing(named.coordinates, {200, 150}, scale);
        const QImage without = render(*m_renderer, t, extent());
        m_universe->insertHex(named);
        const QImage with = render(*m_renderer, t, extent());
        const QRectF reach = m_renderer->reachOf({named.coordinates}, t);
        m_universe->removeHex(named.id);
        QRect drawn;
        for (int y = 0; y < kView.height(); ++y) {
            for (int x = 0; x < kView.width(); ++x) {
                if (channelDistance(with.pixelColor(x, y), without.pixelColor(x, y)) > 0)
                    drawn |= QRect(x, y, 1, 1);
            }
        }
        ASSERT_FALSE(drawn.isEmpty());
        // The name is the widest part of the drawing.
        EXPECT_GT(drawn.width(), 0.9 * QFontMetricsF(QFont()).averageCharWidth() * 20) << "scale " << scale;
        EXPECT_TRUE(reach.contains(QRectF(drawn))) << "scale " << scale;
    }
}

// A name of a megabyte is laid out as far as a screen shows it: the area its system
// reaches stays bounded, so that culling still leaves out what lies beyond the view.
TEST_F(StarMapRendererTest, AMegabyteNameReachesOnlyAsFarAsItIsLaidOut)
{
    HexData named = hex(at(20, 12));
    named.starSystem.name = QString(1'000'000, u'W');
    m_universe->insertHex(named);
    const MapTransform t = showing(named.coordinates, {200, 150}, 1.0);
    const QRectF reach = m_renderer->reachOf({named.coordinates}, t);
    EXPECT_TRUE(reach.contains(QRectF(QPointF(0, 0), QSizeF(kView))));
    EXPECT_LT(reach.width(), 500'000);
    // Culled or not, the frame is the same.
    m_renderer->setCulling(true);
    const QImage culled = render(*m_renderer, t, extent());
    m_renderer->setCulling(false);
    EXPECT_EQ(largestDifference(culled, render(*m_renderer, t, extent())), 0);
}

// Two systems sectors apart, the second `sectors` to the right of the first.
std::unique_ptr<StarfarerUniverse> farApart(qint64 sectors)
{
    return universe({hex(at(1, 1, 0, 0)), hex(at(1, 1, sectors, 0), true, false, false, SpectralType::M)});
}

// The sectors between two far-apart systems are not walked: the fitted frame records
// the same drawing whether they lie a thousand or ten million sectors apart, and both
// occupied sectors and both systems are drawn where they are on screen.
TEST(StarMapFarSectorsTest, AFrameDoesNotGrowWithTheDistanceBetweenSectors)
{
    QList<qsizetype> recorded;
    for (const qint64 sectors : {qint64(1000), qint64(100000), qint64(10000000)}) {
        const auto u = farApart(sectors);
        const StarMapVisibleSets sets(u.get(), 60);
        const StarMapRenderer renderer(sets);
        const GridExtent extent = sets.systems().extent()->widened(2);
        const MapTransform fit = MapTransform::fit(extent, QSizeF(kView), 60);
        QPicture picture;
        {
            QPainter painter(&picture);
            renderer.draw(painter, fit, extent, QRectF(QPointF(0, 0), QSizeF(kView)));
        }
        recorded.append(picture.size());

        const QImage image = render(renderer, fit, extent);
        for (const qint64 sector : {qint64(0), sectors}) {
            // The sector's name hangs from its top-left corner.
            const QPointF corner = fit.toScreen(HexLayout(60).center(at(1, 1, sector, 0)) - QPointF(45, 52));
            EXPECT_GT(inkIn(image, QRect(corner.toPoint() + QPoint(4, 2), QSize(14, 16))), 10) << sectors;
        }
        const QImage left = render(renderer, showing(at(1, 1), {200, 150}, 1), extent);
        EXPECT_LE(channelDistance(left.pixelColor(200, 150), MapColors::spectral(SpectralType::G)), 2);
        const QImage right = render(renderer, showing(at(1, 1, sectors, 0), {200, 150}, 1), extent);
        EXPECT_LE(channelDistance(right.pixelColor(200, 150), MapColors::spectral(SpectralType::M)), 2);
    }
    // Only the digits of the far sector's name add to it.
    EXPECT_LE(recorded[1], recorded[0] + 16);
    EXPECT_LE(recorded[2], recorded[0] + 16);
}

// Coordinates stored at the ends of the 64-bit range are filed, found, fitted and
// drawn, with every layer, without any arithmetic overflowing (the sanitizer build
// checks that); the map around them is meaningless but nothing fails.
TEST(StarMapFarSectorsTest, ExtremeCoordinatesAreFiledAndPainted)
{
    constexpr qint64 lo = std::numeric_limits<qint64>::min();
    constexpr qint64 hi = std::numeric_limits<qint64>::max();
    const QList<GalacticCoordinates> places{at(1, 1, hi, hi),   at(32, 40, lo, lo), at(hi, lo, 0, 0),
                                            at(lo, hi, hi, lo), at(lo, lo, lo, hi), at(1, 1)};
    QList<HexData> data;
    for (const GalacticCoordinates &place : places)
        data.append(hex(place));
    const auto u = universe(data);
    Faction owner = aFaction(QStringLiteral("Far")).shortName(QStringLiteral("F"));
    u->setFactions({owner});
    QList<Rutter> rutters;
    QList<Region> regions;
    QList<Nebula> nebulae;
    QList<StarmapLabel> labels;
    for (qsizetype i = 0; i < places.size(); ++i) {
        const GalacticCoordinates &next = places[(i + 1) % places.size()];
        Rutter rutter;
        rutter.id = QUuid::createUuid();
        rutter.factionID = owner.id;
        rutter.start = places[i];
        rutter.end = next;
        rutter.age = RutterAge::recent;
        rutters.append(rutter);
        Region region;
        region.id = QUuid::createUuid();
        region.closed = true;
        region.anchors = {{places[i], 0}, {next, 2}};
        regions.append(region);
        Nebula nebula;
        nebula.id = QUuid::createUuid();
        nebula.hexes = {places[i], next};
        nebulae.append(nebula);
        StarmapLabel label;
        label.id = QUuid::createUuid();
        label.text = QStringLiteral("Far");
        label.size = i % 2 == 0 ? 24 : 1e300;
        label.position = places[i];
        labels.append(label);
    }
    u->setRutters(rutters);
    u->setRegions(regions);
    u->setNebulae(nebulae);
    u->setStarmapLabels(labels);

    StarMapVisibleSets sets(u.get(), 60);
    for (const GalacticCoordinates &place : places)
        EXPECT_NE(sets.systems().at(place), nullptr);
    StarMapRenderer renderer(sets);
    StarMapLayers layers(sets);
    layers.install(renderer);
    const GridExtent extent = sets.systems().extent()->widened(2);
    const MapTransform fit = MapTransform::fit(extent, QSizeF(kView), 60);
    EXPECT_GT(fit.scale, 0);
    render(renderer, fit, extent);
    StarMapFrameCache cache(renderer);
    cache.sharpFrame(kView, 1, fit, extent);
    for (const GalacticCoordinates &place : places) {
        for (const double scale : {0.1, 1.0, 8.0}) {
            const MapTransform t = showing(place, {200, 150}, scale);
            render(renderer, t, extent);
            cache.sharpFrame(kView, 1, t, extent);
            cache.invalidate({place});
            cache.sharpFrame(kView, 1, t, extent);
        }
    }
}

} // namespace
