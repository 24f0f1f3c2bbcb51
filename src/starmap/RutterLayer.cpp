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
    Groups made;
    // Groups keep the order in which their first rutter came.
    QList<QList<Rutter>> groups;
    QSet<GalacticCoordinates> ends;
    for (const Rutter &rutter : sources.rutters) {
        const RouteKey key = RouteKey::of(rutter);
        auto found = made.segmentOf.constFind(key);
        if (found == made.segmentOf.cend()) {
            found = made.segmentOf.insert(key, groups.size());
            groups.emplaceBack();
            ends.insert(key.a);
            ends.insert(key.b);
        }
        groups[*found].append(rutter);
    }
    made.segments.reserve(groups.size());
    for (const QList<Rutter> &group : std::as_const(groups)) {
        made.segments.append(segment(group, sources.colors, sources.hexRadius));
        fileFactions(made.routesOfFaction, made.segments.last());
    }
    if (!ends.isEmpty()) {
        for (const HexData &hex : sources.data) {
            if (ends.contains(hex.coordinates))
                made.occupiedEnds.insert(hex.coordinates);
        }
    }
    return made;
}

void RutterLayer::awaitGroups()
{
    m_segments.clear();
    m_segmentOf.clear();
    m_occupiedEnds.clear();
    m_routesOfFaction.clear();
    m_valid = false;
    m_awaiting = true;
}

MapDirtyArea RutterLayer::adopt(Groups groups)
{
    m_segments = std::move(groups.segments);
    m_segmentOf = std::move(groups.segmentOf);
    m_occupiedEnds = std::move(groups.occupiedEnds);
    m_routesOfFaction = std::move(groups.routesOfFaction);
    m_valid = true;
    m_awaiting = false;
    MapDirtyArea area;
    for (const Segment &segment : std::as_const(m_segments))
        area |= areaOf(segment);
    return area;
}

MapDirtyArea RutterLayer::rebuild()
{
    // On this thread the universe's index tells which ends hold a system; only a
    // worker, which cannot ask it, walks the list of every system.
    Sources now = sources();
    now.data = {};
    const MapDirtyArea area = adopt(group(now));
    for (const Segment &segment : std::as_const(m_segments))
        noteEnds(segment.key);
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
    QHash<RouteKey, QList<Rutter>> groups;
    for (const Rutter &rutter : m_sets.visibleRutters()) {
        const RouteKey key = RouteKey::of(rutter);
        if (keys.contains(key))
            groups[key].append(rutter);
    }
    const QHash<QUuid, FactionColor> colors = factionColors();
    for (const RouteKey &key : keys) {
        const auto kept = m_segmentOf.constFind(key);
        if (kept != m_segmentOf.cend()) {
            area |= areaOf(m_segments[*kept]);
            unfileFactions(m_segments[*kept]);
        }
        const QList<Rutter> group = groups.value(key);
        if (!group.isEmpty()) {
            Segment made = segment(group, colors, m_sets.hexRadius());
            area |= areaOf(made);
            fileFactions(m_routesOfFaction, made);
            if (kept != m_segmentOf.cend()) {
                m_segments[*kept] = std::move(made);
            } else {
                m_segmentOf.insert(key, m_segments.size());
                m_segments.append(std::move(made));
            }
            noteEnds(key);
        } else if (kept != m_segmentOf.cend()) {
            // The last segment takes the place of the one that goes.
            const qsizetype place = *kept;
            m_segmentOf.erase(kept);
            if (place != m_segments.size() - 1) {
                m_segments[place] = std::move(m_segments.last());
                m_segmentOf[m_segments[place].key] = place;
            }
            m_segments.removeLast();
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
        const auto place = m_segmentOf.constFind(key);
        if (place == m_segmentOf.cend())
            continue;
        Segment &kept = m_segments[*place];
        kept.strokes = drawnLinesByRoute(kept.group, colors);
        area |= areaOf(kept);
        noteEnds(key);
    }
    return area;
}

QSet<qsizetype> RutterLayer::segmentsAt(const QList<GalacticCoordinates> &cells) const
{
    // The universe's index names the rutters ending at each hex; a route is kept while
    // one of its rutters is visible, so its segment is found by the route's key.
    QSet<qsizetype> places;
    const StarfarerUniverse *universe = m_sets.universe();
    if (!universe)
        return places;
    const QList<Rutter> &rutters = universe->rutters();
    for (const GalacticCoordinates &cell : cells) {
        for (const qsizetype position : universe->positionsOfRuttersAt(cell)) {
            const auto kept = m_segmentOf.constFind(RouteKey::of(rutters[position]));
            if (kept != m_segmentOf.cend())
                places.insert(*kept);
        }
    }
    return places;
}

MapDirtyArea RutterLayer::cellsChanged(const QList<GalacticCoordinates> &cells)
{
    if (m_awaiting)
        return rebuild(); // the groups awaited lack this change
    if (!m_valid)
        return {};
    for (const qsizetype place : segmentsAt(cells))
        noteEnds(m_segments[place].key);
    return {};
}

void RutterLayer::noteEnds(const RouteKey &key)
{
    const StarfarerUniverse *universe = m_sets.universe();
    for (const GalacticCoordinates &end : {key.a, key.b}) {
        if (universe && universe->isOccupied(end))
            m_occupiedEnds.insert(end);
        else
            m_occupiedEnds.remove(end);
    }
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
    for (const Segment &segment : std::as_const(m_segments)) {
        if (!OutlineClip::meets(segment.from, segment.to, near))
            continue;
        if (segment.from == segment.to || !m_occupiedEnds.contains(segment.key.a) ||
            !m_occupiedEnds.contains(segment.key.b))
            continue;
        const auto [from, to] = screenEnds(segment, pass);
        if (!QRectF(from, to).normalized().adjusted(-1, -1, 1, 1).intersects(exposed))
            continue;
        const QPointF d = to - from;
        const double length = std::hypot(d.x(), d.y());
        const QPointF normal(-d.y() / length * kSideStep, d.x() / length * kSideStep);
        for (const DrawnLine &line : segment.strokes.lines)
            strokes[{line.color.rgba(), line.width}].append(
                QLineF(from + line.side * normal, to + line.side * normal));
        if (pass.detail12() && segment.hexes > 1)
            labelled.append(&segment);
    }
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
    for (const qsizetype place : segmentsAt(cells)) {
        const auto [from, to] = screenEnds(m_segments[place], pass);
        area |= QRectF(from, to).normalized().adjusted(-kCapsuleReach, -kCapsuleReach, kCapsuleReach,
                                                       kCapsuleReach);
    }
    return area;
}
