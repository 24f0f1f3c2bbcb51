#pragma once

#include "model/Star.h"

#include <QColor>
#include <QList>
#include <QPointF>

#include <array>

class QPainter;

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
    // of radius `hexRadius`; the painter's pen is left off.
    void draw(QPainter &painter, const QPointF &centre, double scale, double hexRadius) const;
    // The largest distance from the centre that any disc reaches, in map units.
    static double reach(double hexRadius) { return hexRadius * (0.22 * 1.6 + 0.11); }
};
