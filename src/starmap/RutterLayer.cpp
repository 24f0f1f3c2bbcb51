#include "RutterLayer.h"

#include "MapColors.h"
#include "MapPainter.h"
#include "MapText.h"
#include "OutlineClip.h"
#include "StarMapPass.h"
#include "StarMapVisibleSets.h"

#include "model/HexLayout.h"

#include <QFontMetricsF>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <map>

namespace {

constexpr double kMainWidth = 3.0;
constexpr double kWidth = 1.8;
constexpr double kSideStep = 3.0;
constexpr double kShortest = 14.0;
// How far a capsule or a shifted stroke reaches beyond the segment's ends.
constexpr double kCapsuleReach = 40.0;

std::pair<qint64, qint64> galacticPosition(const GalacticCoordinates &hex)
{
    return {HexLayout::galacticColumn(hex), HexLayout::galacticRow(hex)};
}

QString colorName(FactionColor color)
{
    return rawValue(color);
}

} // namespace

RouteKey RouteKey::of(const Rutter &rutter)
{
    if (galacticPosition(rutter.end) < galacticPosition(rutter.start))
        return {rutter.end, rutter.start};
    return {rutter.start, rutter.end};
}

RutterLayer::Strokes RutterLayer::drawnLinesByRoute(const QList<Rutter> &group,
                                                    const QHash<QUuid, FactionColor> &factionColors)
{
    if (group.isEmpty())
        return {};
    QList<FactionColor> colors;
    bool anyMain = false;
    for (const Rutter &rutter : group) {
        colors.append(factionColors.value(rutter.factionID, FactionColor::grey));
        anyMain = anyMain || rutter.mainTradeRoute;
    }
    if (std::all_of(colors.cbegin(), colors.cend(), [&](FactionColor c) { return c == colors.first(); })) {
        const QColor color = MapColors::palette(colors.first());
        return {{{color, anyMain ? kMainWidth : kWidth, 0}}, color};
    }
    if (group.size() == 2) {
        const bool swap = colorName(colors[1]) < colorName(colors[0]);
        Strokes strokes{{}, MapColors::brown()};
        for (const qsizetype i : {swap ? 1 : 0, swap ? 0 : 1}) {
            strokes.lines.append({MapColors::palette(colors[i]),
                                  group[i].mainTradeRoute ? kMainWidth : kWidth,
                                  strokes.lines.isEmpty() ? -1 : 1});
        }
        return strokes;
    }
    std::optional<FactionColor> main;
    for (qsizetype i = 0; i < group.size(); ++i) {
        if (group[i].mainTradeRoute && (!main || colorName(colors[i]) < colorName(*main)))
            main = colors[i];
    }
    if (!main)
        return {{{MapColors::brown(), kWidth, 0}}, MapColors::brown()};
    const QColor color = MapColors::palette(*main);
    return {{{color, kMainWidth, 0}}, color};
}

QHash<QUuid, FactionColor> RutterLayer::factionColors() const
{
    QHash<QUuid, FactionColor> colors;
    if (const StarfarerUniverse *universe = m_sets.universe()) {
        for (const Faction &faction : universe->factions())
            colors.insert(faction.id, faction.color);
    }
    return colors;
}

RutterLayer::Segment RutterLayer::segment(const QList<Rutter> &group,
                                          const QHash<QUuid, FactionColor> &colors, double hexRadius)
{
    const HexLayout layout(hexRadius);
    const RouteKey key = RouteKey::of(group.first());
    return {key,
            layout.center(key.a),
            layout.center(key.b),
            HexLayout::distance(key.a, key.b),
            drawnLinesByRoute(group, colors),
            group};
}

RutterLayer::Sources RutterLayer::sources() const
{
    const StarfarerUniverse *universe = m_sets.universe();
    if (!universe)
        return {{}, {}, {}, m_sets.hexRadius()};
    return {m_sets.visibleRutters(), factionColors(), universe->data(), m_sets.hexRadius()};
}

RutterLayer::Groups RutterLayer::group(const Sources &sources)
{
    // Groups keep the order in which their first rutter came; they are drawn sector by
    // sector, in that order within each.
    QHash<RouteKey, QList<Rutter>> groups;
    QList<RouteKey> keys;
    QSet<GalacticCoordinates> ends;
    for (const Rutter &rutter : sources.rutters) {
        const RouteKey key = RouteKey::of(rutter);
        auto found = groups.find(key);
        if (found == groups.end()) {
            found = groups.insert(key, {});
            keys.append(key);
            ends.insert(key.a);
            ends.insert(key.b);
        }
        found->append(rutter);
    }
    QSet<GalacticCoordinates> held;
    if (!ends.isEmpty()) {
        for (const HexData &hex : sources.data) {
            if (ends.contains(hex.coordinates))
                held.insert(hex.coordinates);
        }
    }
    Groups made;
    for (const RouteKey &key : std::as_const(keys)) {
        Segment grouped = segment(groups.value(key), sources.colors, sources.hexRadius);
        grouped.endsHeld = held.contains(key.a) && held.contains(key.b);
        fileFactions(made.routesOfFaction, grouped);
        place(made.chunks, std::move(grouped));
    }
    return made;
}

RutterLayer::Chunks::key_type RutterLayer::chunkOf(const RouteKey &key)
{
    return {GridExtent::floorDiv(HexLayout::galacticColumn(key.a), 32),
            GridExtent::floorDiv(HexLayout::galacticRow(key.a), 40)};
}

void RutterLayer::place(Chunks &chunks, Segment segment)
{
    Chunk &chunk = chunks[chunkOf(segment.key)];
    const auto kept = chunk.placeOf.constFind(segment.key);
    if (kept != chunk.placeOf.cend()) {
        chunk.segments[*kept] = std::move(segment);
    } else {
        chunk.placeOf.insert(segment.key, chunk.segments.size());
        chunk.segments.append(std::move(segment));
    }
}

const RutterLayer::Segment *RutterLayer::segmentFor(const RouteKey &key) const
{
    const auto chunk = m_chunks.constFind(chunkOf(key));
    if (chunk == m_chunks.cend())
        return nullptr;
    const auto kept = chunk->placeOf.constFind(key);
    return kept == chunk->placeOf.cend() ? nullptr : &chunk->segments.at(*kept);
}

RutterLayer::Segment *RutterLayer::keptSegment(const RouteKey &key)
{
    if (!segmentFor(key))
        return nullptr;
    Chunk &chunk = m_chunks[chunkOf(key)];
    return &chunk.segments[chunk.placeOf.value(key)];
}

void RutterLayer::drop(const RouteKey &key)
{
    const auto chunk = m_chunks.find(chunkOf(key));
    const auto kept = chunk->placeOf.find(key);
    const qsizetype place = *kept;
    chunk->placeOf.erase(kept);
    // The last segment of the chunk takes the place of the one that goes.
    QList<Segment> &segments = chunk->segments;
    if (place != segments.size() - 1) {
        segments[place] = std::move(segments.last());
        chunk->placeOf[segments[place].key] = place;
    }
    segments.removeLast();
    if (segments.isEmpty())
        m_chunks.erase(chunk);
}

template <typename Visit> void RutterLayer::forEachSegment(Visit &&visit) const
{
    for (const Chunk &chunk : m_chunks) {
        for (const Segment &segment : chunk.segments)
            visit(segment);
    }
}

void RutterLayer::awaitGroups()
{
    m_chunks.clear();
    m_routesOfFaction.clear();
    m_valid = false;
    m_awaiting = true;
}

MapDirtyArea RutterLayer::adopt(Groups groups)
{
    m_chunks = std::move(groups.chunks);
    m_routesOfFaction = std::move(groups.routesOfFaction);
    m_valid = true;
    m_awaiting = false;
    MapDirtyArea area;
    forEachSegment([&area](const Segment &segment) { area |= areaOf(segment); });
    return area;
}

MapDirtyArea RutterLayer::rebuild()
{
    // On this thread the universe's index tells which ends hold a system; only a
    // worker, which cannot ask it, walks the list of every system.
    Sources now = sources();
    now.data = {};
    const MapDirtyArea area = adopt(group(now));
    for (Chunk &chunk : m_chunks) {
        for (Segment &segment : chunk.segments)
            segment.endsHeld = endsHeld(segment.key);
    }
    return area;
}

void RutterLayer::fileFactions(QHash<QUuid, QSet<RouteKey>> &routesOfFaction, const Segment &segment)
{
    for (const Rutter &rutter : segment.group)
        routesOfFaction[rutter.factionID].insert(segment.key);
}

void RutterLayer::unfileFactions(const Segment &segment)
{
    for (const Rutter &rutter : segment.group) {
        const auto routes = m_routesOfFaction.find(rutter.factionID);
        if (routes == m_routesOfFaction.end())
            continue;
        routes->remove(segment.key);
        if (routes->isEmpty())
            m_routesOfFaction.erase(routes);
    }
}

MapDirtyArea RutterLayer::areaOf(const Segment &segment)
{
    return {QRectF(segment.from, segment.to).normalized(), kCapsuleReach};
}

MapDirtyArea RutterLayer::regroup(const QSet<RouteKey> &keys)
{
    if (m_awaiting)
        return rebuild(); // the groups awaited lack this change
    MapDirtyArea area;
    const StarfarerUniverse *universe = m_sets.universe();
    if (!m_valid || !universe || keys.isEmpty())
        return area; // nothing kept: the next frame groups everything
    const QHash<QUuid, FactionColor> colors = factionColors();
    for (const RouteKey &key : keys) {
        const Segment *kept = segmentFor(key);
        if (kept) {
            area |= areaOf(*kept);
            unfileFactions(*kept);
        }
        // Every rutter of the route ends at its first end.
        QList<Rutter> group = m_sets.visibleRuttersAt(key.a);
        group.removeIf([&key](const Rutter &rutter) { return !(RouteKey::of(rutter) == key); });
        if (!group.isEmpty()) {
            Segment made = segment(group, colors, m_sets.hexRadius());
            made.endsHeld = endsHeld(key);
            area |= areaOf(made);
            fileFactions(m_routesOfFaction, made);
            place(m_chunks, std::move(made));
        } else if (kept) {
            drop(key);
        }
    }
    return area;
}

MapDirtyArea RutterLayer::rutterChanged(const Rutter *before, const Rutter *after)
{
    QSet<RouteKey> keys;
    for (const Rutter *rutter : {before, after}) {
        if (rutter)
            keys.insert(RouteKey::of(*rutter));
    }
    return regroup(keys);
}

MapDirtyArea RutterLayer::ruttersAppended(const QList<Rutter> &rutters)
{
    QSet<RouteKey> keys;
    for (const Rutter &rutter : rutters)
        keys.insert(RouteKey::of(rutter));
    return regroup(keys);
}

MapDirtyArea RutterLayer::factionChanged(const Faction *before, const Faction *after)
{
    if (m_awaiting)
        return rebuild(); // the groups awaited lack this change
    MapDirtyArea area;
    if (!m_valid)
        return area; // nothing kept: the next frame groups everything
    QSet<RouteKey> keys;
    for (const Faction *faction : {before, after}) {
        if (faction)
            keys.unite(m_routesOfFaction.value(faction->id));
    }
    if (keys.isEmpty())
        return area;
    // A faction's change leaves the visible rutters as they were (a filter that
    // depends on it files everything again): only the strokes of its routes change.
    const QHash<QUuid, FactionColor> colors = factionColors();
    for (const RouteKey &key : std::as_const(keys)) {
        Segment *kept = keptSegment(key);
        if (!kept)
            continue;
        kept->strokes = drawnLinesByRoute(kept->group, colors);
        kept->endsHeld = endsHeld(key);
        area |= areaOf(*kept);
    }
    return area;
}

QSet<RouteKey> RutterLayer::segmentsAt(const QList<GalacticCoordinates> &cells) const
{
    // The universe's index names the rutters ending at each hex; a route is kept while
    // one of its rutters is visible, so its segment is found by the route's key.
    QSet<RouteKey> keys;
    const StarfarerUniverse *universe = m_sets.universe();
    if (!universe)
        return keys;
    const QList<Rutter> &rutters = universe->rutters();
    for (const GalacticCoordinates &cell : cells) {
        for (const qsizetype position : universe->positionsOfRuttersAt(cell)) {
            const RouteKey key = RouteKey::of(rutters[position]);
            if (segmentFor(key))
                keys.insert(key);
        }
    }
    return keys;
}

MapDirtyArea RutterLayer::cellsChanged(const QList<GalacticCoordinates> &cells)
{
    if (m_awaiting)
        return rebuild(); // the groups awaited lack this change
    if (!m_valid)
        return {};
    for (const RouteKey &key : segmentsAt(cells))
        noteEnds(key);
    return {};
}

bool RutterLayer::endsHeld(const RouteKey &key) const
{
    const StarfarerUniverse *universe = m_sets.universe();
    return universe && universe->isOccupied(key.a) && universe->isOccupied(key.b);
}

void RutterLayer::noteEnds(const RouteKey &key)
{
    const Segment *kept = segmentFor(key);
    const bool held = endsHeld(key);
    if (kept && kept->endsHeld != held)
        keptSegment(key)->endsHeld = held;
}

std::pair<QPointF, QPointF> RutterLayer::screenEnds(const Segment &segment, const StarMapPass &pass)
{
    const QPointF p = pass.transform.toScreen(segment.from);
    const QPointF q = pass.transform.toScreen(segment.to);
    const QPointF d = q - p;
    const double length = std::hypot(d.x(), d.y());
    if (length == 0)
        return {p, q};
    // The stroke stops at the middle of each end hex's edge, but is never too short to see.
    const double drawn = std::max(length - std::sqrt(3.0) * pass.screenHexRadius(), kShortest);
    const QPointF middle = (p + q) / 2;
    const QPointF half = d / length * (drawn / 2);
    return {middle - half, middle + half};
}

void RutterLayer::prepare()
{
    if (!m_valid && !m_awaiting)
        rebuild();
}

void RutterLayer::draw(MapPainter &painter, const StarMapPass &pass) const
{
    const QRectF exposed =
        pass.exposed.adjusted(-kCapsuleReach, -kCapsuleReach, kCapsuleReach, kCapsuleReach);
    // A segment's strokes and capsule lie within kCapsuleReach of its hex centres' box:
    // the segments whose box lies farther away are passed over at once.
    const QRectF near = pass.transform.toMap(exposed.adjusted(-1, -1, 1, 1));
    // Strokes are batched per pen; capsules go over every stroke.
    std::map<std::tuple<QRgb, double>, QList<QLineF>> strokes;
    QList<const Segment *> labelled;
    forEachSegment([&](const Segment &segment) {
        if (!OutlineClip::meets(segment.from, segment.to, near))
            return;
        if (segment.from == segment.to || !segment.endsHeld)
            return;
        const auto [from, to] = screenEnds(segment, pass);
        if (!QRectF(from, to).normalized().adjusted(-1, -1, 1, 1).intersects(exposed))
            return;
        const QPointF d = to - from;
        const double length = std::hypot(d.x(), d.y());
        const QPointF normal(-d.y() / length * kSideStep, d.x() / length * kSideStep);
        for (const DrawnLine &line : segment.strokes.lines)
            strokes[{line.color.rgba(), line.width}].append(
                QLineF(from + line.side * normal, to + line.side * normal));
        if (pass.detail12() && segment.hexes > 1)
            labelled.append(&segment);
    });
    for (const auto &[pen, lines] : strokes) {
        painter.setPen(
            QPen(QColor::fromRgba(std::get<0>(pen)), std::get<1>(pen), Qt::SolidLine, Qt::FlatCap));
        painter.drawLines(lines);
    }
    if (labelled.isEmpty())
        return;
    QFont font = MapText::system(10, painter.device());
    font.setWeight(QFont::DemiBold);
    const QFontMetricsF metrics(font, painter.device());
    painter.setFont(font);
    for (const Segment *segment : std::as_const(labelled)) {
        const QPointF middle =
            (pass.transform.toScreen(segment->from) + pass.transform.toScreen(segment->to)) / 2;
        const QString text = QString::number(segment->hexes);
        const QSizeF size = metrics.boundingRect(QRectF(0, 0, 200, 200), 0, text).size();
        const QRectF capsule(middle.x() - size.width() / 2 - 3, middle.y() - size.height() / 2 - 3,
                             size.width() + 6, size.height() + 6);
        const double radius = capsule.height() / 2;
        painter.setPen(QPen(segment->strokes.labelOutline, 1));
        painter.setBrush(QColor::fromRgbF(0, 0, 0, 0.65f));
        painter.drawRoundedRect(capsule, radius, radius);
        painter.setPen(Qt::white);
        MapText::drawCentred(painter, middle, text);
    }
}

QRectF RutterLayer::reachOf(const QList<GalacticCoordinates> &cells, const StarMapPass &pass)
{
    prepare();
    QRectF area;
    for (const RouteKey &key : segmentsAt(cells)) {
        const auto [from, to] = screenEnds(*segmentFor(key), pass);
        area |= QRectF(from, to).normalized().adjusted(-kCapsuleReach, -kCapsuleReach, kCapsuleReach,
                                                       kCapsuleReach);
    }
    return area;
}
