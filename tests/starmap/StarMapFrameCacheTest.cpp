#include "starmap/StarMapFrameCache.h"
#include "RandomMapEdits.h"
#include "StarMapTestSupport.h"
#include "model/HexLayout.h"
#include "starmap/MapColors.h"
#include "starmap/StarMapLayers.h"
#include "starmap/StarMapRenderer.h"
#include "starmap/StarMapVisibleSets.h"

#include <QCoreApplication>
#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>

using namespace StarMapTest;

namespace {

const QSize kView(600, 420);
// Pictures made the same way from the same map differ by rounding at most.
constexpr int kRounding = 4;

// The transform that shows the hex `hex` at the screen point `where`.
MapTransform showing(const GalacticCoordinates &hex, const QPointF &where, double scale)
{
    return {scale, where - HexLayout(60).center(hex) * scale};
}

// Jobs kept until the test runs them, so that it decides when tiles are drawn.
struct HeldJobs
{
    std::deque<std::function<void()>> jobs;

    StarMapFrameCache::Executor executor()
    {
        return [this](std::function<void()> job) { jobs.push_back(std::move(job)); };
    }
    // Runs every job held and hands the tiles to the cache.
    void runAll()
    {
        while (!jobs.empty()) {
            const std::function<void()> job = std::move(jobs.front());
            jobs.pop_front();
            job();
        }
        QCoreApplication::sendPostedEvents();
    }
};

// A universe of a dozen systems over two sectors, some named at length, with the
// surveyed overlay on and every kind of map object, drawn with its layers.
class StarMapFrameCacheTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QList<HexData> data;
        for (int i = 0; i < 12; ++i) {
            HexData made = hex(at(3 + (i * 5) % 29, 2 + (i * 7) % 37, i % 2, 0), true, false, false,
                               static_cast<SpectralType>(i % 7));
            made.starSystem.surveyed = true;
            made.starSystem.gasGiant = i % 3;
            if (i % 4 == 0)
                made.starSystem.name = QStringLiteral("A name long enough to cross tiles %1").arg(i);
            data.append(made);
        }
        m_universe = universe(data);
        Faction owner = StarMapTest::faction(QStringLiteral("Owners"), QStringLiteral("O"));
        owner.color = FactionColor::blue;
        m_universe->setFactions({owner});
        Rutter rutter;
        rutter.factionID = owner.id;
        rutter.start = data[0].coordinates;
        rutter.end = data[1].coordinates;
        rutter.age = RutterAge::recent;
        m_universe->setRutters({rutter});
        Region region;
        region.id = QUuid::createUuid();
        region.name = QStringLiteral("Border");
        region.color = FactionColor::green;
        region.closed = true;
        region.anchors = {{data[2].coordinates, 0}, {data[3].coordinates, 2}, {data[4].coordinates, 4}};
        m_universe->setRegions({region});
        Nebula nebula;
        nebula.id = QUuid::createUuid();
        nebula.name = QStringLiteral("Cloud");
        nebula.hexes = {at(10, 10), at(11, 10), at(10, 11)};
        m_universe->setNebulae({nebula});
        StarmapLabel label;
        label.id = QUuid::createUuid();
        label.text = QStringLiteral("Turned label");
        label.size = 30;
        label.angle = 0.7;
        label.position = at(12, 12);
        m_universe->setStarmapLabels({label});

        m_sets = std::make_unique<StarMapVisibleSets>(m_universe.get(), 60);
        m_layers = std::make_unique<StarMapLayers>(*m_sets);
        m_renderer = std::make_unique<StarMapRenderer>(*m_sets);
        m_layers->install(*m_renderer);
        m_cache = std::make_unique<StarMapFrameCache>(*m_renderer);
        QObject::connect(m_sets.get(), &StarMapVisibleSets::cellsChanged,
                         [this](const QList<GalacticCoordinates> &cells) { m_cache->invalidate(cells); });
        QObject::connect(m_sets.get(), &StarMapVisibleSets::reset, [this] { m_cache->invalidate(); });
        QObject::connect(m_layers.get(), &StarMapLayers::objectChanged,
                         [this](const MapDirtyArea &area) { m_cache->invalidate(area); });
    }

    GridExtent extent() const { return m_sets->systems().extent()->widened(2); }

    // The view drawn in one go, straight from the renderer.
    QImage direct(const MapTransform &t) const
    {
        QImage image(kView, QImage::Format_ARGB32_Premultiplied);
        QPainter painter(&image);
        m_renderer->draw(painter, t, extent(), QRectF(QPointF(0, 0), QSizeF(kView)));
        return image;
    }

    QImage sharp(const MapTransform &t) { return m_cache->sharpFrame(kView, 1, t, extent()); }

    void rename(qsizetype index, const QString &name)
    {
        HexData edited = m_universe->data()[index];
        edited.starSystem.name = name;
        m_universe->replaceHex(edited);
    }

    std::unique_ptr<StarfarerUniverse> m_universe;
    std::unique_ptr<StarMapVisibleSets> m_sets;
    std::unique_ptr<StarMapLayers> m_layers;
    std::unique_ptr<StarMapRenderer> m_renderer;
    std::unique_ptr<StarMapFrameCache> m_cache;
};

// Tiles kept while panning give the same picture as a fresh drawing, the dashed
// subsector borders included, at the scales where those are drawn.
TEST_F(StarMapFrameCacheTest, PannedTilesMatchAFreshDrawing)
{
    for (const double scale : {0.25, 0.5}) {
        MapTransform t = showing(at(16, 20), {300.4, 210.7}, scale);
        sharp(t);
        for (const QPointF &pan : {QPointF(37, -23), QPointF(-301, 140), QPointF(5, 1)}) {
            t.offset += pan;
            EXPECT_LE(compare(sharp(t), direct(t)).largest, kRounding) << "scale " << scale;
        }
    }
}

// A pan and an edit before the next frame: the edit reaches the tiles where the
// system is drawn after the pan, and the sharp picture is the fresh one.
TEST_F(StarMapFrameCacheTest, PanThenEditBeforeOneFrameRedrawsTheEditedSystem)
{
    for (const double scale : {0.15, 0.6}) {
        const HexData original = m_universe->data()[2];
        MapTransform t = showing(original.coordinates, {300, 210}, scale);
        const QImage before = sharp(t);
        t.offset += QPointF(16, 40);
        HexData edited = original;
        edited.starSystem.stars[0].spectralType = SpectralType::B;
        edited.starSystem.name = QStringLiteral("Renamed");
        m_universe->replaceHex(edited);
        const QImage after = sharp(t);
        const QPoint centre = t.toScreen(HexLayout(60).center(edited.coordinates)).toPoint();
        EXPECT_LE(channelDistance(after.pixel(centre), MapColors::spectral(SpectralType::B).rgb()), 2);
        EXPECT_LE(compare(after, direct(t)).largest, kRounding) << "scale " << scale;
        m_universe->replaceHex(original);
    }
}

// A long name reaching from one tile into the next, and out of the view, is redrawn
// in every tile it crosses when the system is renamed.
TEST_F(StarMapFrameCacheTest, ALongNameCrossingTileEdgesIsRedrawnWhole)
{
    const GalacticCoordinates place = m_universe->data()[4].coordinates;
    // The centre one point left of a tile edge, the name hanging over it.
    const MapTransform t = showing(place, {StarMapFrameCache::kTileSize - 1.0, 200}, 1.0);
    sharp(t);
    rename(4, QStringLiteral("Another name, much longer again, that runs past the edge of the view"));
    EXPECT_LE(compare(sharp(t), direct(t)).largest, kRounding);
    rename(4, QStringLiteral("Short"));
    EXPECT_LE(compare(sharp(t), direct(t)).largest, kRounding);
}

// An edit asks again for the tiles of the view its drawing reaches, and for no
// other; until they arrive the old tiles stay on show.
TEST_F(StarMapFrameCacheTest, AnEditRedrawsExactlyTheTilesItReaches)
{
    HeldJobs held;
    m_cache->setExecutor(held.executor());
    HexData edited = m_universe->data()[2];
    // Only glyphs are drawn at this scale, so the edit reaches a little way only.
    const MapTransform t = showing(edited.coordinates, {300, 210}, 0.25);
    m_cache->frame(kView, 1, t, extent());
    EXPECT_EQ(held.jobs.size(), 3u * 2u) << "600 × 420 points take 3 × 2 tiles";
    held.runAll();
    const QImage before = m_cache->frame(kView, 1, t, extent());
    ASSERT_TRUE(m_cache->isSharp());
    EXPECT_TRUE(held.jobs.empty());

    edited.starSystem.stars[0].spectralType = SpectralType::B;
    m_universe->replaceHex(edited);
    const QImage stale = m_cache->frame(kView, 1, t, extent());
    EXPECT_FALSE(m_cache->isSharp());
    EXPECT_EQ(compare(stale, before).largest, 0);
    // The system at (300, 210) lies in the second tile of the first row alone.
    EXPECT_EQ(held.jobs.size(), 1u);
    held.runAll();
    const QImage after = m_cache->frame(kView, 1, t, extent());
    EXPECT_TRUE(m_cache->isSharp());
    EXPECT_LE(channelDistance(after.pixel(300, 210), MapColors::spectral(SpectralType::B).rgb()), 2);
    EXPECT_LE(compare(after, direct(t)).largest, kRounding);
}

// A map object's change reaches the tiles of every zoom step kept, each step working
// out the area from its own scale: names and labels grow with the zoom.
TEST_F(StarMapFrameCacheTest, AnObjectsChangeReachesEveryZoomStepKept)
{
    const QList<MapTransform> steps{showing(at(12, 12), {300, 210}, 2.0),
                                    showing(at(12, 12), {300, 210}, 0.6),
                                    showing(at(16, 20), {300, 210}, 0.25)};
    for (const MapTransform &t : steps)
        sharp(t);
    Region region = m_universe->regions().first();
    region.name = QStringLiteral("A far longer name for the border region");
    m_universe->replaceObject(region);
    StarmapLabel label = m_universe->starmapLabels().first();
    label.text = QStringLiteral("A label turned the other way");
    label.angle = -0.4;
    m_universe->replaceObject(label);
    Nebula nebula = m_universe->nebulae().first();
    nebula.name = QStringLiteral("A nebula with a long name");
    nebula.type = NebulaType::planetary;
    m_universe->replaceObject(nebula);
    for (const MapTransform &t : steps)
        EXPECT_LE(compare(sharp(t), direct(t)).largest, kRounding) << "scale " << t.scale;
}

// A change of the whole map (a layer switched off, every system replaced) draws every
// tile of every step kept again.
TEST_F(StarMapFrameCacheTest, AChangeOfTheWholeMapRedrawsEveryTile)
{
    const QList<MapTransform> steps{showing(at(12, 12), {300, 210}, 0.6),
                                    showing(at(16, 20), {300, 210}, 0.25)};
    for (const MapTransform &t : steps)
        sharp(t);
    m_universe->setMapShowNebulae(false);
    for (const MapTransform &t : steps)
        EXPECT_LE(compare(sharp(t), direct(t)).largest, kRounding) << "scale " << t.scale;
    QList<HexData> data;
    for (HexData hex : m_universe->data()) {
        hex.starSystem.stars[0].spectralType = SpectralType::B;
        data.append(hex);
    }
    m_universe->setData(data);
    for (const MapTransform &t : steps)
        EXPECT_LE(compare(sharp(t), direct(t)).largest, kRounding) << "scale " << t.scale;
}

// Tiles finished after the view went to another scale are dropped: the new scale
// shows nothing of them, stretched or not, and they take no memory.
TEST_F(StarMapFrameCacheTest, ATileFinishedForAScaleNoLongerShownIsDropped)
{
    HeldJobs held;
    m_cache->setExecutor(held.executor());
    const MapTransform first = showing(at(8, 9), {300, 210}, 0.5);
    m_cache->frame(kView, 1, first, extent());
    // The jobs finish, but the view moves on before their tiles are taken in.
    while (!held.jobs.empty()) {
        held.jobs.front()();
        held.jobs.pop_front();
    }
    const MapTransform second = showing(at(8, 9), {300, 210}, 0.6);
    QImage empty(kView, QImage::Format_ARGB32_Premultiplied);
    empty.fill(MapColors::background());
    EXPECT_EQ(compare(m_cache->frame(kView, 1, second, extent()), empty).largest, 0);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(m_cache->bytes(), 0);
    EXPECT_EQ(compare(m_cache->frame(kView, 1, second, extent()), empty).largest, 0);

    // Tiles of the scale on show arrive, and stand in, stretched, for the next one.
    held.runAll();
    EXPECT_GT(m_cache->bytes(), 0);
    const MapTransform third = showing(at(8, 9), {300, 210}, 0.66);
    const QImage stretched = m_cache->frame(kView, 1, third, extent());
    EXPECT_GT(compare(stretched, empty).share, 0.5 * compare(direct(third), empty).share);
}

// Every way of making the picture (tiles, stamped discs and texts, outlines from one
// picture per scale, steps stretched while the exact one is drawn) differs from a
// drawing of each primitive in one go by anti-aliasing only.
TEST_F(StarMapFrameCacheTest, PicturesDifferFromADirectDrawingByAntiAliasingOnly)
{
    StarMapRenderer plain(*m_sets);
    m_layers->install(plain);
    plain.setStamping(false);
    plain.setCulling(false);
    for (const double scale : {0.08, 0.22, 0.35, 0.5, 1.0, 2.4}) {
        const MapTransform t = showing(at(16, 20), {301.3, 199.6}, scale);
        QImage reference(kView, QImage::Format_ARGB32_Premultiplied);
        {
            QPainter painter(&reference);
            plain.draw(painter, t, extent(), QRectF(QPointF(0, 0), QSizeF(kView)));
        }
        const Difference tiled = compare(sharp(t), reference);
        EXPECT_LE(tiled.share, 0.02) << "scale " << scale;
        EXPECT_LE(tiled.largest, 64) << "scale " << scale;
    }
}

// Tiles asked for, drawn and handed over while the document changes under them: random
// edits of every kind, on show and off it, changes of the whole map, pans by whole and
// by fractional points and zoom steps, with the jobs held and then run in any order,
// their pictures handed over later still. Whenever the cache calls a frame sharp it
// equals a drawing of the document as it is then, never one of a tile drawn before a
// change; and once every job has run, the frame is sharp and equal to that drawing.
TEST(StarMapFrameCacheRandomTest, HeldTilesReleasedInAnyOrderNeverShowAStaleMap)
{
    // Places on show and off it, some across tile edges from each other.
    QList<GalacticCoordinates> places;
    for (qint64 col = -4; col <= 22; col += 2) {
        for (qint64 row = -2; row <= 12; row += 3)
            places.append(HexLayout::coordinates(col + row % 2, row));
    }
    const QList<double> scales{0.5, 0.5, 0.35, 0.8, 1.0};
    // A region's outline across many tiles is stamped at each tile's own sub-pixel
    // placement, so its anti-aliased pixels may differ by a few levels more than
    // rounding elsewhere; a tile that missed a change differs by far more.
    constexpr int kTileRounding = 8;
    for (const unsigned seed : {5u, 31337u, 10u}) {
        const auto u = universe();
        RandomMapEdits edits(*u, seed, places);
        edits.populate();
        const StarMapVisibleSets sets(u.get(), 60);
        StarMapLayers layers(sets);
        StarMapRenderer renderer(sets);
        layers.install(renderer);
        StarMapFrameCache cache(renderer);
        QObject::connect(&sets, &StarMapVisibleSets::reset, [&] { cache.invalidate(); });
        QObject::connect(&sets, &StarMapVisibleSets::cellsChanged,
                         [&](const QList<GalacticCoordinates> &cells) { cache.invalidate(cells); });
        QObject::connect(&layers, &StarMapLayers::objectChanged,
                         [&](const MapDirtyArea &area) { cache.invalidate(area); });
        QObject::connect(u.get(), &StarfarerUniverse::mapShowSurveyedDataChanged,
                         [&] { cache.invalidate(); });
        HeldJobs held;
        cache.setExecutor(held.executor());
        const auto extent = [&] { return sets.systems().extent().value_or(GridExtent{}).widened(2); };
        const auto direct = [&](const MapTransform &t) {
            QImage image(kView, QImage::Format_ARGB32_Premultiplied);
            QPainter painter(&image);
            renderer.draw(painter, t, extent(), QRectF(QPointF(0, 0), QSizeF(kView)));
            return image;
        };
        MapTransform t{0.5, QPointF(40, 60)};
        int sharpFrames = 0;
        const auto runSomeJobs = [&](qsizetype count) {
            std::shuffle(held.jobs.begin(), held.jobs.end(), edits.random());
            for (; count > 0 && !held.jobs.empty(); --count) {
                const std::function<void()> job = std::move(held.jobs.front());
                held.jobs.pop_front();
                job();
            }
        };
        std::deque<std::string> recent; // the last steps, told when a frame is wrong
        const auto history = [&] {
            std::string told;
            for (const std::string &step : recent)
                told += "\n  after " + step;
            return told;
        };
        for (int step = 0; step < 200; ++step) {
            const qsizetype action = edits.below(10);
            std::string done;
            if (action < 3) {
                done = edits.step();
            } else if (action < 4) {
                done = "pan or zoom";
                if (edits.chance(3)) {
                    const double scale = edits.pick(scales);
                    const QPointF middle(kView.width() / 2.0, kView.height() / 2.0);
                    t = {scale, middle - (middle - t.offset) * (scale / t.scale)};
                } else {
                    const double fraction = edits.chance(2) ? 0 : 0.37;
                    t.offset +=
                        QPointF(double(edits.below(301)) - 150 + fraction, double(edits.below(201)) - 100);
                }
            } else if (action < 6) {
                done = "frame";
                const QImage frame = cache.frame(kView, 1, t, extent());
                if (cache.isSharp()) {
                    ++sharpFrames;
                    ASSERT_LE(compare(frame, direct(t)).largest, kTileRounding)
                        << "seed " << seed << ", step " << step << ", scale " << t.scale << history();
                }
            } else if (action < 8) {
                // Some of the jobs held, in any order; their pictures wait to be handed over.
                done = "jobs run";
                runSomeJobs(edits.below(qsizetype(held.jobs.size()) + 1));
            } else if (action < 9) {
                done = "pictures handed over";
                QCoreApplication::sendPostedEvents();
            } else {
                done = "every job run and handed over";
                held.runAll();
            }
            recent.push_back(done);
            if (recent.size() > 8)
                recent.pop_front();
        }
        for (int round = 0; round < 20; ++round) {
            const QImage frame = cache.frame(kView, 1, t, extent());
            if (cache.isSharp()) {
                EXPECT_LE(compare(frame, direct(t)).largest, kTileRounding) << "seed " << seed << history();
                break;
            }
            ASSERT_LT(round, 19) << "seed " << seed << ": the frame never became sharp";
            held.runAll();
        }
        EXPECT_GT(sharpFrames, 0) << "seed " << seed;
    }
}

} // namespace
