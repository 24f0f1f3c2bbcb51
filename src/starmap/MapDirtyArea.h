#pragma once

#include "MapTransform.h"

#include <QRectF>
#include <QSizeF>

#include <algorithm>
#include <cmath>

// A part of the map to draw again after one object changed: a rectangle in map units
// grown by a margin in screen points, for what keeps its size on screen (texts,
// strokes, capsules), and by a margin in map units, for texts that grow with the zoom.
// It holds at every scale, so that each zoom step kept works out its own part. Empty
// when nothing was or will be drawn.
struct MapDirtyArea
{
    QRectF map;
    double margin = 0;    // screen points
    double mapMargin = 0; // map units
    bool isEmpty = true;

    MapDirtyArea() = default;
    MapDirtyArea(const QRectF &mapRect, double screenMargin, double mapUnitsMargin = 0)
        : map(mapRect), margin(screenMargin), mapMargin(mapUnitsMargin), isEmpty(false)
    {}

    MapDirtyArea &operator|=(const MapDirtyArea &other)
    {
        if (other.isEmpty)
            return *this;
        // By the corners: a point (a label's anchor) has no size but counts.
        map = isEmpty ? other.map
                      : QRectF(QPointF(std::min(map.left(), other.map.left()),
                                       std::min(map.top(), other.map.top())),
                               QPointF(std::max(map.right(), other.map.right()),
                                       std::max(map.bottom(), other.map.bottom())));
        margin = isEmpty ? other.margin : std::max(margin, other.margin);
        mapMargin = isEmpty ? other.mapMargin : std::max(mapMargin, other.mapMargin);
        isEmpty = false;
        return *this;
    }

    // A text centred on a map point, turned any way, whose box measures `perPoint` at
    // one point and which is drawn at max(scale × `zoomed`, `least`) points.
    static MapDirtyArea text(const QPointF &centre, const QSizeF &perPoint, double zoomed, double least)
    {
        const double half = std::hypot(perPoint.width(), perPoint.height()) / 2;
        return {QRectF(centre, centre), half * least + 2, half * zoomed};
    }

    QRectF onScreen(const MapTransform &transform) const
    {
        if (isEmpty)
            return {};
        const double grown = margin + mapMargin * transform.scale;
        return transform.toScreen(map).adjusted(-grown, -grown, grown, grown);
    }
};
