#pragma once

#include "GridExtent.h"
#include "MapTransform.h"

#include <QRectF>

struct StarMapScene;

// What one drawing of the map knows, handed to every layer: the scene drawn, the
// transform, the grid's extent, the screen rectangle being drawn (nothing outside it
// needs drawing) and the level-of-detail flags of the hex radius on screen.
struct StarMapPass
{
    const StarMapScene *scene = nullptr;
    MapTransform transform;
    GridExtent extent;
    QRectF exposed;
    double hexRadius = 60;

    double screenHexRadius() const { return hexRadius * transform.scale; }
    // Hex outlines, subsector borders and the finer layer details.
    bool detail12() const { return screenHexRadius() >= 12; }
    // Hex numbers and system names.
    bool detail18() const { return screenHexRadius() >= 18; }
    // The surveyed overlay.
    bool detail26() const { return screenHexRadius() >= 26; }
};
