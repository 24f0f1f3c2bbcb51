// The star map of 1,000, 10,000 and 50,000 generated systems (512 to a sector) in a
// view of 1920 × 1080, drawn as the map widget draws it: tiles on all cores, the view
// painted from them on this thread. "L" adds 8 factions, 2,000 rutters, 200 regions,
// 100 nebulae and 500 labels to the 50,000 systems, drawn with the map's layers; 68,000
// is the universe shaped like Charted Space, with its map records (ChartedSpaceShape.h).
//
// Every case is cold: it starts with fresh layers, renderer and tile cache, whose
// threads are new, so no tile, label or outline picture and no text layout made
// before helps (the "cold" label says so); the star discs stamped, which every map of
// the process shares, stay as a map opened after another finds them. The real time of
// a case is the time until the view is sharp (every tile of its exact scale drawn and
// up to date); the CPU time is the whole process's, worker threads included.
// Counters: first_ms and worst_ms, the CPU time this thread spent in its first and
// its costliest paint of the view; cache_MB, the kept tiles and pictures; load, the
// machine's one-minute load average at the end. Run with
// --benchmark_repetitions=N for min / median / p95 over N cold runs.
#include "ChartedSpaceShape.h"
#include "DrivenLoop.h"
#include "ProcessFigures.h"
#include "RepetitionStatistics.h"
#include "SyntheticUniverses.h"
#include "model/HexLayout.h"
#include "starmap/StarMapFrameCache.h"
#include "starmap/StarMapLayers.h"
#include "starmap/StarMapRenderer.h"
#include "starmap/StarMapVisibleSets.h"

#include <QCoreApplication>
#include <QDir>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <map>
#include <memory>
#include <thread>

namespace {

const QSize kView(1920, 1080);
constexpr double kWheelNotch = 0.125; // the zoom of one notch: e^(10 points × 0.0125)

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// A universe and its visible sets; `count` systems, or the shape it names.
struct Universe
{
    std::unique_ptr<StarfarerUniverse> universe;
    std::unique_ptr<StarMapVisibleSets> sets;
    GridExtent extent;
    MapTransform fit;
    bool layers = false;
};

Universe &universeOf(int count)
{
    static std::map<int, std::unique_ptr<Universe>> made;
    auto &slot = made[count];
    if (!slot) {
        slot = std::make_unique<Universe>();
        slot->universe = std::make_unique<StarfarerUniverse>(UniverseFolder(QDir::tempPath()));
        const std::optional<UniverseShape> shape = shapeNamedBy(count);
        slot->layers = shape.has_value();
        if (shape)
            fillUniverse(*slot->universe, *shape);
        else
            slot->universe->setData(mapSystems(count));
        slot->sets = std::make_unique<StarMapVisibleSets>(slot->universe.get(), 60);
        // A large universe's systems are filed on a worker thread.
        DrivenLoop::runUntil([&] { return !slot->sets->filling(); });
        slot->extent = slot->sets->systems().extent()->widened(2);
        slot->fit = MapTransform::fit(slot->extent, kView, 60);
    }
    return *slot;
}

// The map as a freshly opened view has it: nothing drawn, nothing kept.
struct ColdMap
{
    StarMapLayers layers;
    StarMapRenderer renderer;
    StarMapFrameCache cache;

    ColdMap(const StarMapVisibleSets &sets, bool withLayers) : layers(sets), renderer(sets), cache(renderer)
    {
        if (withLayers)
            layers.install(renderer);
    }
    double cacheMegabytes() const { return static_cast<double>(cache.bytes() + layers.pictureBytes()) / 1e6; }
};

// Paints the view as the widget does, measuring this thread's CPU time per paint.
class Screen
{
public:
    explicit Screen(StarMapFrameCache &cache) : m_cache(cache), m_image(kView, QImage::Format_RGB32) {}

    void paint(const MapTransform &transform, const GridExtent &extent)
    {
        const double start = threadCpuMilliseconds();
        {
            QPainter painter(&m_image);
            m_cache.paint(painter, kView, 1, transform, extent);
        }
        const double spent = threadCpuMilliseconds() - start;
        if (m_paints++ == 0)
            m_first = spent;
        m_worst = std::max(m_worst, spent);
    }
    // Paints whenever tiles arrive until the view is sharp.
    void paintUntilSharp(const MapTransform &transform, const GridExtent &extent)
    {
        paint(transform, extent);
        while (!m_cache.isSharp()) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            paint(transform, extent);
        }
    }
    // Goes on painting as tiles arrive, at most every 16 ms, for `milliseconds`.
    void keepPainting(const MapTransform &transform, const GridExtent &extent, double milliseconds)
    {
        const Clock::time_point start = Clock::now();
        Clock::time_point painted = start;
        bool arrived = false;
        const QMetaObject::Connection watch =
            QObject::connect(&m_cache, &StarMapFrameCache::tilesArrived, [&arrived] { arrived = true; });
        while (millisecondsSince(start) < milliseconds) {
            QCoreApplication::processEvents();
            if (arrived && millisecondsSince(painted) >= 16) {
                arrived = false;
                painted = Clock::now();
                paint(transform, extent);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        QObject::disconnect(watch);
    }
    void resetWorst() { m_worst = 0; }
    double first() const { return m_first; }
    double worst() const { return m_worst; }

private:
    StarMapFrameCache &m_cache;
    QImage m_image;
    int m_paints = 0;
    double m_first = 0;
    double m_worst = 0;
};

void report(benchmark::State &state, double sharpMilliseconds, const Screen &screen, const ColdMap &map)
{
    state.SetIterationTime(sharpMilliseconds / 1e3);
    state.counters["first_ms"] = screen.first();
    state.counters["worst_ms"] = screen.worst();
    state.counters["cache_MB"] = map.cacheMegabytes();
    state.counters["load"] = loadAverage();
    state.SetLabel("cold");
}

// The transform of `scale` centred on the middle of the fitted map.
MapTransform centred(const Universe &u, double scale)
{
    const QPointF middle = u.fit.toMap(QPointF(kView.width() / 2.0, kView.height() / 2.0));
    return {scale, QPointF(kView.width() / 2.0, kView.height() / 2.0) - middle * scale};
}

// A fresh view at the scale `scaleOf` gives, until sharp.
void coldView(benchmark::State &state, double (*scaleOf)(const Universe &))
{
    Universe &u = universeOf(static_cast<int>(state.range(0)));
    const MapTransform t = centred(u, scaleOf(u));
    for (auto _ : state) {
        state.PauseTiming();
        ColdMap map(*u.sets, u.layers);
        Screen screen(map.cache);
        state.ResumeTiming();
        const Clock::time_point start = Clock::now();
        screen.paintUntilSharp(t, u.extent);
        report(state, millisecondsSince(start), screen, map);
    }
    state.counters["scale"] = t.scale;
}

void BM_StarMapFit(benchmark::State &state)
{
    coldView(state, [](const Universe &u) { return u.fit.scale; });
}

void BM_StarMapScaleOne(benchmark::State &state)
{
    coldView(state, [](const Universe &) { return 1.0; });
}

void BM_StarMapZoomCeiling(benchmark::State &state)
{
    coldView(state, [](const Universe &u) { return ScaleBounds::forFitScale(u.fit.scale).upper; });
}

// A drag of 40 frames of (7, 3) points each, one every 16 ms, from a sharp view; the
// time is until the view is sharp after the last move, worst_ms the costliest paint
// during the drag.
void pan(benchmark::State &state, double (*scaleOf)(const Universe &))
{
    Universe &u = universeOf(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        ColdMap map(*u.sets, u.layers);
        Screen screen(map.cache);
        MapTransform t = centred(u, scaleOf(u));
        screen.paintUntilSharp(t, u.extent);
        screen.resetWorst();
        state.ResumeTiming();
        for (int step = 0; step < 40; ++step) {
            t.offset += QPointF(7, 3);
            screen.paint(t, u.extent);
            screen.keepPainting(t, u.extent, 16);
        }
        const Clock::time_point start = Clock::now();
        screen.paintUntilSharp(t, u.extent);
        report(state, millisecondsSince(start), screen, map);
    }
}

void BM_StarMapPanAtFit(benchmark::State &state)
{
    pan(state, [](const Universe &u) { return u.fit.scale; });
}

void BM_StarMapPanAtScaleOne(benchmark::State &state)
{
    pan(state, [](const Universe &) { return 1.0; });
}

// A universe just loaded: its visible sets built from scratch (a large universe's
// systems filed on a worker thread, as the map files them), then the fitted view until
// sharp; sets_ms is the time the sets took.
void BM_StarMapFirstFrameAfterLoad(benchmark::State &state)
{
    Universe &u = universeOf(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        StarMapVisibleSets sets(u.universe.get(), 60);
        DrivenLoop::runUntil([&] { return !sets.filling(); });
        const GridExtent extent = sets.systems().extent()->widened(2);
        const double setsMilliseconds = millisecondsSince(start);
        ColdMap map(sets, u.layers);
        Screen screen(map.cache);
        screen.paintUntilSharp(MapTransform::fit(extent, kView, 60), extent);
        report(state, millisecondsSince(start), screen, map);
        state.counters["sets_ms"] = setsMilliseconds;
    }
}

// One system renamed in a sharp fitted view: the document's replace, the visible
// sets' update of that hex, the tiles it reaches drawn again; edit_ms is this
// thread's CPU time for the replace and the paint after it.
void BM_StarMapFrameAfterEdit(benchmark::State &state)
{
    Universe &u = universeOf(static_cast<int>(state.range(0)));
    HexData edited = u.universe->data()[u.universe->data().size() / 2];
    int edit = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ColdMap map(*u.sets, u.layers);
        const QMetaObject::Connection edits = QObject::connect(
            u.sets.get(), &StarMapVisibleSets::cellsChanged,
            [&map](const QList<GalacticCoordinates> &cells) { map.cache.invalidate(cells); });
        Screen screen(map.cache);
        screen.paintUntilSharp(u.fit, u.extent);
        screen.resetWorst();
        state.ResumeTiming();
        const Clock::time_point start = Clock::now();
        const double cpu = threadCpuMilliseconds();
        edited.starSystem.name = QStringLiteral("Edited %1").arg(edit++);
        u.universe->replaceHex(edited);
        screen.paint(u.fit, u.extent);
        const double editMilliseconds = threadCpuMilliseconds() - cpu;
        screen.paintUntilSharp(u.fit, u.extent);
        report(state, millisecondsSince(start), screen, map);
        state.counters["edit_ms"] = editMilliseconds;
        QObject::disconnect(edits);
    }
}

// Twenty wheel notches in about a point right of the middle of a fitted view, one
// every 33 ms, then twenty out about a point left of it, with the caches as each notch
// leaves them. worst_ms is the costliest paint of this thread during the notches;
// in_ms the time until sharp after the last notch in, the time of the case the same
// after the last notch out.
void BM_StarMapZoomSequence(benchmark::State &state)
{
    Universe &u = universeOf(static_cast<int>(state.range(0)));
    const ScaleBounds bounds = ScaleBounds::forFitScale(u.fit.scale);
    for (auto _ : state) {
        state.PauseTiming();
        ColdMap map(*u.sets, u.layers);
        Screen screen(map.cache);
        screen.paintUntilSharp(u.fit, u.extent);
        screen.resetWorst();
        state.ResumeTiming();
        MapTransform t = u.fit;
        double worst = 0;
        double sharpIn = 0;
        for (const double direction : {1.0, -1.0}) {
            const QPointF pointer(kView.width() * (direction > 0 ? 0.6 : 0.35), kView.height() * 0.45);
            Clock::time_point start;
            for (int notch = 0; notch < 20; ++notch) {
                start = Clock::now();
                t = t.zoomed(std::exp(direction * kWheelNotch), pointer, bounds);
                screen.paint(t, u.extent);
                if (notch < 19)
                    screen.keepPainting(t, u.extent, 33);
            }
            screen.paintUntilSharp(t, u.extent);
            worst = std::max(worst, screen.worst());
            if (direction > 0) {
                sharpIn = millisecondsSince(start);
                screen.resetWorst();
            } else {
                report(state, millisecondsSince(start), screen, map);
            }
        }
        state.counters["worst_ms"] = worst;
        state.counters["in_ms"] = sharpIn;
    }
}

// Two systems ten million sectors apart, fitted: a fresh view until sharp; direct_ms
// is one drawing of the whole view on one thread.
void BM_StarMapFarSectors(benchmark::State &state)
{
    static Universe far = [] {
        Universe made;
        made.universe = std::make_unique<StarfarerUniverse>(UniverseFolder(QDir::tempPath()));
        QList<HexData> data = mapSystems(2);
        data[1].coordinates.sectorX = 10000000;
        made.universe->setData(data);
        made.sets = std::make_unique<StarMapVisibleSets>(made.universe.get(), 60);
        made.extent = made.sets->systems().extent()->widened(2);
        made.fit = MapTransform::fit(made.extent, kView, 60);
        return made;
    }();
    for (auto _ : state) {
        ColdMap map(*far.sets, false);
        QImage image(kView, QImage::Format_RGB32);
        const Clock::time_point direct = Clock::now();
        {
            QPainter painter(&image);
            map.renderer.draw(painter, far.fit, far.extent, QRectF(QPointF(0, 0), QSizeF(kView)));
        }
        const double directMilliseconds = millisecondsSince(direct);
        Screen screen(map.cache);
        const Clock::time_point start = Clock::now();
        screen.paintUntilSharp(far.fit, far.extent);
        report(state, millisecondsSince(start), screen, map);
        state.counters["direct_ms"] = directMilliseconds;
    }
}

// The milliseconds one drawing of the whole view takes on a fresh thread, where no
// picture or text layout of its own is kept yet (the stamped discs the process
// shares stay).
double drawnOnAFreshThread(ColdMap &map, const MapTransform &t, const GridExtent &extent)
{
    const std::shared_ptr<const StarMapScene> scene = map.renderer.scene();
    double milliseconds = 0;
    std::thread([&] {
        QImage image(kView, QImage::Format_RGB32);
        const Clock::time_point start = Clock::now();
        QPainter painter(&image);
        StarMapRenderer::draw(painter, *scene, t, extent, QRectF(QPointF(0, 0), QSizeF(kView)));
        milliseconds = millisecondsSince(start);
    }).join();
    return milliseconds;
}

// Two systems at scale one whose names, and the label, region and nebula beside them,
// are `range(0)` characters long: the whole view drawn in one go on a fresh thread,
// so that every text is laid out anew.
void BM_StarMapLongTexts(benchmark::State &state)
{
    const QString text(state.range(0), u'W');
    Universe u;
    u.universe = std::make_unique<StarfarerUniverse>(UniverseFolder(QDir::tempPath()));
    QList<HexData> data = mapSystems(2);
    for (HexData &hex : data)
        hex.starSystem.name = text;
    u.universe->setData(data);
    const GalacticCoordinates place = data[0].coordinates;
    StarmapLabel label;
    label.id = QUuid::createUuid();
    label.text = text;
    label.size = 24;
    label.position = place;
    u.universe->setStarmapLabels({label});
    Region region;
    region.id = QUuid::createUuid();
    region.name = text;
    region.anchors = {{place, 0}, {data[1].coordinates, 3}};
    u.universe->setRegions({region});
    u.universe->setNebulae({Nebula{QUuid::createUuid(), text, NebulaType::emission, {place}}});
    u.sets = std::make_unique<StarMapVisibleSets>(u.universe.get(), 60);
    u.extent = u.sets->systems().extent()->widened(2);
    const MapTransform t{1.0,
                         QPointF(kView.width() / 2.0, kView.height() / 2.0) - HexLayout(60).center(place)};
    for (auto _ : state) {
        ColdMap map(*u.sets, true);
        state.SetIterationTime(drawnOnAFreshThread(map, t, u.extent) / 1e3);
        state.counters["load"] = loadAverage();
    }
}

// The whole view drawn in one go on one fresh thread (no picture of its own kept), as
// the map drew every frame before tiles: the CPU cost of one full picture.
void directFrame(benchmark::State &state, double (*scaleOf)(const Universe &))
{
    Universe &u = universeOf(static_cast<int>(state.range(0)));
    const MapTransform t = centred(u, scaleOf(u));
    for (auto _ : state) {
        ColdMap map(*u.sets, u.layers);
        state.SetIterationTime(drawnOnAFreshThread(map, t, u.extent) / 1e3);
        state.counters["load"] = loadAverage();
        state.SetLabel("cold");
    }
}

void BM_StarMapDirectAtFit(benchmark::State &state)
{
    directFrame(state, [](const Universe &u) { return u.fit.scale; });
}

void BM_StarMapDirectAtScaleOne(benchmark::State &state)
{
    directFrame(state, [](const Universe &) { return 1.0; });
}

} // namespace

#define STAR_MAP_BENCH(name)                                                                                 \
    BENCHMARK(name)                                                                                          \
        ->Arg(1000)                                                                                          \
        ->Arg(10000)                                                                                         \
        ->Arg(50000)                                                                                         \
        ->Arg(-50000)                                                                                        \
        ->Arg(ChartedSpaceShape::kSystems)                                                                   \
        ->ArgName("systems")                                                                                 \
        ->Iterations(1)                                                                                      \
        ->UseManualTime()                                                                                    \
        ->MeasureProcessCPUTime()                                                                            \
        ->ComputeStatistics("min", fastestRepetition)                                                        \
        ->ComputeStatistics("p95", percentile95)                                                             \
        ->Unit(benchmark::kMillisecond)
STAR_MAP_BENCH(BM_StarMapFit);
STAR_MAP_BENCH(BM_StarMapScaleOne);
STAR_MAP_BENCH(BM_StarMapZoomCeiling);
STAR_MAP_BENCH(BM_StarMapPanAtFit);
STAR_MAP_BENCH(BM_StarMapPanAtScaleOne);
STAR_MAP_BENCH(BM_StarMapFirstFrameAfterLoad);
STAR_MAP_BENCH(BM_StarMapFrameAfterEdit);
STAR_MAP_BENCH(BM_StarMapZoomSequence);
STAR_MAP_BENCH(BM_StarMapDirectAtFit);
STAR_MAP_BENCH(BM_StarMapDirectAtScaleOne);
BENCHMARK(BM_StarMapLongTexts)
    ->Arg(16)
    ->Arg(1'000'000)
    ->ArgName("characters")
    ->Iterations(1)
    ->UseManualTime()
    ->ComputeStatistics("min", fastestRepetition)
    ->ComputeStatistics("p95", percentile95)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StarMapFarSectors)
    ->Iterations(1)
    ->UseManualTime()
    ->MeasureProcessCPUTime()
    ->ComputeStatistics("min", fastestRepetition)
    ->ComputeStatistics("p95", percentile95)
    ->Unit(benchmark::kMillisecond);
