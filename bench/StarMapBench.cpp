// Drawing the star map into a 1920 × 1080 image on the CPU for universes of 1,000,
// 10,000 and 50,000 generated systems, spread over as many sectors as they need (about
// 40 % of the hexes taken): a full drawing at the fit scale, at scale 1 and at the
// zoom ceiling; a repaint from the frame cache, a pan by a few pixels, the first frame
// after a load (visible sets built from scratch) and the frame after one system's edit.
// The "Layers" cases add 2,000 rutters, 200 regions, 100 nebulae and 500 labels to
// the 50,000-system universe and draw them with the map's layers.
#include "model/HexLayout.h"
#include "model/StarSystemGeneration.h"
#include "starmap/StarMapFrameCache.h"
#include "starmap/StarMapLayers.h"
#include "starmap/StarMapRenderer.h"
#include "starmap/StarMapVisibleSets.h"

#include <QDir>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <cmath>
#include <map>
#include <memory>

namespace {

const QSize kView(1920, 1080);
constexpr int kPerSector = 512;

struct Fixture
{
    std::unique_ptr<StarfarerUniverse> universe;
    std::unique_ptr<StarMapVisibleSets> sets;
    std::unique_ptr<StarMapRenderer> renderer;
    std::unique_ptr<StarMapLayers> layers;
    GridExtent extent;
    MapTransform fit;
    double indexBytes = 0;
};

QList<HexData> generate(int count)
{
    const int sectors = (count + kPerSector - 1) / kPerSector;
    const int across = static_cast<int>(std::ceil(std::sqrt(sectors)));
    QList<HexData> data;
    data.reserve(count);
    for (int i = 0; i < count; ++i) {
        const int sector = i / kPerSector;
        const int slot = (i % kPerSector) * 7919 % (32 * 40); // distinct hexes within the sector
        HexData hex;
        hex.id = QUuid::createUuid();
        hex.coordinates = {sector % across, -(sector / across), slot % 32 + 1, slot / 32 + 1};
        hex.starSystem = generateStarSystem(std::nullopt, i % 3 == 0, TechnologyLevel::ttl15, true);
        hex.starSystem.name = QStringLiteral("System %1").arg(i);
        hex.starSystem.surveyed = true;
        data.append(hex);
    }
    return data;
}

// Rutters between systems of one sector, closed regions of three anchors, nebulae of
// a dozen hexes and labels at varied angles, spread over the universe's systems.
void addMapRecords(StarfarerUniverse &universe)
{
    const HexList &data = universe.data();
    QList<Faction> factions;
    for (const FactionColor color : {FactionColor::red, FactionColor::blue, FactionColor::green,
                                     FactionColor::gold, FactionColor::violet, FactionColor::cyan}) {
        Faction faction;
        faction.id = QUuid::createUuid();
        faction.color = color;
        factions.append(faction);
    }
    universe.setFactions(factions);
    QList<Rutter> rutters;
    for (int i = 0; i < 2000; ++i) {
        const qsizetype from = (i * 7919L) % (data.size() - 1);
        Rutter rutter;
        rutter.id = QUuid::createUuid();
        rutter.factionID = factions[i % factions.size()].id;
        rutter.start = data[from].coordinates;
        rutter.end = data[from + 1].coordinates;
        rutter.mainTradeRoute = i % 5 == 0;
        rutter.age = RutterAge::recent;
        rutters.append(rutter);
    }
    universe.setRutters(rutters);
    QList<Region> regions;
    QList<Nebula> nebulae;
    QList<StarmapLabel> labels;
    for (int i = 0; i < 500; ++i) {
        const GalacticCoordinates c = data[(i * 104729L) % data.size()].coordinates;
        const auto near = [&c](qint64 dc, qint64 dr) {
            return HexLayout::coordinates(c.sectorX * 32 + c.column - 1 + dc,
                                          (c.row - 1) - c.sectorY * 40 + dr);
        };
        if (i < 200) {
            Region region;
            region.id = QUuid::createUuid();
            region.name = QStringLiteral("Region %1").arg(i);
            region.color = factions[i % factions.size()].color;
            region.closed = i % 2 == 0;
            region.anchors = {{near(0, 0), 3}, {near(4, 0), 0}, {near(2, 3), 1}};
            regions.append(region);
        }
        if (i < 100) {
            Nebula nebula;
            nebula.id = QUuid::createUuid();
            nebula.name = QStringLiteral("Nebula %1").arg(i);
            nebula.type = static_cast<NebulaType>(i % 5);
            for (int h = 0; h < 12; ++h)
                nebula.hexes.append(near(h % 4, h / 4));
            nebulae.append(nebula);
        }
        StarmapLabel label;
        label.id = QUuid::createUuid();
        label.text = QStringLiteral("Label %1").arg(i);
        label.size = 24;
        label.angle = (i % 7) * 0.3;
        label.position = near(1, -1);
        labels.append(label);
    }
    universe.setRegions(regions);
    universe.setNebulae(nebulae);
    universe.setStarmapLabels(labels);
}

// `count` generated systems; negative for the same number with the map records drawn
// by the layers.
Fixture &fixture(int count)
{
    static std::map<int, std::unique_ptr<Fixture>> fixtures;
    auto &slot = fixtures[count];
    if (!slot) {
        slot = std::make_unique<Fixture>();
        slot->universe = std::make_unique<StarfarerUniverse>(UniverseFolder(QDir::tempPath()));
        slot->universe->setData(generate(std::abs(count)));
        if (count < 0)
            addMapRecords(*slot->universe);
        const size_t before = mallinfo2().uordblks;
        slot->sets = std::make_unique<StarMapVisibleSets>(slot->universe.get(), 60);
        slot->indexBytes = static_cast<double>(mallinfo2().uordblks - before);
        slot->renderer = std::make_unique<StarMapRenderer>(*slot->sets);
        if (count < 0) {
            slot->layers = std::make_unique<StarMapLayers>(*slot->sets);
            slot->layers->install(*slot->renderer);
        }
        slot->extent = slot->sets->systems().extent()->widened(2);
        slot->fit = MapTransform::fit(slot->extent, kView, 60);
    }
    return *slot;
}

// The transform of `scale` centred on the middle of the map.
MapTransform centred(const Fixture &f, double scale)
{
    const QPointF middle = f.fit.toMap(QPointF(kView.width() / 2.0, kView.height() / 2.0));
    return {scale, QPointF(kView.width() / 2.0, kView.height() / 2.0) - middle * scale};
}

void drawWhole(benchmark::State &state, double (*scaleOf)(const Fixture &))
{
    Fixture &f = fixture(static_cast<int>(state.range(0)));
    const MapTransform t = centred(f, scaleOf(f));
    QImage image(kView, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&image);
        f.renderer->draw(painter, t, f.extent, QRectF(QPointF(0, 0), QSizeF(kView)));
    }
    state.counters["scale"] = t.scale;
}

void BM_StarMapFitScale(benchmark::State &state)
{
    drawWhole(state, [](const Fixture &f) { return f.fit.scale; });
}

void BM_StarMapScaleOne(benchmark::State &state)
{
    drawWhole(state, [](const Fixture &) { return 1.0; });
}

void BM_StarMapZoomCeiling(benchmark::State &state)
{
    drawWhole(state, [](const Fixture &f) { return ScaleBounds::forFitScale(f.fit.scale).upper; });
}

// A repaint at the fit scale: the widget's blit of the kept picture.
void BM_StarMapCachedRepaint(benchmark::State &state)
{
    Fixture &f = fixture(static_cast<int>(state.range(0)));
    StarMapFrameCache cache(*f.renderer);
    QImage screen(kView, QImage::Format_ARGB32_Premultiplied);
    cache.frame(kView, 1, f.fit, f.extent);
    for (auto _ : state) {
        QPainter painter(&screen);
        painter.drawImage(0, 0, cache.frame(kView, 1, f.fit, f.extent));
    }
}

// A drag moving the map by (7, 3) pixels per frame, back and forth, at `scale`.
void pan(benchmark::State &state, double (*scaleOf)(const Fixture &))
{
    Fixture &f = fixture(static_cast<int>(state.range(0)));
    StarMapFrameCache cache(*f.renderer);
    QImage screen(kView, QImage::Format_ARGB32_Premultiplied);
    MapTransform t = centred(f, scaleOf(f));
    cache.frame(kView, 1, t, f.extent);
    int step = 0;
    for (auto _ : state) {
        t.offset += (step++ % 2 == 0 ? 1 : -1) * QPointF(7, 3);
        QPainter painter(&screen);
        painter.drawImage(0, 0, cache.frame(kView, 1, t, f.extent));
    }
    state.counters["cache_MB"] = static_cast<double>(cache.bytes()) / 1e6;
}

void BM_StarMapPanAtFit(benchmark::State &state)
{
    pan(state, [](const Fixture &f) { return f.fit.scale; });
}

void BM_StarMapPanAtScaleOne(benchmark::State &state)
{
    pan(state, [](const Fixture &) { return 1.0; });
}

// A universe just loaded: the visible sets built from scratch, then the first frame.
void BM_StarMapFirstFrameAfterLoad(benchmark::State &state)
{
    Fixture &f = fixture(static_cast<int>(state.range(0)));
    QImage screen(kView, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        StarMapVisibleSets sets(f.universe.get(), 60);
        StarMapRenderer renderer(sets);
        StarMapLayers layers(sets);
        if (f.layers)
            layers.install(renderer);
        StarMapFrameCache cache(renderer);
        const GridExtent extent = sets.systems().extent()->widened(2);
        QPainter painter(&screen);
        painter.drawImage(0, 0, cache.frame(kView, 1, MapTransform::fit(extent, kView, 60), extent));
    }
    state.counters["index_MB"] = f.indexBytes / 1e6;
}

// One system renamed at the fit scale: the document's replace, the visible sets'
// update of that hex and the repaint of the area it reaches.
void BM_StarMapFrameAfterEdit(benchmark::State &state)
{
    Fixture &f = fixture(static_cast<int>(state.range(0)));
    StarMapFrameCache cache(*f.renderer);
    const QMetaObject::Connection edits = QObject::connect(
        f.sets.get(), &StarMapVisibleSets::cellsChanged, [&](const QList<GalacticCoordinates> &cells) {
            cache.invalidate(f.renderer->reachOf(cells, f.fit));
        });
    QImage screen(kView, QImage::Format_ARGB32_Premultiplied);
    cache.frame(kView, 1, f.fit, f.extent);
    HexData edited = f.universe->data()[f.universe->data().size() / 2];
    int edit = 0;
    for (auto _ : state) {
        edited.starSystem.name = QStringLiteral("Edited %1").arg(edit++);
        f.universe->replaceHex(edited);
        QPainter painter(&screen);
        painter.drawImage(0, 0, cache.frame(kView, 1, f.fit, f.extent));
    }
    QObject::disconnect(edits);
}

} // namespace

#define STAR_MAP_BENCH(name) BENCHMARK(name)->Arg(1000)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond)
STAR_MAP_BENCH(BM_StarMapFitScale);
STAR_MAP_BENCH(BM_StarMapScaleOne);
STAR_MAP_BENCH(BM_StarMapZoomCeiling);
STAR_MAP_BENCH(BM_StarMapCachedRepaint);
STAR_MAP_BENCH(BM_StarMapPanAtFit);
STAR_MAP_BENCH(BM_StarMapPanAtScaleOne);
STAR_MAP_BENCH(BM_StarMapFirstFrameAfterLoad);
STAR_MAP_BENCH(BM_StarMapFrameAfterEdit);
#define STAR_MAP_LAYERS_BENCH(name)                                                                          \
    BENCHMARK(name)->Name(#name "/Layers")->Arg(-50000)->Unit(benchmark::kMillisecond)
STAR_MAP_LAYERS_BENCH(BM_StarMapFitScale);
STAR_MAP_LAYERS_BENCH(BM_StarMapScaleOne);
STAR_MAP_LAYERS_BENCH(BM_StarMapZoomCeiling);
STAR_MAP_LAYERS_BENCH(BM_StarMapPanAtFit);
STAR_MAP_LAYERS_BENCH(BM_StarMapPanAtScaleOne);
STAR_MAP_LAYERS_BENCH(BM_StarMapFirstFrameAfterLoad);
