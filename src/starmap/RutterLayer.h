#pragma once

#include "MapDirtyArea.h"
#include "universe/Faction.h"
#include "universe/Rutter.h"

#include <QColor>
#include <QHash>
#include <QList>
#include <QMap>
#include <QPointF>
#include <QRectF>
#include <QSet>

#include "universe/HexList.h"

#include <utility>

class MapPainter;
class StarMapVisibleSets;
struct StarMapPass;

// The unordered pair of end hexes of a route segment: `a` is the end that comes first
// by galactic column, then row, so a route and its reverse share one key.
struct RouteKey
{
    GalacticCoordinates a;
    GalacticCoordinates b;

    static RouteKey of(const Rutter &rutter);
    friend bool operator==(const RouteKey &, const RouteKey &) = default;
};

inline size_t qHash(const RouteKey &key, size_t seed = 0) noexcept
{
    return qHashMulti(seed, key.a.sectorX, key.a.sectorY, key.a.column, key.a.row, key.b.sectorX,
                      key.b.sectorY, key.b.column, key.b.row);
}

// The trade routes on the map: the visible rutters grouped by their pair of hexes,
// each group drawn as one stroke, two side-by-side strokes or one summary stroke
// between the hex centres, with a capsule giving the length in hexes when zoomed in.
// The groups are kept between frames and a frame only maps them to the screen; a
// change of one rutter, one faction or the systems at one hex regroups or marks only
// the routes it touches. A copy made after `prepare()` draws on any thread; the routes
// are kept by the sector of their first end, so that a change made while a copy is
// drawn copies one sector's routes, never all of them. The groups may also be made on
// a worker thread from plain values and handed over: until they come the layer draws
// none, and a change meanwhile groups every route again at once, since the groups
// coming lack it.
class RutterLayer
{
public:
    // One stroke of a segment, shifted `side` × 3 points across it.
    struct DrawnLine
    {
        QColor color;
        double width = 1.8;
        int side = 0;

        friend bool operator==(const DrawnLine &, const DrawnLine &) = default;
    };
    struct Strokes
    {
        QList<DrawnLine> lines;
        QColor labelOutline;
    };

    // One route on the map: the visible rutters sharing its pair of hexes.
    struct Segment
    {
        RouteKey key;
        QPointF from; // map points of the two hex centres
        QPointF to;
        qint64 hexes = 0;
        Strokes strokes;
        QList<Rutter> group;   // the visible rutters on this route, in the universe's order
        bool endsHeld = false; // both end hexes hold a system: only then is it drawn
    };
    // The routes whose first end lies in one sector, each with its place in the list.
    struct Chunk
    {
        QList<Segment> segments;
        QHash<RouteKey, qsizetype> placeOf;
    };
    // By the sector (galactic column ÷ 32, galactic row ÷ 40, rounded down) of the
    // routes' first ends.
    using Chunks = QMap<std::pair<qint64, qint64>, Chunk>;
    // What the routes are grouped from, read on the map's thread; any thread may
    // group them.
    struct Sources
    {
        QList<Rutter> rutters; // the visible ones, in the universe's order
        QHash<QUuid, FactionColor> colors;
        HexList data; // whether an end holds a system
        double hexRadius = 60;
    };
    // The routes grouped.
    struct Groups
    {
        Chunks chunks;
        QHash<QUuid, QSet<RouteKey>> routesOfFaction; // the routes drawing each faction's rutters
    };

    explicit RutterLayer(const StarMapVisibleSets &sets) : m_sets(sets) {}

    // The strokes of one group of rutters sharing a route key, given each faction's
    // palette entry; a rutter whose faction is unknown is grey.
    static Strokes drawnLinesByRoute(const QList<Rutter> &group,
                                     const QHash<QUuid, FactionColor> &factionColors);

    Sources sources() const;
    // Groups the rutters into routes; touches no layer, so any thread may run it.
    static Groups group(const Sources &sources);
    // The groups will be handed over by adopt(): until then none are drawn.
    void awaitGroups();
    bool awaiting() const { return m_awaiting; }
    // Takes groups made from the sources as they were when awaitGroups() was called.
    // Returns what their strokes cover.
    MapDirtyArea adopt(Groups groups);

    // Builds the groups again when they are out of date, unless they are awaited.
    void prepare();
    void draw(MapPainter &painter, const StarMapPass &pass) const;
    // The rutters or systems changed: the groups are built again at the next frame.
    void invalidate()
    {
        m_valid = false;
        m_awaiting = false;
    }
    // Systems came or went at these hexes. Returns what is to be drawn again beyond
    // the strokes ending there: every stroke, when the groups awaited lack the change.
    MapDirtyArea cellsChanged(const QList<GalacticCoordinates> &cells);
    // One rutter changed, or the colour of the rutters of one faction: their routes
    // are grouped again. Returns what the old and the new strokes cover.
    MapDirtyArea rutterChanged(const Rutter *before, const Rutter *after);
    // Rutters appended together: their routes are grouped again, in one pass.
    MapDirtyArea ruttersAppended(const QList<Rutter> &rutters);
    // A faction came, changed or went: only the routes drawing one of its rutters
    // take its colour again.
    MapDirtyArea factionChanged(const Faction *before, const Faction *after);
    // The screen area drawn by the segments ending at these hexes.
    QRectF reachOf(const QList<GalacticCoordinates> &cells, const StarMapPass &pass);
    // The routes kept that draw a rutter of the faction with this id.
    QSet<RouteKey> routesOfFaction(const QUuid &factionID) const
    {
        return m_routesOfFaction.value(factionID);
    }

private:
    // Groups every route again now; returns what the strokes cover.
    MapDirtyArea rebuild();
    QHash<QUuid, FactionColor> factionColors() const;
    static Segment segment(const QList<Rutter> &group, const QHash<QUuid, FactionColor> &colors,
                           double hexRadius);
    static Chunks::key_type chunkOf(const RouteKey &key);
    // Keeps `segment` in `chunks`, in place of the one with its key if there is one.
    static void place(Chunks &chunks, Segment segment);
    // The kept route of this key, or null; the first takes over its chunk's share of
    // a copy of the layer.
    Segment *keptSegment(const RouteKey &key);
    const Segment *segmentFor(const RouteKey &key) const;
    // Drops the kept route of this key.
    void drop(const RouteKey &key);
    // Calls `visit` with every kept route.
    template <typename Visit> void forEachSegment(Visit &&visit) const;
    // The keys of the kept routes ending at these hexes, each once.
    QSet<RouteKey> segmentsAt(const QList<GalacticCoordinates> &cells) const;
    // Whether both ends of the route hold a system, as the universe says now.
    bool endsHeld(const RouteKey &key) const;
    // Files the segment's route under the factions of its rutters, or takes it out.
    static void fileFactions(QHash<QUuid, QSet<RouteKey>> &routesOfFaction, const Segment &segment);
    void unfileFactions(const Segment &segment);
    // Groups the visible rutters of these routes again.
    MapDirtyArea regroup(const QSet<RouteKey> &keys);
    // Notes whether both ends of the kept route hold a system now, as the universe says
    // at the time; a route whose mark stays as it was is left untouched.
    void noteEnds(const RouteKey &key);
    static MapDirtyArea areaOf(const Segment &segment);
    // The ends of the drawn stroke on screen, shortened to stop at the hex edges.
    static std::pair<QPointF, QPointF> screenEnds(const Segment &segment, const StarMapPass &pass);

    const StarMapVisibleSets &m_sets;
    bool m_valid = false;
    bool m_awaiting = false; // the groups are being made elsewhere
    Chunks m_chunks;
    // The routes kept that draw a rutter of each faction, so that a faction's change
    // finds its routes without walking every segment.
    QHash<QUuid, QSet<RouteKey>> m_routesOfFaction;
};
