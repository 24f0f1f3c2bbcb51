#include "model/HexLayout.h"
#include "starmap/MapInteractionController.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const GridExtent kOneSector{0, 31, 0, 39};

TEST(MapTransformTest, FitCentresTheExtentWithA24PointMargin)
{
    const QSizeF view(1000, 700);
    const MapTransform fit = MapTransform::fit(kOneSector, view, 60);
    const HexLayout layout(60);
    const QPointF first = fit.toScreen(layout.center(HexLayout::coordinates(0, 0)) - QPointF(60, 60));
    const QPointF last = fit.toScreen(layout.center(HexLayout::coordinates(31, 39)) + QPointF(60, 60));
    // Tall sector: the height is the tighter dimension, the width is centred.
    EXPECT_NEAR(first.y(), 24, 1e-9);
    EXPECT_NEAR(last.y(), 700 - 24, 1e-9);
    EXPECT_NEAR(first.x() + last.x(), 1000, 1e-9);
    EXPECT_GT(first.x(), 24);
}

TEST(MapTransformTest, DegenerateAndTinyViewsStillGiveAPositiveScale)
{
    EXPECT_EQ(MapTransform::fit(kOneSector, QSizeF(0, 0), 60), MapTransform());
    EXPECT_EQ(MapTransform::fit(kOneSector, QSizeF(-5, 300), 60), MapTransform());
    const MapTransform tiny = MapTransform::fit(kOneSector, QSizeF(30, 20), 60);
    EXPECT_GT(tiny.scale, 0);
    EXPECT_TRUE(std::isfinite(tiny.offset.x()) && std::isfinite(tiny.offset.y()));
}

TEST(MapTransformTest, BoundsReachScaleOneOnLargeMapsAndEightFitsOnSmallOnes)
{
    EXPECT_DOUBLE_EQ(ScaleBounds::forFitScale(0.05).lower, 0.02);
    EXPECT_EQ(ScaleBounds::forFitScale(0.05).upper, 1.0);
    EXPECT_DOUBLE_EQ(ScaleBounds::forFitScale(0.5).lower, 0.2);
    EXPECT_DOUBLE_EQ(ScaleBounds::forFitScale(0.5).upper, 4.0);
    const ScaleBounds zero = ScaleBounds::forFitScale(0);
    EXPECT_GT(zero.lower, 0);
    EXPECT_EQ(zero.clamp(-1), zero.lower);
    EXPECT_EQ(zero.clamp(50), zero.upper);
}

TEST(MapTransformTest, ZoomKeepsThePointUnderThePointerAndStopsAtTheBounds)
{
    const MapTransform start{1, QPointF(0, 0)};
    const ScaleBounds bounds{0.1, 4};
    EXPECT_EQ(start.zoomed(2, QPointF(100, 100), bounds), (MapTransform{2, QPointF(-100, -100)}));

    const MapTransform odd{0.37, QPointF(13, -7)};
    const QPointF pointer(311, 97);
    const QPointF under = odd.toMap(pointer);
    const MapTransform zoomed = odd.zoomed(100, pointer, bounds);
    EXPECT_EQ(zoomed.scale, 4);
    EXPECT_NEAR(zoomed.toScreen(under).x(), pointer.x(), 1e-9);
    EXPECT_NEAR(zoomed.toScreen(under).y(), pointer.y(), 1e-9);
    EXPECT_EQ(zoomed.zoomed(1.5, pointer, bounds), zoomed);
}

struct ControllerLog
{
    MapInteractionController controller;
    QList<QPointF> clicks;
    int doubleClicks = 0;
    int changes = 0;

    ControllerLog()
    {
        controller.setFitTransform({0.1, QPointF(5, 5)});
        controller.onClick = [this](const QPointF &at) { clicks.append(at); };
        controller.onDoubleClick = [this] { ++doubleClicks; };
        controller.onTransformChanged = [this] { ++changes; };
    }
};

TEST(MapInteractionControllerTest, ClickDragAndDoubleClickAreTold)
{
    ControllerLog log;
    auto &c = log.controller;
    // A press and release in place is a click; the fitted view stays fitted.
    c.press({10, 10}, 1);
    c.release({10, 10});
    EXPECT_EQ(log.clicks, QList<QPointF>{QPointF(10, 10)});
    EXPECT_TRUE(c.isFitted());

    // A drag pans by the pointer's moves and is no click.
    c.press({10, 10}, 1);
    c.drag({15, 12});
    c.drag({20, 20});
    c.release({20, 20});
    EXPECT_EQ(log.clicks.size(), 1);
    EXPECT_EQ(c.transform(), (MapTransform{0.1, QPointF(15, 15)}));

    // The second press of a double click resets nothing itself, is told once and its
    // release is not a second click; a drag right after it only records the point.
    log.clicks.clear();
    c.press({1, 1}, 1);
    c.release({1, 1});
    c.press({1, 1}, 2);
    c.drag({30, 30});
    c.release({30, 30});
    EXPECT_EQ(log.clicks.size(), 1);
    EXPECT_EQ(log.doubleClicks, 1);
    EXPECT_EQ(c.transform().offset, QPointF(15, 15));

    c.resetTransform();
    EXPECT_TRUE(c.isFitted());
    EXPECT_EQ(c.transform(), c.fitTransform());
}

TEST(MapInteractionControllerTest, StillDragIsAClickThatFixesTheTransform)
{
    ControllerLog log;
    log.controller.press({4, 4}, 1);
    log.controller.drag({4, 4});
    log.controller.release({4, 4});
    EXPECT_EQ(log.clicks.size(), 1);
    EXPECT_FALSE(log.controller.isFitted());
}

TEST(MapInteractionControllerTest, WheelAndPinchZoomWithinBounds)
{
    ControllerLog log;
    auto &c = log.controller;
    c.magnify(-0.5, {0, 0});
    EXPECT_DOUBLE_EQ(c.transform().scale, 0.05);
    // Down to the floor (0.04), then nothing more happens and nothing is told.
    c.scroll(-1000, {0, 0});
    EXPECT_DOUBLE_EQ(c.transform().scale, 0.04);
    const int changes = log.changes;
    c.scroll(-10, {0, 0});
    EXPECT_EQ(log.changes, changes);
    // One notch of a mouse wheel is ten points; a trackpad's pixels count as they come.
    EXPECT_EQ(MapInteractionController::wheelPoints({}, {0, 120}), 10);
    EXPECT_EQ(MapInteractionController::wheelPoints({0, -3}, {0, 120}), -3);
    c.scroll(MapInteractionController::wheelPoints({}, {0, 120}), {0, 0});
    EXPECT_NEAR(c.transform().scale, 0.04 * std::exp(0.125), 1e-12);
}

} // namespace
