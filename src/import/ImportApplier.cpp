#include "ImportApplier.h"

#include <QHash>
#include <QSet>

#include <set>

using namespace Qt::StringLiterals;
using namespace TravellerMapImporter;

namespace {

std::array<qint64, 4> fields(const GalacticCoordinates &hex)
{
    return {hex.sectorX, hex.sectorY, hex.column, hex.row};
}

// The ends of a route, smaller first, so that a route and its reverse are one key.
std::pair<std::array<qint64, 4>, std::array<qint64, 4>> routeKey(const GalacticCoordinates &start,
                                                                 const GalacticCoordinates &end)
{
    const auto a = fields(start);
    const auto b = fields(end);
    return a < b ? std::pair{a, b} : std::pair{b, a};
}

// A label's identity for de-duplication: its text at its position.
using LabelKey = std::pair<QString, GalacticCoordinates>;

} // namespace

ImportApplier::ImportApplier(StarfarerUniverse &universe, AllegianceTable allegiances, Options options)
    : m_universe(universe), m_resolver(universe, std::move(allegiances)), m_options(options)
{}

QString ImportApplier::countPiece(qsizetype count, QLatin1StringView noun)
{
    return QString::number(count) + u' ' + noun + (count == 1 ? QString() : u"s"_s);
}

QString ImportApplier::resultLine(const QStringList &pieces, int createdFactions)
{
    QString line = pieces.join(u", "_s);
    if (createdFactions >= 1)
        line += u"; created "_s + countPiece(createdFactions, "faction"_L1);
    return line + u'.';
}

QString ImportApplier::importWorlds(const QList<ImportedWorld> &worlds)
{
    // The worlds for free hexes go in as one batch at the end; the place of each is
    // remembered so that a second world for the same hex finds the first.
    QList<HexData> appended;
    QHash<GalacticCoordinates, qsizetype> appendedAt;
    qsizetype imported = 0;
    qsizetype skipped = 0;
    for (const ImportedWorld &world : worlds) {
        const std::optional<QUuid> faction = m_resolver.factionID(world.allegiance, world.coordinates);
        HexData hex = world.hexData;
        QList<Star> &stars = hex.starSystem.stars;
        if (faction && !stars.isEmpty() && !stars.first().worlds.isEmpty())
            stars.first().worlds.first().factionIDs = {*faction};

        const auto pending = appendedAt.constFind(world.coordinates);
        const std::optional<HexData> stored =
            pending == appendedAt.cend() ? m_universe.hexData(world.coordinates) : std::nullopt;
        if (pending != appendedAt.cend() || stored) {
            if (!m_options.overwriteExisting) {
                ++skipped;
                continue;
            }
            // The first hex at the place takes the world's place and id.
            if (stored)
                m_universe.replaceHex(stored->id, hex);
            else
                appended[*pending] = hex;
        } else {
            appendedAt.insert(world.coordinates, appended.size());
            appended.append(hex);
        }
        ++imported;
    }
    m_universe.insertHexes(appended);
    QString piece = countPiece(imported, "world"_L1);
    if (skipped >= 1)
        piece += u" ("_s + QString::number(skipped) + u" existing skipped)"_s;
    return piece;
}

QList<qsizetype> ImportApplier::newRoutes(const QList<Rutter> &stored, const QList<ImportedRoute> &routes)
{
    std::set<decltype(routeKey({}, {}))> present;
    for (const Rutter &rutter : stored)
        present.insert(routeKey(rutter.start, rutter.end));
    QList<qsizetype> added;
    for (qsizetype i = 0; i < routes.size(); ++i) {
        if (present.insert(routeKey(routes[i].start, routes[i].end)).second)
            added.append(i);
    }
    return added;
}

QString ImportApplier::importRoutes(const QList<ImportedRoute> &routes,
                                    const PlannedAdditions<Rutter> &planned)
{
    // Worked out again when the rutters changed while the import ran.
    const std::optional<QList<qsizetype>> ahead = planned.holdingFor(m_universe.rutters());
    QList<Rutter> added;
    for (const qsizetype i : ahead ? *ahead : newRoutes(m_universe.rutters(), routes)) {
        const ImportedRoute &route = routes[i];
        Rutter rutter;
        rutter.id = QUuid::createUuid();
        rutter.factionID = route.allegiance.isEmpty() ? m_resolver.tradeRoutesFactionID()
                                                      : *m_resolver.factionID(route.allegiance, route.start);
        rutter.start = route.start;
        rutter.end = route.end;
        rutter.mainTradeRoute = route.mainTradeRoute;
        rutter.age = RutterAge::lessThanOne;
        added.append(rutter);
    }
    m_universe.insertObjects(added);
    return countPiece(added.size(), "route"_L1);
}

QString ImportApplier::importBorders(const QList<ImportedRegion> &imported, const PlannedBorders &planned)
{
    // A name whose regions changed since the merges were planned (edited, added or
    // removed while the import ran) is merged here again, against the regions as they
    // are now, so that no such change is lost or undone.
    QHash<QString, bool> holds;
    for (const ImportedRegion &border : imported) {
        if (!holds.contains(border.name))
            holds.insert(border.name, planned.holdsFor(border.name, m_universe.regions()));
    }
    qsizetype count = 0;
    for (qsizetype i = 0; i < imported.size(); ++i) {
        const ImportedRegion &border = imported[i];
        const BorderMerge *ahead = holds.value(border.name) ? planned.merge(i) : nullptr;
        const BorderMerge merge = ahead ? *ahead : mergeBorder(m_universe.regions(), border);
        if (merge.outlines.isEmpty())
            continue;

        FactionColor color = factionColorFrom(border.colorHint);
        if (!border.allegiance.isEmpty()) {
            const GalacticCoordinates homeworld =
                border.labelCoordinates.value_or(border.anchors.first().hex);
            const std::optional<QUuid> faction = m_resolver.factionID(border.allegiance, homeworld);
            color = m_resolver.factionColor(*faction).value_or(color);
        }

        // The merged regions go, the others keep their order, and the new outlines
        // come last.
        const QList<qsizetype> merged = merge.replacedPositions(m_universe.regions(), border.name);
        for (auto position = merged.crbegin(); position != merged.crend(); ++position)
            m_universe.removeObjectAt<Region>(*position);
        QList<Region> outlines = merge.outlines;
        for (Region &outline : outlines)
            outline.color = color;
        m_universe.insertObjects(outlines);
        count += std::max<qsizetype>(0, outlines.size() - merged.size());
    }
    return countPiece(count, "region"_L1);
}

QList<qsizetype> ImportApplier::newLabels(const QList<StarmapLabel> &stored,
                                          const QList<StarmapLabel> &labels)
{
    QSet<LabelKey> present;
    present.reserve(stored.size() + labels.size());
    for (const StarmapLabel &label : stored)
        present.insert({label.text, label.position});
    QList<qsizetype> added;
    for (qsizetype i = 0; i < labels.size(); ++i) {
        const LabelKey key{labels[i].text, labels[i].position};
        if (!present.contains(key)) {
            present.insert(key);
            added.append(i);
        }
    }
    return added;
}

QString ImportApplier::importLabels(const QList<StarmapLabel> &labels,
                                    const PlannedAdditions<StarmapLabel> &planned)
{
    // Worked out again when the labels changed while the import ran.
    const std::optional<QList<qsizetype>> ahead = planned.holdingFor(m_universe.starmapLabels());
    QList<StarmapLabel> added;
    for (const qsizetype i : ahead ? *ahead : newLabels(m_universe.starmapLabels(), labels))
        added.append(labels[i]);
    m_universe.insertObjects(added);
    return countPiece(added.size(), "label"_L1);
}
