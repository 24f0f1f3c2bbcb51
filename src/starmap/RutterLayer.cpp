#include "RutterLayer.h"

#include "MapColors.h"
#include "MapText.h"
#include "StarMapPass.h"
#include "StarMapVisibleSets.h"

#include "model/HexLayout.h"

#include <QFontMetricsF>
#include <QPainter>
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

void RutterLayer::rebuild()
{
    m_segments.clear();
    m_occupiedEnds.clear();
    m_valid = true;
    const StarfarerUniverse *universe = m_sets.universe();
    if (!universe)
        return;
    QHash<QUuid, FactionColor> factionColors;
    for (const Faction &faction : universe->factions())
        factionColors.insert(faction.id, faction.color);

    // Groups keep the order in which their first rutter came.
    QHash<RouteKey, qsizetype> groupOf;
    QList<QList<Rutter>> groups;
    for (const Rutter &rutter : m_sets.visibleRutters()) {
        const RouteKey key = RouteKey::of(rutter);
        auto found = groupOf.constFind(key);
        if (found == groupOf.cend()) {
            found = groupOf.insert(key, groups.size());
            groups.emplaceBack();
        }
        groups[*found].append(rutter);
        m_occupiedEnds.insert(key.a);
        m_occupiedEnds.insert(key.b);
    }
    QSet<GalacticCoordinates> occupied;
    for (const HexData &hex : universe->data()) {
        if (m_occupiedEnds.contains(hex.coordinates))
            occupied.insert(hex.coordinates);
    }
    m_occupiedEnds = std::move(occupied);

    const HexLayout layout(m_sets.hexRadius());
    m_segments.reserve(groups.size());
    for (const QList<Rutter> &group : std::as_const(groups)) {
        const RouteKey key = RouteKey::of(group.first());
        m_segments.append({key, layout.center(key.a), layout.center(key.b), HexLayout::distance(key.a, key.b),
                           drawnLinesByRoute(group, factionColors)});
    }
}

void RutterLayer::cellsChanged(const QList<GalacticCoordinates> &cells)
{
    if (!m_valid)
        return;
    const StarfarerUniverse *universe = m_sets.universe();
    for (const GalacticCoordinates &cell : cells) {
        const bool end = std::any_of(m_segments.cbegin(), m_segments.cend(), [&](const Segment &segment) {
            return segment.key.a == cell || segment.key.b == cell;
        });
        if (!end)
            continue;
        if (universe && universe->isOccupied(cell))
            m_occupiedEnds.insert(cell);
        else
            m_occupiedEnds.remove(cell);
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
    if (!m_valid)
        rebuild();
}

void RutterLayer::draw(QPainter &painter, const StarMapPass &pass) const
{
    const QRectF exposed =
        pass.exposed.adjusted(-kCapsuleReach, -kCapsuleReach, kCapsuleReach, kCapsuleReach);
    // Strokes are batched per pen; capsules go over every stroke.
    std::map<std::tuple<QRgb, double>, QList<QLineF>> strokes;
    QList<const Segment *> labelled;
    for (const Segment &segment : std::as_const(m_segments)) {
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
    QFont font = MapText::system(10, painter);
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
    for (const Segment &segment : std::as_const(m_segments)) {
        if (cells.contains(segment.key.a) || cells.contains(segment.key.b)) {
            const auto [from, to] = screenEnds(segment, pass);
            area |= QRectF(from, to).normalized().adjusted(-kCapsuleReach, -kCapsuleReach, kCapsuleReach,
                                                           kCapsuleReach);
        }
    }
    return area;
}
