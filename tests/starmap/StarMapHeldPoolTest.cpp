#include "HeldGlobalPool.h"
#include "SeededSource.h"
#include "StarMapTestSupport.h"
#include "model/HexLayout.h"
#include "model/StarSystemGeneration.h"
#include "starmap/StarMapFrameCache.h"
#include "starmap/StarMapLayers.h"
#include "starmap/StarMapRenderer.h"
#include "starmap/StarMapVisibleSets.h"

#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>

#include <gtest/gtest.h>

#include <memory>

using namespace StarMapTest;

namespace {

const QSize kView(384, 320);
// Drawing a view's tiles takes well under a second; a drawing that waits on the held
// pool never ends before it is released.
constexpr int kDeadline = 30000;

// A block of generated systems round the middle of a sector, surveyed, with every kind
// of map object over them: factions, routes short and long, one colour and mixed, main
// and not (strokes side by side, summary strokes, length capsules), closed and open
// regions, nebulae of every kind, and labels straight and turned, small and large.
std::unique_ptr<StarfarerUniverse> richUniverse()
{
    SeededSource source(20261209);
    const ScopedRandomSource seeded(source);
    QList<HexData> data;
    for (qint64 column = 6; column <= 20; ++column) {
        for (qint64 row = 8; row <= 24; ++row) {
            HexData made = hex(at(column, row));
            made.starSystem =
                generateStarSystem(std::nullopt, (column + row) % 3 == 0, TechnologyLevel::ttl15, true);
            made.starSystem.surveyed = true;
            made.starSystem.name = (column + row) % 5 == 0 ? QStringLiteral("Regina Ærø %1").arg(row)
                                                           : QStringLiteral("Sys %1").arg(column * 100 + row);
            data.append(made);
        }
    }
    auto u = universe(data);
    const QList<Faction> factions{aFaction().color(FactionColor::blue), aFaction().color(FactionColor::red),
                                  aFaction().color(FactionColor::green)};
    u->setFactions(factions);
    QList<Rutter> routes;
    for (int i = 0; i < 40; ++i) {
        const GalacticCoordinates from = at(6 + (i * 7) % 15, 8 + (i * 5) % 17);
        const GalacticCoordinates to = at(6 + (i * 11 + 3) % 15, 8 + (i * 3 + 1) % 17);
        routes.append(test_records::rutter(factions[i % 3].id, from, to, RutterAge::recent, i % 4 == 0));
        if (i % 3 == 0)
            routes.append(test_records::rutter(factions[(i + 1) % 3].id, to, from, RutterAge::recent, false));
        if (i % 5 == 0)
            routes.append(test_records::rutter(factions[(i + 2) % 3].id, from, to, RutterAge::recent, i % 2));
    }
    u->setRutters(routes);
    QList<Region> regions;
    for (int i = 0; i < 6; ++i) {
        Region region;
        region.id = QUuid::createUuid();
        region.name = QStringLiteral("Region %1").arg(i);
        region.color = static_cast<FactionColor>(i * 3 % 12);
        region.closed = i % 2 == 0;
        region.anchors = {{at(7 + 2 * i, 9 + i), 3}, {at(11 + 2 * i, 10 + i), 0}, {at(9 + 2 * i, 14 + i), 1}};
        regions.append(region);
    }
    u->setRegions(regions);
    QList<Nebula> nebulae;
    for (int kind = 0; kind < 5; ++kind) {
        Nebula nebula{
            QUuid::createUuid(), QStringLiteral("Nebula %1").arg(kind), static_cast<NebulaType>(kind), {}};
        for (int h = 0; h < 10; ++h)
            nebula.hexes.append(at(6 + kind * 3 + h % 4, 10 + kind + h / 4));
        nebulae.append(nebula);
    }
    u->setNebulae(nebulae);
    QList<StarmapLabel> labels;
    for (int i = 0; i < 8; ++i) {
        StarmapLabel label;
        label.id = QUuid::createUuid();
        label.text =
            i % 3 == 0 ? QStringLiteral("Spinward\nMarches %1").arg(i) : QStringLiteral("Label %1").arg(i);
        label.size = std::array{10.0, 24.0, 60.0}[i % 3];
        label.angle = (i % 4) * 0.5;
        label.color = static_cast<FactionColor>(i % 12);
        label.position = at(8 + i, 12 + (i * 3) % 9);
        labels.append(label);
    }
    u->setStarmapLabels(labels);
    return u;
}

// Whole tiles of a rich map, every layer on, drawn on a thread of their own beside Qt's
// global pool held busy, as the map's tile threads draw them while the program's own
// paints and conversions hold that pool: at every zoom step, from the map zoomed out
// to close up where the hex numbers and names show and texts grow large, on screens of
// one and two device pixels per point. Every tile is drawn while the pool is held;
// none waits on it. The pictures are those the same tiles get with the pool free.
TEST(StarMapHeldPoolTest, FullTilesOfARichMapAreDrawnWhileQtsGlobalPoolIsHeld)
{
    const auto u = richUniverse();
    const StarMapVisibleSets sets(u.get(), 60);
    StarMapLayers layers(sets);
    StarMapRenderer renderer(sets);
    layers.install(renderer);
    const GridExtent extent = sets.systems().extent()->widened(2);
    const QPointF middle = HexLayout(60).center(at(13, 16));
    QThreadPool tileThread;
    tileThread.setMaxThreadCount(1);
    const auto onTileThread = [&](std::function<void()> job) {
        static_cast<void>(QtConcurrent::run(&tileThread, std::move(job)));
    };

    struct Step
    {
        double scale;
        qreal ratio;
        QImage held;
    };
    // Hex outlines and borders from 0.2, names from 0.3, hex numbers and overlays from 0.44.
    QList<Step> steps;
    for (const qreal ratio : {1.0, 2.0}) {
        for (const double scale : {0.08, 0.25, 0.35, 0.5, 1.3, 3.2})
            steps.append({scale, ratio, {}});
    }
    const auto transformOf = [&](const Step &step) {
        return MapTransform{step.scale, QPointF(kView.width(), kView.height()) / 2 - middle * step.scale};
    };
    {
        HeldGlobalPool held(2);
        ASSERT_TRUE(held.isHeld());
        for (Step &step : steps) {
            StarMapFrameCache cache(renderer);
            cache.setExecutor(onTileThread);
            const bool drawn = QTest::qWaitFor(
                [&] {
                    step.held = cache.frame(kView, step.ratio, transformOf(step), extent);
                    return cache.isSharp();
                },
                kDeadline);
            if (!drawn) {
                held.release();
                tileThread.waitForDone();
                FAIL() << "the tiles at scale " << step.scale << " and " << step.ratio
                       << " device pixels per point waited on Qt's global pool";
            }
        }
        ASSERT_TRUE(held.isHeld());
    }
    for (const Step &step : steps) {
        StarMapFrameCache cache(renderer);
        cache.setExecutor(onTileThread);
        QImage free;
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                free = cache.frame(kView, step.ratio, transformOf(step), extent);
                return cache.isSharp();
            },
            kDeadline));
        EXPECT_EQ(free, step.held) << "scale " << step.scale << ", ratio " << step.ratio;
    }
}

} // namespace
