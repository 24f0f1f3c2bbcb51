#include "starmap/StarMapFrameCache.h"
#include "HeldJobs.h"
#include "RandomMapEdits.h"
#include "StarMapTestSupport.h"
#include "model/HexLayout.h"
#include "starmap/MapColors.h"
#include "starmap/StarMapLayers.h"
#include "starmap/StarMapRenderer.h"
#include "starmap/StarMapVisibleSets.h"

#include <QCoreApplication>
#include <QPainter>
#include <QSet>
#include <QThread>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

using namespace StarMapTest;

namespace {

const QSize kView(600, 420);
const QSize kLarge(1600, 1200);
// Pictures made the same way from the same map differ by rounding at most.
constexpr int kRounding = 4;

// The transform that shows the hex `hex` at the screen point `where`.
MapTransform showing(const GalacticCoordinates &hex, const QPointF &where, double scale)
{
    return {scale, where - HexLayout(60).center(hex) * scale};
}

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

    // Shows a view larger than the screen, around the same hex as the small one, at
    // `scale`, and has every tile of it drawn; returns its transform.
    MapTransform showLarge(HeldJobs &held, double scale)
    {
        const MapTransform t = showing(at(16, 20), QPointF(kLarge.width(), kLarge.height()) / 2, scale);
        m_cache->frame(kLarge, 1, t, extent());
        held.runAll();
        return t;
    }

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

// A zoom step's tiles are kept under what places them: the pixel ratio, the scale and
// the view's sub-pixel placement. Each changed alone, with the tiles of the view
// before the change kept, gives the frame that a cache made afresh gives.
TEST_F(StarMapFrameCacheTest, EachInputOfAStepChangedAloneGivesTheFrameOfAFreshCache)
{
    struct View
    {
        qreal ratio;
        MapTransform transform;
    };
    const View base{1, showing(at(16, 20), {300.25, 210.5}, 0.5)};
    const std::vector<std::pair<const char *, std::function<void(View &)>>> changes{
        {"pixel ratio", [](View &view) { view.ratio = 2; }},
        {"scale", [](View &view) { view.transform.scale = 0.55; }},
        {"sub-pixel placement across", [](View &view) { view.transform.offset += QPointF(0.375, 0); }},
        {"sub-pixel placement down", [](View &view) { view.transform.offset += QPointF(0, 0.375); }},
    };
    for (const auto &[input, change] : changes) {
        SCOPED_TRACE(input);
        StarMapFrameCache kept(*m_renderer);
        const QImage before = kept.sharpFrame(kView, base.ratio, base.transform, extent());
        View changed = base;
        change(changed);
        const QImage fresh =
            StarMapFrameCache(*m_renderer).sharpFrame(kView, changed.ratio, changed.transform, extent());
        EXPECT_FALSE(fresh == before) << "the change does not show";
        EXPECT_TRUE(kept.sharpFrame(kView, changed.ratio, changed.transform, extent()) == fresh);
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

// A step stands in for another by copying its tiles' pixels, stretched, without mixing
// neighbouring ones: mixing them is the smooth stretch that Qt spreads over its own
// threads, which the GUI thread would then wait for. Every colour of a stand-in is one
// of the step it comes from.
TEST_F(StarMapFrameCacheTest, AStandInCopiesItsStepsPixelsWithoutMixingThem)
{
    HeldJobs held;
    m_cache->setExecutor(held.executor());
    // The same step seen through a larger view: it holds every tile the stand-in uses.
    const MapTransform kept = showLarge(held, 0.5);
    const QImage source = m_cache->frame(kLarge, 1, kept, extent()).convertToFormat(QImage::Format_RGB32);
    ASSERT_TRUE(m_cache->isSharp());
    QSet<QRgb> colours;
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x)
            colours.insert(source.pixel(x, y));
    }

    const MapTransform shown = showing(at(16, 20), {300, 210}, 0.75);
    const QImage standIn = m_cache->frame(kView, 1, shown, extent()).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(m_cache->isSharp());
    QImage empty(kView, QImage::Format_RGB32);
    empty.fill(MapColors::background());
    ASSERT_GT(compare(standIn, empty).share, 0.5 * compare(direct(shown), empty).share)
        << "the kept step did not stand in";
    qsizetype mixed = 0;
    for (int y = 0; y < standIn.height(); ++y) {
        for (int x = 0; x < standIn.width(); ++x)
            mixed += colours.contains(standIn.pixel(x, y)) ? 0 : 1;
    }
    EXPECT_EQ(mixed, 0) << "pixels of the stand-in mix the kept step's pixels";
}

// The memory the tiles kept take is what the cache counts against its budget: the
// painters that drew them leave nothing behind with them.
TEST_F(StarMapFrameCacheTest, TheTilesKeptTakeTheMemoryTheBudgetCounts)
{
    HeldJobs held;
    m_cache->setExecutor(held.executor());
    // The layers' own pictures and the scene are made before the heap is measured.
    showLarge(held, 1.0);
    m_cache->invalidate();
    const qsizetype before = heapInUse() - m_cache->bytes();
    for (const double scale : {1.0, 1.3, 1.7})
        showLarge(held, scale);
    const qsizetype counted = m_cache->bytes();
    ASSERT_GT(counted, 60 * StarMapFrameCache::kTileSize * StarMapFrameCache::kTileSize * 4)
        << "too few tiles to tell";
    const qsizetype taken = heapInUse() - before;
    // Besides the tiles: their entries, and the glyphs of the texts at new sizes.
    EXPECT_LE(taken, counted + counted / 10 + 1024 * 1024)
        << "the tiles kept take " << taken << " bytes, the budget counts " << counted;
}

// Calls of a layer's drawer as the tiles of a cache make them: the transform of each.
struct DrawnTiles
{
    QList<MapTransform> transforms;

    StarMapRenderer::LayerSource source()
    {
        return [this] {
            return [this](MapPainter &, const StarMapPass &pass) { transforms.append(pass.transform); };
        };
    }
};

// The view moves to another zoom step before any tile of the first is drawn: the tiles
// waiting for the first step are dropped, and the jobs draw the new step's tiles alone,
// nearest the middle of the view first.
TEST_F(StarMapFrameCacheTest, ANewStepDropsTheOldStepsTilesAndDrawsItsOwnNearestTheMiddleFirst)
{
    const QSize view(1100, 700);
    StarMapRenderer renderer(*m_sets);
    m_layers->install(renderer);
    DrawnTiles drawn;
    renderer.setLayerSource(StarMapRenderer::Layer::labels, drawn.source());
    StarMapFrameCache cache(renderer);
    HeldJobs held;
    cache.setExecutor(held.executor());
    const MapTransform first = showing(at(16, 20), {530, 330}, 0.5);
    const MapTransform second = showing(at(16, 20), {530, 330}, 0.6);
    cache.frame(view, 1, first, extent());
    cache.frame(view, 1, second, extent());
    held.runAll();
    // 1100 × 700 points at whole-pixel tile edges take 5 × 3 tiles at least.
    ASSERT_GE(drawn.transforms.size(), 15);
    double last = 0;
    for (const MapTransform &tile : std::as_const(drawn.transforms)) {
        EXPECT_EQ(tile.scale, second.scale) << "a tile of the step left was drawn";
        // The tile's middle in the view: its origin lies at the view's offset less its own.
        const QPointF middle = second.offset - tile.offset + QPointF(128, 128);
        const QPointF away = middle - QPointF(view.width() / 2.0, view.height() / 2.0);
        const double distance = std::hypot(away.x(), away.y());
        EXPECT_GE(distance, last - 1e-9) << "a tile farther from the middle came first";
        last = distance;
    }
    cache.frame(view, 1, second, extent());
    EXPECT_TRUE(cache.isSharp());
}

// A tile being drawn again after an edit, when the view moves to another step, stops
// before its next part and is never shown, not even when the view comes back to the
// step before it is handed over; it is then drawn again whole.
TEST_F(StarMapFrameCacheTest, ATileBeingDrawnWhenTheViewLeavesItsStepStopsAndNeverLands)
{
    StarMapRenderer renderer(*m_sets);
    m_layers->install(renderer);
    StarMapFrameCache cache(renderer);
    QObject::connect(m_sets.get(), &StarMapVisibleSets::cellsChanged,
                     [&](const QList<GalacticCoordinates> &cells) { cache.invalidate(cells); });
    HeldJobs held;
    cache.setExecutor(held.executor());
    const GalacticCoordinates renamed = m_universe->data()[2].coordinates;
    const MapTransform first = showing(renamed, {300, 210}, 0.5);
    const MapTransform second = showing(renamed, {300, 210}, 0.8);
    DrawnTiles labelled;
    renderer.setLayerSource(StarMapRenderer::Layer::labels, labelled.source());
    bool armed = false;
    const StarMapRenderer::LayerSource nebulae = [&] {
        return [&](MapPainter &, const StarMapPass &) {
            if (std::exchange(armed, false))
                cache.frame(kView, 1, second, extent());
        };
    };
    renderer.setLayerSource(StarMapRenderer::Layer::nebulae, nebulae);
    cache.frame(kView, 1, first, extent());
    held.runAll();
    cache.frame(kView, 1, first, extent());
    ASSERT_TRUE(cache.isSharp());

    rename(2, QStringLiteral("Renamed while the view moves"));
    cache.frame(kView, 1, first, extent());
    ASSERT_FALSE(held.jobs.empty());
    labelled.transforms.clear();
    armed = true;
    const std::function<void()> job = std::move(held.jobs.front());
    held.jobs.pop_front();
    job();
    EXPECT_FALSE(armed);
    EXPECT_TRUE(labelled.transforms.isEmpty()) << "the tile went on drawing after the view left";
    // Back at the first step before the stopped tile is handed over: it must not land.
    cache.frame(kView, 1, first, extent());
    QCoreApplication::sendPostedEvents();
    cache.frame(kView, 1, first, extent());
    EXPECT_FALSE(cache.isSharp());
    held.runAll();
    const QImage back = cache.frame(kView, 1, first, extent());
    ASSERT_TRUE(cache.isSharp());
    QImage whole(kView, QImage::Format_ARGB32_Premultiplied);
    {
        QPainter painter(&whole);
        renderer.draw(painter, first, extent(), QRectF(QPointF(0, 0), QSizeF(kView)));
    }
    EXPECT_LE(compare(back, whole).largest, kRounding);
}

// The tile threads leave one core to the GUI thread, however many maps are alive:
// never more tiles are drawn at once than there are cores less one, and at least one
// is.
TEST_F(StarMapFrameCacheTest, TheTileThreadsLeaveACoreToTheGuiThread)
{
    const int expected = std::max(1, QThread::idealThreadCount() - 1);
    for (const int maps : {1, 2}) {
        StarMapRenderer renderer(*m_sets);
        std::mutex mutex;
        std::condition_variable changed;
        int running = 0, most = 0;
        bool released = false;
        renderer.setLayerSource(StarMapRenderer::Layer::labels, [&] {
            return [&](MapPainter &, const StarMapPass &) {
                std::unique_lock lock(mutex);
                most = std::max(most, ++running);
                changed.notify_all();
                changed.wait(lock, [&] { return released; });
                --running;
            };
        });
        std::vector<std::unique_ptr<StarMapFrameCache>> caches;
        for (int map = 0; map < maps; ++map) {
            caches.push_back(std::make_unique<StarMapFrameCache>(renderer));
            // Far more tiles than cores.
            caches.back()->frame(QSize(256 * 8, 256 * 6), 1, showing(at(16, 20), {1024, 768}, 0.5), extent());
        }
        {
            std::unique_lock lock(mutex);
            EXPECT_TRUE(changed.wait_for(lock, std::chrono::seconds(20), [&] { return running == expected; }))
                << maps << " maps";
            // A thread too many would join within this time.
            changed.wait_for(lock, std::chrono::milliseconds(300), [&] { return running > expected; });
            EXPECT_EQ(most, expected) << maps << " maps";
            released = true;
            changed.notify_all();
        }
        for (const auto &cache : caches)
            cache->settle();
        EXPECT_EQ(most, expected) << maps << " maps";
    }
}

// A map deleted while one of its tiles is being drawn goes at once, without waiting
// for the tile thread; the tile, once done, finds it gone and is dropped.
TEST_F(StarMapFrameCacheTest, ACacheDeletedWhileItsTileIsDrawnDoesNotWaitForIt)
{
    // Shared with the tiles, which may go on after the test.
    struct Gate
    {
        std::mutex mutex;
        std::condition_variable changed;
        int drawing = 0, done = 0;
        bool released = false;
    };
    const auto gate = std::make_shared<Gate>();
    StarMapRenderer renderer(*m_sets);
    renderer.setLayerSource(StarMapRenderer::Layer::labels, [gate] {
        return [gate](MapPainter &, const StarMapPass &) {
            std::unique_lock lock(gate->mutex);
            ++gate->drawing;
            gate->changed.notify_all();
            gate->changed.wait(lock, [&] { return gate->released; });
            ++gate->done;
            gate->changed.notify_all();
        };
    });
    auto cache = std::make_unique<StarMapFrameCache>(renderer);
    cache->frame(kView, 1, showing(at(16, 20), {300, 210}, 0.5), extent());
    {
        std::unique_lock lock(gate->mutex);
        ASSERT_TRUE(
            gate->changed.wait_for(lock, std::chrono::seconds(20), [&] { return gate->drawing > 0; }));
    }
    // A cache that waited for its tiles would hold this thread until this lets them go.
    std::thread rescue([gate] {
        std::unique_lock lock(gate->mutex);
        if (!gate->changed.wait_for(lock, std::chrono::seconds(10), [&] { return gate->released; })) {
            gate->released = true;
            gate->changed.notify_all();
        }
    });
    cache.reset();
    bool wentAtOnce = false;
    {
        const std::lock_guard lock(gate->mutex);
        wentAtOnce = !gate->released;
        gate->released = true;
        gate->changed.notify_all();
    }
    rescue.join();
    EXPECT_TRUE(wentAtOnce) << "deleting the cache waited for the tile being drawn";
    {
        std::unique_lock lock(gate->mutex);
        ASSERT_TRUE(gate->changed.wait_for(lock, std::chrono::seconds(20),
                                           [&] { return gate->done == gate->drawing; }));
    }
    // What the tiles hand over, now or later, goes to no cache.
    QCoreApplication::sendPostedEvents();
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
                    ASSERT_LE(compare(frame, direct(t)).largest, kRounding)
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
                EXPECT_LE(compare(frame, direct(t)).largest, kRounding) << "seed " << seed << history();
                break;
            }
            ASSERT_LT(round, 19) << "seed " << seed << ": the frame never became sharp";
            held.runAll();
        }
        EXPECT_GT(sharpFrames, 0) << "seed " << seed;
    }
}

} // namespace
