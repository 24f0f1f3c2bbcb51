#pragma once

#include "model/Star.h"

#include <QColor>
#include <QList>
#include <QPointF>

#include <array>

class MapPainter;

// The star discs drawn at a system's hex: at most three, the stars with the largest
// luminosity factors, largest first so that smaller discs lie on top. Worked out once
// per system so that a frame only paints.
struct StarGlyph
{
    struct Disc
    {
        QColor color;
        double factor = 0.0; // disc radius in units of 0.22 hex radii at scale 1
    };

    std::array<Disc, 3> discs;
    int count = 0;

    static StarGlyph of(const QList<Star> &stars);
    static double glyphFactor(LuminosityClass luminosity);

    // Paints the discs about the screen point `centre` at map scale `scale` for hexes
    // of radius `hexRadius`, stamping small ones unless `stamp` is off.
    void draw(MapPainter &painter, const QPointF &centre, double scale, double hexRadius,
              bool stamp = true) const;
    // Calls `disc(index, centre, radius, color)` for each disc as `draw` paints it, in
    // painting order.
    template <typename Visit>
    void forEachDisc(const QPointF &centre, double scale, double hexRadius, Visit &&disc) const;
    // The largest distance from the centre that any disc reaches, in map units.
    static double reach(double hexRadius) { return hexRadius * (0.22 * 1.6 + 0.11); }
};

template <typename Visit>
void StarGlyph::forEachDisc(const QPointF &centre, double scale, double hexRadius, Visit &&disc) const
{
    std::array<QPointF, 3> positions{centre, centre, centre};
    if (count == 2) {
        const double d = 0.1 * hexRadius * scale;
        positions[0] += QPointF(-d, 0.5 * d);
        positions[1] += QPointF(d, -0.7 * d);
    } else if (count == 3) {
        const double e = 0.11 * hexRadius * scale;
        positions[0] += QPointF(0, 0.6 * e);
        positions[1] += QPointF(-e, -0.5 * e);
        positions[2] += QPointF(e, -0.5 * e);
    }
    const double unit = 0.22 * hexRadius * scale;
    for (int i = 0; i < count; ++i)
        disc(i, positions[static_cast<std::size_t>(i)], unit * discs[static_cast<std::size_t>(i)].factor,
             discs[static_cast<std::size_t>(i)].color);
}
