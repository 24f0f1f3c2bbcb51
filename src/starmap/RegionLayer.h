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
// per region value and kept in map units; a frame only maps it to the screen. A copy
// made after `prepare()` draws on any thread.
class RegionLayer
{
public:
    explicit RegionLayer(const StarMapVisibleSets &sets) : m_sets(sets) {}

    // Takes the regions to draw and traces those that changed.
    void prepare();
    void draw(QPainter &painter, const StarMapPass &pass) const;

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
    QList<Outline> m_outlines; // the regions drawn, in order
};
