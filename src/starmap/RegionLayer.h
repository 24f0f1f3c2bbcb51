#pragma once

#include "MapDirtyArea.h"
#include "universe/Region.h"

#include <QFontMetricsF>
#include <QHash>
#include <QList>
#include <QPointF>
#include <QRectF>

#include <optional>

class QPainter;
class StarMapVisibleSets;
struct StarMapPass;

// The regions on the map: outlines along hex edges, stroked over a dark halo and
// filled when closed, with the region's name when zoomed in. An outline is traced once
// per region value and kept in map units, by the region's id; a frame only maps it
// to the screen, and a change of one region traces that region alone.
class RegionLayer
{
public:
    explicit RegionLayer(const StarMapVisibleSets &sets) : m_sets(sets) {}

    void draw(QPainter &painter, const StarMapPass &pass);
    // One region changed: its old outline is dropped and its new one traced. Returns
    // what the two drawings cover, names included at the last scale drawn.
    MapDirtyArea regionChanged(const Region *before, const Region *after);

private:
    struct Outline
    {
        Region region;
        QList<QPointF> points; // map points, in order
        QPointF namePoint;     // map point
        QRectF bounds;         // map rectangle holding the outline and the name point
    };

    const Outline &outlineOf(const Region &region);
    MapDirtyArea areaOf(const Outline &outline) const;
    static QString nameOf(const Region &region);

    const StarMapVisibleSets &m_sets;
    QHash<QUuid, Outline> m_outlines;
    std::optional<QFontMetricsF> m_nameMetrics; // of the names at the last scale drawn, if drawn
};
