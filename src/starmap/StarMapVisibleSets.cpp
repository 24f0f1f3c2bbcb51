#include "StarMapVisibleSets.h"

#include "model/HexLayout.h"

#include <algorithm>

StarMapVisibleSets::StarMapVisibleSets(const StarfarerUniverse *universe, double hexRadius, QObject *parent)
    : QObject(parent), m_universe(universe), m_hexRadius(hexRadius), m_systems(hexRadius)
{
    using U = StarfarerUniverse;
    for (auto changed :
         {&U::dataChanged, &U::mapViewModeChanged, &U::mapShowStarfarersChanged, &U::mapShowSatharChanged,
          &U::mapShowOtherChanged, &U::selectedFactionIDsChanged, &U::factionsChanged, &U::ruttersChanged})
        connect(universe, changed, this, &StarMapVisibleSets::rebuild);
    connect(universe, &U::mapShowRuttersChanged, this, [this] {
        rebuildRutters();
        emit reset();
    });
    for (auto changed :
         {&U::starmapLabelsChanged, &U::hiddenLabelCategoriesChanged, &U::mapShowLabelsChanged})
        connect(universe, changed, this, [this] {
            rebuildLabels();
            emit reset();
        });
    for (auto changed :
         {&U::nebulaeChanged, &U::regionsChanged, &U::mapShowNebulaeChanged, &U::mapShowRegionsChanged})
        connect(universe, changed, this, &StarMapVisibleSets::reset);
    connect(universe, &U::hexInserted, this, &StarMapVisibleSets::hexInserted);
    connect(universe, &U::hexReplaced, this, &StarMapVisibleSets::hexReplaced);
    connect(universe, &U::hexRemoved, this, &StarMapVisibleSets::hexRemoved);
    rebuild();
    rebuildLabels();
}

bool StarMapVisibleSets::Rules::accepts(const HexData &hex) const
{
    const StarSystem &system = hex.starSystem;
    if (player)
        return system.starfarers;
    if (!everyGroup &&
        !((starfarers && system.starfarers) || (sathar && system.sathar) || (other && system.other)))
        return false;
    if (!factionFilter || homeworlds.contains(hex.coordinates) || routeHexes.contains(hex.coordinates))
        return true;
    for (const Star &star : system.stars) {
        for (const WorldData &world : star.worlds) {
            for (const QUuid &id : world.factionIDs) {
                if (selectedIDs.contains(id))
                    return true;
            }
        }
    }
    return false;
}

void StarMapVisibleSets::file(const HexData &hex, qint64 order)
{
    if (m_rules.accepts(hex))
        m_systems.insert({order, hex, HexLayout(m_hexRadius).center(hex.coordinates),
                          StarGlyph::of(hex.starSystem.stars)});
}

void StarMapVisibleSets::rebuild()
{
    if (!m_universe)
        return;
    const StarfarerUniverse &u = *m_universe;
    Rules rules;
    rules.player = u.mapViewMode() == MapViewMode::player;
    rules.starfarers = u.mapShowStarfarers();
    rules.sathar = u.mapShowSathar();
    rules.other = u.mapShowOther();
    rules.everyGroup = rules.starfarers && rules.sathar && rules.other;
    rules.selectedIDs = u.selectedFactionIDs();
    const QList<Faction> selected = selectedFactions();
    rules.factionFilter = !selected.isEmpty();
    for (const Faction &faction : selected)
        rules.homeworlds.insert(faction.homeworld);
    if (rules.factionFilter)
        rules.routeHexes = factionRouteHexes(rules.selectedIDs);
    m_rules = std::move(rules);

    m_systems.clear();
    m_orders.clear();
    const HexList &data = u.data();
    m_orders.reserve(data.size());
    for (qsizetype i = 0; i < data.size(); ++i) {
        m_orders.insert(data[i].id, i);
        file(data[i], i);
    }
    m_nextOrder = data.size();
    rebuildRutters();
    emit reset();
}

void StarMapVisibleSets::rebuildRutters()
{
    m_rutters.clear();
    if (!m_universe || !m_universe->mapShowRutters())
        return;
    const QSet<QUuid> &selected = m_universe->selectedFactionIDs();
    for (const Rutter &rutter : m_universe->rutters()) {
        if (rutter.age == RutterAge::uncharted)
            continue;
        const bool shown =
            m_rules.player ? rutter.mainTradeRoute && m_systems.at(rutter.start) && m_systems.at(rutter.end)
                           : selected.isEmpty() || selected.contains(rutter.factionID);
        if (shown)
            m_rutters.append(rutter);
    }
}

void StarMapVisibleSets::rebuildLabels()
{
    m_labels.clear();
    if (!m_universe || !m_universe->mapShowLabels())
        return;
    const QSet<QString> &hidden = m_universe->hiddenLabelCategories();
    for (const StarmapLabel &label : m_universe->starmapLabels()) {
        if (!hidden.contains(label.category))
            m_labels.append(label);
    }
}

void StarMapVisibleSets::announceCells(const QList<GalacticCoordinates> &cells)
{
    if (m_rules.player && m_universe && m_universe->mapShowRutters()) {
        const QList<Rutter> before = m_rutters;
        rebuildRutters();
        if (m_rutters != before) {
            emit reset();
            return;
        }
    }
    emit cellsChanged(cells);
}

void StarMapVisibleSets::hexInserted(const QUuid &id, const GalacticCoordinates &coordinates)
{
    if (!m_universe)
        return;
    const HexList &data = m_universe->data();
    const std::optional<HexData> hex =
        !data.isEmpty() && data.last().id == id ? std::optional(data.last()) : m_universe->hexWithID(id);
    if (!hex)
        return;
    const qint64 order = m_nextOrder++;
    m_orders.insert(id, order);
    file(*hex, order);
    announceCells({coordinates});
}

void StarMapVisibleSets::hexReplaced(const QUuid &id, const GalacticCoordinates &oldCoordinates,
                                     const GalacticCoordinates &newCoordinates)
{
    const std::optional<HexData> hex = m_universe ? m_universe->hexWithID(id) : std::nullopt;
    const auto order = m_orders.constFind(id);
    if (!hex || order == m_orders.cend()) {
        rebuild();
        return;
    }
    m_systems.remove(id, oldCoordinates);
    file(*hex, *order);
    announceCells({oldCoordinates, newCoordinates});
}

void StarMapVisibleSets::hexRemoved(const QUuid &id, const GalacticCoordinates &coordinates)
{
    m_systems.remove(id, coordinates);
    m_orders.remove(id);
    announceCells({coordinates});
}

QList<HexData> StarMapVisibleSets::visibleHexes() const
{
    QList<HexData> hexes;
    for (const MapSystem *system : m_systems.all())
        hexes.append(system->hex);
    return hexes;
}

std::optional<HexData> StarMapVisibleSets::hexAt(const GalacticCoordinates &coordinates) const
{
    const MapSystem *system = m_systems.at(coordinates);
    return system ? std::optional(system->hex) : std::nullopt;
}

QList<Faction> StarMapVisibleSets::selectedFactions() const
{
    QList<Faction> selected;
    if (!m_universe)
        return selected;
    const QSet<QUuid> &ids = m_universe->selectedFactionIDs();
    for (const Faction &faction : m_universe->factions()) {
        if (ids.contains(faction.id))
            selected.append(faction);
    }
    return selected;
}

QSet<GalacticCoordinates> StarMapVisibleSets::factionRouteHexes(const QSet<QUuid> &factionIDs) const
{
    QSet<GalacticCoordinates> hexes;
    if (!m_universe)
        return hexes;
    for (const Rutter &rutter : m_universe->rutters()) {
        if (factionIDs.contains(rutter.factionID) && rutter.age != RutterAge::uncharted) {
            hexes.insert(rutter.start);
            hexes.insert(rutter.end);
        }
    }
    return hexes;
}

QList<Nebula> StarMapVisibleSets::visibleNebulae() const
{
    return m_universe && m_universe->mapShowNebulae() ? m_universe->nebulae() : QList<Nebula>();
}

QList<Region> StarMapVisibleSets::visibleRegions() const
{
    return m_universe && m_universe->mapShowRegions() ? m_universe->regions() : QList<Region>();
}

QStringList StarMapVisibleSets::labelCategories() const
{
    QStringList categories;
    if (!m_universe)
        return categories;
    QSet<QString> seen;
    for (const StarmapLabel &label : m_universe->starmapLabels()) {
        if (!seen.contains(label.category)) {
            seen.insert(label.category);
            categories.append(label.category);
        }
    }
    std::stable_sort(categories.begin(), categories.end(), [](const QString &a, const QString &b) {
        if (a.isEmpty() || b.isEmpty())
            return !a.isEmpty() && b.isEmpty();
        return QString::localeAwareCompare(a.toLower(), b.toLower()) < 0;
    });
    return categories;
}
