#pragma once

#include "StarGlyph.h"

#include <QList>
#include <QRgba64>

#include <array>
#include <map>

// Star glyphs of many systems painted together: the discs are gathered per disc rank
// and colour and painted rank by rank, one brush per colour, so the painter does not
// change its brush for every disc. A system's smaller discs still lie over its larger
// ones. Glyphs of neighbouring hexes stay apart (less than half the distance between
// hex centres each), so their order among themselves does not show; only when a hex
// is under about 1.3 pixels across may two glyphs share an edge pixel.
class StarGlyphBatch
{
public:
    void add(const StarGlyph &glyph, const QPointF &centre, double scale, double hexRadius);
    // Fills the gathered discs, pen off, and empties the batch.
    void paint(QPainter &painter);

private:
    struct Disc
    {
        QPointF centre;
        double radius;
    };
    std::array<std::map<quint64, QList<Disc>>, 3> m_discs; // by rank, then colour
};
