#pragma once

#include "StarGlyph.h"
#include "model/HexData.h"

#include <QPointF>

// One visible system as the map keeps it between frames: the stored hex, its place
// in the universe's order (drawing and lookups follow it), its centre in map units
// and its star glyph.
struct MapSystem
{
    qint64 order = 0;
    HexData hex;
    QPointF centre;
    StarGlyph glyph;
};
