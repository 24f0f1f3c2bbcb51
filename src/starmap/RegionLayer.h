#pragma once

#include "universe/Region.h"

#include <QList>
#include <QPointF>
#include <QRectF>

class QPainter;
class StarMapVisibleSets;
struct StarMapPass;

// The regions on the map: outlines along hex edges, stroked over a dark halo and
// filled when closed, with the region's name when zoomed in. An outline is traced once
// per region value and kept in map units; a frame only maps it to the screen.
class RegionLayer
{
public:
    explicit RegionLayer(const StarMapVisibleSets &sets) : m_sets(sets) {}

    void draw(QPainter &painter, const StarMapPass &pass);

private:
    struct Outline
    {
        Region region;
        QList<QPointF> points; // map points, in order
        QPointF namePoint;     // map point
        QRectF bounds;         // map rectangle holding the outline and the name point
    };

    const Outline &outlineOf(qsizetype index, const Region &region);

    const StarMapVisibleSets &m_sets;
    QList<Outline> m_outlines; // by the region's place in the list drawn
};
