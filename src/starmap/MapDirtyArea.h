#pragma once

#include "MapTransform.h"

#include <QFontMetricsF>
#include <QRectF>
#include <QString>

#include <algorithm>
#include <cmath>

// A part of the map to draw again after one object changed: a rectangle in map units
// grown by a margin in screen points, for what keeps its size on screen (texts,
// strokes, capsules). Empty when nothing was or will be drawn.
struct MapDirtyArea
{
    QRectF map;
    double margin = 0;
    bool isEmpty = true;

    MapDirtyArea() = default;
    MapDirtyArea(const QRectF &mapRect, double screenMargin)
        : map(mapRect), margin(screenMargin), isEmpty(false)
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
        isEmpty = false;
        return *this;
    }

    // A text centred on a map point, in the font measured by `metrics`.
    static MapDirtyArea text(const QPointF &centre, const QString &text, const QFontMetricsF &metrics)
    {
        const QRectF box = metrics.boundingRect(text);
        return {QRectF(centre, centre), std::hypot(box.width(), box.height()) / 2 + 2};
    }

    QRectF onScreen(const MapTransform &transform) const
    {
        if (isEmpty)
            return {};
        return transform.toScreen(map).adjusted(-margin, -margin, margin, margin);
    }
};
