#pragma once

#include "GridExtent.h"

#include <QPointF>
#include <QRectF>
#include <QSizeF>

// The range of scales the user may zoom to, both ends allowed.
struct ScaleBounds
{
    double lower = 0.0;
    double upper = 0.0;

    // From 0.4 times the fit scale up to 8 times it, but never below 1.0 at the top,
    // so that the details drawn only when zoomed in can be reached on any map.
    static ScaleBounds forFitScale(double fitScale);
    // The lower bound at or below it, the upper bound above it.
    double clamp(double scale) const;

    friend bool operator==(const ScaleBounds &, const ScaleBounds &) = default;
};

// The star map's view transform: a map point p is shown at p × scale + offset, and
// screen coordinates grow downward like map coordinates.
struct MapTransform
{
    double scale = 1.0;
    QPointF offset;

    QPointF toScreen(const QPointF &map) const { return map * scale + offset; }
    QPointF toMap(const QPointF &screen) const { return (screen - offset) / scale; }
    QRectF toScreen(const QRectF &map) const;
    QRectF toMap(const QRectF &screen) const;

    // The transform that centres the hexes of `extent`, drawn with hexes of radius
    // `hexRadius`, in a view of `size`, leaving 24 points on each side of the tighter
    // dimension. A view too small for that margin still gets a positive scale; an
    // empty view or extent gets scale 1 and no offset.
    static MapTransform fit(const GridExtent &extent, const QSizeF &size, double hexRadius);

    // This transform zoomed by `factor` about the screen point `at`, which keeps
    // showing the same map point. The scale stops at `bounds`.
    MapTransform zoomed(double factor, const QPointF &at, const ScaleBounds &bounds) const;

    friend bool operator==(const MapTransform &, const MapTransform &) = default;
};
