#pragma once

#include "MapDirtyArea.h"
#include "universe/Region.h"

#include <QHash>
#include <QList>
#include <QPointF>
#include <QRectF>

class MapPainter;
class StarMapVisibleSets;
struct StarMapPass;

// The regions on the map: outlines along hex edges, stroked over a dark halo and
// filled when closed, with the region's name when zoomed in. An outline is traced once
// per region value and kept in map units, by the region's id, and a change of one
// region traces that region alone. A part of the map draws only the pieces of an
// outline that reach it, so that a new zoom step costs what its view shows of the
// outlines, not their whole length. A copy made after `prepare()` draws on any thread.
// The outlines may also be traced on a worker thread and handed over: until they come,
// only outlines traced here are drawn.
class RegionLayer
{
public:
    struct Outline
    {
        Region region;
        QList<QPointF> points; // map points, in order
        QPointF namePoint;     // map point
        QRectF lineBounds;     // map rectangle holding the outline
        QRectF bounds;         // map rectangle holding the outline and the name point
    };
    using Outlines = QHash<QUuid, Outline>;

    explicit RegionLayer(const StarMapVisibleSets &sets);

    // Traces the outlines of these regions, those of two anchors or more; touches no
    // layer, so any thread may run it.
    static Outlines trace(const QList<Region> &regions, double hexRadius);
    // Outlines will be handed over by adopt(): until then prepare() traces none.
    void awaitOutlines() { m_awaiting = true; }
    bool awaiting() const { return m_awaiting; }
    // Takes outlines traced elsewhere, but not over one traced here since (of a later
    // value of its region). Returns what the outlines taken cover.
    MapDirtyArea adopt(Outlines outlines);

    // Takes the regions to draw and traces those not traced yet.
    void prepare();
    void draw(MapPainter &painter, const StarMapPass &pass) const;
    // One region changed: its old outline is dropped and its new one traced. Returns
    // what the two drawings cover, names included.
    MapDirtyArea regionChanged(const Region *before, const Region *after);

private:
    static Outline traced(const Region &region, double hexRadius);
    const Outline &outlineOf(const Region &region);
    static MapDirtyArea areaOf(const Outline &outline);
    static QString nameOf(const Region &region);
    // Fills (when closed) and strokes the outline, as much of it as reaches the pass's
    // exposed rectangle when the pass culls.
    static void drawOutline(MapPainter &painter, const Outline &outline, const StarMapPass &pass);

    const StarMapVisibleSets &m_sets;
    QList<Region> m_regions; // the regions drawn, in order
    Outlines m_outlines;
    bool m_awaiting = false; // outlines are being traced elsewhere
};
