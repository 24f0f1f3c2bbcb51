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
// Every member is a value or an implicitly shared Qt container, none of which points
// into itself: a system may be moved in memory as bytes, which lets the lists of the
// filed systems grow without moving them one by one.
Q_DECLARE_TYPEINFO(MapSystem, Q_RELOCATABLE_TYPE);
