#include "starmap/ui/StarMapView.h"
#include "../HeldJobs.h"
#include "../StarMapTestSupport.h"
#include "HeldJobPool.h"
#include "model/HexLayout.h"
#include "starmap/MapColors.h"
#include "starmap/StarMapFrameCache.h"
#include "starmap/StarMapVisibleSets.h"
#include "starmap/ui/StarMapCanvas.h"
#include "ui/ContentUnavailableView.h"

#include <QFrame>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace StarMapTest;

namespace {

TEST(StarMapViewTest, EmptyStatesSayWhyNothingIsShown)
{
    const auto u = universe();
    StarMapView view(u.get(), nullptr, 60, 2);
    ASSERT_NE(view.emptyState(), nullptr);
    EXPECT_EQ(view.emptyState()->title(), QStringLiteral("No Systems Saved"));
    EXPECT_EQ(view.emptyState()->description(),
              QStringLiteral("Generate a system and tap Save to see it on the map."));

    u->insertHex(hex(at(1, 1), false, true));
    EXPECT_EQ(view.emptyState(), nullptr);
    // Filters that hide everything in the referee's view say so, not the player text.
    u->setMapShowSathar(false);
    ASSERT_NE(view.emptyState(), nullptr);
    EXPECT_EQ(view.emptyState()->title(), QStringLiteral("No Systems Match the Filters"));
    u->setMapViewMode(MapViewMode::player);
    EXPECT_EQ(view.emptyState()->title(), QStringLiteral("No Systems in Player View"));
    EXPECT_EQ(
        view.emptyState()->description(),
        QStringLiteral("No systems have Starfarers awareness. Switch to Referee view to see all systems."));
    EXPECT_FALSE(view.controlsPanel()->isHidden());
}

// Two systems far apart on a map view of 800 × 600 points, on screen.
struct MapOnScreen
{
    std::unique_ptr<StarfarerUniverse> universe = StarMapTest::universe({hex(at(1, 1)), hex(at(10, 12))});
    StarMapView view{universe.get(), nullptr, 60, 2};
    bool exposed = [this] {
        view.resize(800, 600);
        view.show();
        return QTest::qWaitForWindowExposed(&view);
    }();
};

TEST(StarMapViewTest, FitIsEnabledOnlyWhileTheUserHasMovedTheMap)
{
    MapOnScreen map;
    ASSERT_TRUE(map.exposed);
    StarMapView &view = map.view;
    StarMapCanvas *canvas = view.canvas();
    EXPECT_FALSE(view.fitButton()->isEnabled());
    const QPoint middle = canvas->rect().center();
    QTest::mousePress(canvas, Qt::LeftButton, {}, middle);
    QTest::mouseMove(canvas, middle + QPoint(40, 10));
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, middle + QPoint(40, 10));
    EXPECT_TRUE(view.fitButton()->isEnabled());
    QTest::mouseDClick(canvas, Qt::LeftButton, {}, middle);
    EXPECT_FALSE(view.fitButton()->isEnabled());
    EXPECT_TRUE(canvas->controller().isFitted());
}

// An edit of one system, which leaves the map's extent as it was, reaches the picture
// the map shows.
TEST(StarMapViewTest, AnEditOfOneSystemIsDrawnOnTheMap)
{
    MapOnScreen map;
    ASSERT_TRUE(map.exposed);
    StarMapCanvas *canvas = map.view.canvas();
    // What the canvas paints, once every tile of its view is drawn.
    const auto shown = [canvas] {
        return canvas->frameCache().sharpFrame(canvas->size(), 1, canvas->controller().transform(),
                                               canvas->gridExtent());
    };
    HexData edited = map.universe->data()[1];
    const QPoint centre =
        canvas->controller().transform().toScreen(HexLayout(60).center(edited.coordinates)).toPoint();
    ASSERT_GT(channelDistance(shown().pixel(centre), MapColors::spectral(SpectralType::B)), 2);

    edited.starSystem.stars[0].spectralType = SpectralType::B;
    map.universe->replaceHex(edited);
    EXPECT_LE(channelDistance(shown().pixel(centre), MapColors::spectral(SpectralType::B)), 2);
}

// A large universe's map waits for its routes and outlines, which are made on workers
// after or beside its systems: until they come it shows its background and asks for no
// tile, which would lack them and be drawn again; then it draws its tiles, once.
TEST(StarMapViewTest, ALargeMapAsksForNoTileUntilItsLayersAreMade)
{
    QList<HexData> data = farSystems();
    data.append({hex(at(2, 2)), hex(at(2, 6))});
    const auto u = universe(data);
    const Faction blue = aFaction().color(FactionColor::blue);
    u->setFactions({blue});
    u->setRutters({test_records::rutter(blue.id, at(2, 2), at(2, 6), RutterAge::recent, true)});
    StarMapVisibleSets sets(u.get(), 60);
    StarMapCanvas canvas(sets, 2);
    canvas.resize(400, 300);
    HeldJobs held;
    canvas.frameCache().setExecutor(held.executor());
    deliverFiling(sets);
    const QImage waiting = canvas.grab().toImage();
    EXPECT_TRUE(held.jobs.empty());
    EXPECT_LE(channelDistance(waiting.pixel(200, 150), MapColors::background().rgb()), 2);

    deliver();
    canvas.grab();
    EXPECT_FALSE(held.jobs.empty());
    held.runAll();
    canvas.grab();
    EXPECT_TRUE(canvas.frameCache().isSharp());
}

// A map that goes (with the universe it showed) hands what it kept to a job thread:
// freeing a large universe's filed systems and routes takes frames. While the job
// thread waits, the values it shares with the test are still held; once it runs,
// nothing but the test holds them.
TEST(StarMapViewTest, WhatAGoneMapKeptIsFreedOnAJobThread)
{
    const auto u = universe({hex(at(2, 2)), hex(at(2, 6))});
    const Faction blue = aFaction().color(FactionColor::blue);
    u->setFactions({blue});
    u->setRutters({test_records::rutter(blue.id, at(2, 2), at(2, 6), RutterAge::recent, true)});
    auto *view = new StarMapView(u.get(), nullptr, 60, 2);
    const QList<Rutter> shared = view->findChild<StarMapVisibleSets *>()->visibleRutters();
    ASSERT_EQ(shared.size(), 1);
    HeldJobPool held;
    delete view;
    EXPECT_FALSE(shared.isDetached());
    held.release();
    EXPECT_TRUE(QTest::qWaitFor([&] { return shared.isDetached(); }, 60000));
}

} // namespace
