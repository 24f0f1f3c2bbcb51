#include "OneThreadPools.h"
#include "RandomMapEdits.h"
#include "StarMapTestSupport.h"
#include "model/HexLayout.h"
#include "starmap/MapColors.h"
#include "starmap/StarMapFrameCache.h"
#include "starmap/StarMapLayers.h"
#include "starmap/StarMapRenderer.h"
#include "starmap/StarMapVisibleSets.h"
#include "universe/TestMapObjects.h"

#include <QCoreApplication>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace StarMapTest;

namespace {

const QSize kView(720, 420);
const GridExtent kExtent{-2, 14, -2, 8};

QImage draw(const StarMapRenderer &renderer, const MapTransform &t)
{
    QImage image(kView, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    renderer.draw(painter, t, kExtent, QRectF(QPointF(0, 0), QSizeF(kView)));
    return image;
}

// The map of the universe as it is now, its layers made at once on this thread.
QImage drawnAfresh(const StarfarerUniverse &universe, const MapTransform &t)
{
    const StarMapVisibleSets sets(&universe, 60);
    deliver();
    EXPECT_FALSE(sets.filling());
    StarMapLayers layers(sets);
    StarMapRenderer renderer(sets);
    layers.install(renderer);
    return draw(renderer, t);
}

// The map of a large universe opened again and again while random edits of every kind
// reach it: while its systems are filed, while its routes are grouped and its outlines
// traced on workers, and after. Once every worker has handed its result over, its
// layers draw what layers made afresh at once draw.
TEST(StarMapLayersOnWorkersTest, EditsWhileTheLayersAreMadeAreNotLost)
{
    QList<GalacticCoordinates> routePlaces;
    for (const auto &[col, row] : {std::pair{0, 2}, {1, 0}, {3, 4}, {7, 1}, {12, 3}})
        routePlaces.append(HexLayout::coordinates(col, row));
    QList<GalacticCoordinates> places = routePlaces + routePlaces;
    for (const auto &[col, row] : {std::pair{2, 2}, {5, 0}, {6, 4}, {9, 3}, {10, 1}, {11, 5}})
        places.append(HexLayout::coordinates(col, row));
    const QList<MapTransform> transforms{{0.6, QPointF(40, 40)}, {0.15, QPointF(200, 150)}};
    for (const unsigned seed : {5u, 4242u, 90001u, 31u}) {
        const auto u = universe();
        RandomMapEdits edits(*u, seed, places);
        edits.setRoutePlaces(routePlaces);
        edits.populate();
        for (int opening = 0; opening < 16; ++opening) {
            // A whole list of systems set by an edit may have made the universe small.
            if (u->data().size() < StarMapVisibleSets::kBackgroundFillFrom)
                u->insertHexes(farSystems(20 + opening));
            const StarMapVisibleSets sets(u.get(), 60);
            StarMapLayers layers(sets);
            StarMapRenderer renderer(sets);
            layers.install(renderer);
            ASSERT_TRUE(sets.filling());
            for (int phase = 0; phase < 2; ++phase) {
                for (qsizetype n = edits.below(4); n > 0; --n) {
                    const std::string edit = edits.step();
                    SCOPED_TRACE(testing::Message()
                                 << "seed " << seed << ", opening " << opening << ": " << edit);
                    // A frame drawn meanwhile draws what is ready.
                    if (edits.chance(2))
                        draw(renderer, edits.pick(transforms));
                }
                if (phase == 0)
                    deliverFiling(sets);
            }
            deliver();
            deliver();
            const MapTransform &t = edits.pick(transforms);
            ASSERT_LE(compare(draw(renderer, t), drawnAfresh(*u, t)).largest, 8)
                << "seed " << seed << ", opening " << opening << ", scale " << t.scale;
            // Edits after the handover work on what the workers made.
            std::string after;
            for (int n = 0; n < 3; ++n)
                after += edits.step() + "; ";
            ASSERT_LE(compare(draw(renderer, t), drawnAfresh(*u, t)).largest, 8)
                << "seed " << seed << ", opening " << opening << ", then " << after;
        }
    }
}

class StarMapLayersOnWorkersFrameTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QList<HexData> data = farSystems();
        for (const GalacticCoordinates &place : {m_a, m_b})
            data.append(hex(place));
        m_universe = universe(data);
        m_universe->setFactions({m_blue});
        m_universe->setRutters({test_records::rutter(m_blue.id, m_a, m_b, RutterAge::recent, true)});
        Region region;
        region.id = QUuid::createUuid();
        region.name = QStringLiteral("Rim");
        region.color = FactionColor::green;
        region.closed = true;
        region.anchors = {{m_c, 0}, {m_c, 2}, {m_c, 4}};
        m_universe->setRegions({region});
        m_sets = std::make_unique<StarMapVisibleSets>(m_universe.get(), 60);
        m_layers = std::make_unique<StarMapLayers>(*m_sets);
        m_renderer = std::make_unique<StarMapRenderer>(*m_sets);
        m_layers->install(*m_renderer);
        m_cache = std::make_unique<StarMapFrameCache>(*m_renderer);
        QObject::connect(m_sets.get(), &StarMapVisibleSets::reset, [this] { m_cache->invalidate(); });
        QObject::connect(m_layers.get(), &StarMapLayers::objectChanged,
                         [this](const MapDirtyArea &area) { m_cache->invalidate(area); });
    }

    QImage sharp() const { return m_cache->sharpFrame(kView, 1, m_t, kExtent); }
    // A point of the route's stroke clear of its capsule, and the centre of the region.
    QColor onRoute(const QImage &image) const
    {
        return image.pixelColor(m_t.toScreen(HexLayout(60).center(at(2, 4))).toPoint() + QPoint(0, 10));
    }
    QColor inRegion(const QImage &image) const
    {
        return image.pixelColor(m_t.toScreen(HexLayout(60).center(m_c)).toPoint());
    }

    // Two systems joined by a blue route, and a closed region on an empty hex.
    const GalacticCoordinates m_a = at(2, 2), m_b = at(2, 6), m_c = at(8, 4);
    const MapTransform m_t{0.5, QPointF(360, 210) - HexLayout(60).center(at(2, 4)) * 0.5};
    Faction m_blue = aFaction().color(FactionColor::blue);
    std::unique_ptr<StarfarerUniverse> m_universe;
    std::unique_ptr<StarMapVisibleSets> m_sets;
    std::unique_ptr<StarMapLayers> m_layers;
    std::unique_ptr<StarMapRenderer> m_renderer;
    std::unique_ptr<StarMapFrameCache> m_cache;
};

// The map of a large universe as it opens: the frames drawn before the route and the
// outline come lack them, and once they come the frame cache draws them, with no
// redraw asked for by anyone else.
TEST_F(StarMapLayersOnWorkersFrameTest, RoutesAndOutlinesArriveInTheFramesAsTheyAreMade)
{
    QSignalSpy changed(m_layers.get(), &StarMapLayers::objectChanged);
    deliverFiling(*m_sets);
    const QImage waiting = sharp();
    EXPECT_LE(channelDistance(onRoute(waiting), MapColors::background()), 8);
    EXPECT_LE(channelDistance(inRegion(waiting), MapColors::background()), 8);
    EXPECT_EQ(changed.count(), 0);

    deliver();
    EXPECT_EQ(changed.count(), 2); // the outline, then the route
    const QImage shown = sharp();
    EXPECT_LE(channelDistance(onRoute(shown), MapColors::palette(FactionColor::blue)), 10);
    EXPECT_GT(channelDistance(inRegion(shown), MapColors::background()), 8);
    EXPECT_LE(compare(shown, drawnAfresh(*m_universe, m_t)).largest, 8);
}

// Changes while the route is grouped and the outline traced on workers reach the
// frames at once, and what the workers made without them is not taken when it comes.
TEST_F(StarMapLayersOnWorkersFrameTest, ChangesWhileTheLayersAreMadeWinOverTheWorkers)
{
    deliverFiling(*m_sets);
    sharp();
    Rutter route = m_universe->rutters().first();
    route.factionID = QUuid::createUuid(); // of no faction: grey
    m_universe->replaceObject(route);
    Region region = m_universe->regions().first();
    region.closed = false; // no longer filled
    m_universe->replaceObject(region);
    const QColor grey = MapColors::palette(FactionColor::grey);
    EXPECT_LE(channelDistance(onRoute(sharp()), grey), 10);
    EXPECT_LE(channelDistance(inRegion(sharp()), MapColors::background()), 8);

    deliver();
    const QImage shown = sharp();
    EXPECT_LE(channelDistance(onRoute(shown), grey), 10);
    EXPECT_LE(channelDistance(inRegion(shown), MapColors::background()), 8);
    EXPECT_LE(compare(shown, drawnAfresh(*m_universe, m_t)).largest, 8);

    // A system gone at the route's end while the route is grouped takes the route away.
    StarMapVisibleSets sets(m_universe.get(), 60);
    StarMapLayers layers(sets);
    StarMapRenderer renderer(sets);
    layers.install(renderer);
    deliverFiling(sets);
    m_universe->removeHex(m_universe->hexData(m_b)->id);
    deliver();
    EXPECT_LE(channelDistance(onRoute(draw(renderer, m_t)), MapColors::background()), 8);
    EXPECT_LE(compare(draw(renderer, m_t), drawnAfresh(*m_universe, m_t)).largest, 8);
}

// In the referee's view the routes shown do not depend on the systems filed: they are
// grouped while the systems are, and those groups are taken once the filing ends,
// without grouping them again. In the player's view, where a route is shown only
// between systems shown, they are grouped from the systems filed.
TEST_F(StarMapLayersOnWorkersFrameTest, RoutesAreGroupedWhileTheSystemsAreFiledUnlessTheyDependOnThem)
{
    deliverFiling(*m_sets);
    QCoreApplication::sendPostedEvents();
    EXPECT_FALSE(m_layers->awaiting());
    EXPECT_LE(channelDistance(onRoute(sharp()), MapColors::palette(FactionColor::blue)), 10);
    EXPECT_LE(compare(sharp(), drawnAfresh(*m_universe, m_t)).largest, 8);

    m_universe->removeHex(m_universe->hexData(m_b)->id);
    m_universe->setMapViewMode(MapViewMode::player);
    const StarMapVisibleSets sets(m_universe.get(), 60);
    StarMapLayers layers(sets);
    StarMapRenderer renderer(sets);
    layers.install(renderer);
    ASSERT_TRUE(sets.filling());
    deliver();
    deliver();
    // One end of the route holds no system shown to the players: the route is not shown.
    EXPECT_LE(channelDistance(onRoute(draw(renderer, m_t)), MapColors::background()), 8);
    EXPECT_LE(compare(draw(renderer, m_t), drawnAfresh(*m_universe, m_t)).largest, 8);
}

} // namespace

// On a machine with one core the systems are filed, the route grouped and the outline
// traced all the same: none of these jobs waits for work queued on its own pool, nor
// queues on Qt's global pool, whose one thread is kept busy here.
TEST_F(StarMapLayersOnWorkersFrameTest, TheLayersAreMadeWithOneThread)
{
    const OneThreadPools oneCore;
    const StarMapVisibleSets sets(m_universe.get(), 60);
    const StarMapLayers layers(sets);
    QSignalSpy changed(&layers, &StarMapLayers::objectChanged);
    ASSERT_TRUE(sets.filling());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !sets.filling() && changed.count() == 2; }, 60000))
        << changed.count();
}
