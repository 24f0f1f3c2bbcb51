#pragma once

#include "StarMapPass.h"
#include "SystemIndex.h"

#include <array>
#include <functional>

class MapPainter;

// Draws one layer of the map, through the map's painter only. It holds what it draws,
// so that it may run on any thread, and on several at once, while the universe goes on
// changing.
using StarMapLayerDrawer = std::function<void(MapPainter &, const StarMapPass &)>;

// The map as it was at one moment: the visible systems, the settings the drawing
// reads and the drawers of the layers. Nothing in it changes after it is made, so
// that the parts of one picture can be drawn on many threads at once.
struct StarMapScene
{
    SystemIndex systems{60};
    double hexRadius = 60;
    // The surveyed overlays are on, and the referee's view shows them on every system.
    bool surveyedOverlays = false;
    bool referee = true;
    // Drawing is limited to what meets the exposed rectangle.
    bool culling = true;
    // Star discs and turned texts are stamped from kept pictures.
    bool stamping = true;
    // In drawing order: nebulae, regions, rutters, labels; empty ones draw nothing.
    std::array<StarMapLayerDrawer, 4> layers;
};
