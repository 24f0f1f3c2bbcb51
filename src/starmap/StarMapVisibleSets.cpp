#include "StarMapVisibleSets.h"

#include "model/HexLayout.h"
#include "universe/WorkerPools.h"

#include <QThreadPool>
#include <QtConcurrent/QtConcurrentMap>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>
#include <utility>
#include <vector>

StarMapVisibleSets::StarMapVisibleSets(const StarfarerUniverse *universe, double hexRadius, QObject *parent)
    : QObject(parent), m_universe(universe), m_hexRadius(hexRadius), m_systems(hexRadius)
{
    using U = StarfarerUniverse;
    for (auto changed : {&U::dataChanged, &U::mapViewModeChanged, &U::mapShowStarfarersChanged,
                         &U::mapShowSatharChanged, &U::mapShowOtherChanged, &U::selectedFactionIDsChanged})
        connect(universe, changed, this, &StarMapVisibleSets::rebuild);
    connect(universe, &U::mapShowRuttersChanged, this, [this] {
        rebuildRutters();
        emit reset();
    });
    for (auto changed : {&U::hiddenLabelCategoriesChanged, &U::mapShowLabelsChanged})
        connect(universe, changed, this, [this] {
            rebuildLabels();
            emit reset();
        });
    for (auto changed : {&U::mapShowNebulaeChanged, &U::mapShowRegionsChanged})
        connect(universe, changed, this, &StarMapVisibleSets::reset);
    UniverseChanges::onObjects<Faction>(universe, this, [this](const auto &c) { factionsChanged(c); });
    UniverseChanges::onObjects<Rutter>(
        universe, this, [this](const auto &c) { ruttersChanged(c); },
        [this](qsizetype first, qsizetype count) { appendedRutters(first, count); });
    UniverseChanges::onObjects<StarmapLabel>(
        universe, this, [this](const auto &c) { labelsChanged(c); },
        [this](qsizetype first, qsizetype count) { appendedLabels(first, count); });
    // Regions and nebulae are drawn as they are stored, while their layer is on.
    UniverseChanges::onObjects<Region>(universe, this, [this](const ObjectChange<Region> &change) {
        if (change.isWholeList())
            emit reset();
        else if (m_universe && m_universe->mapShowRegions())
            emit regionChanged(change);
    });
    UniverseChanges::onObjects<Nebula>(universe, this, [this](const ObjectChange<Nebula> &change) {
        if (change.isWholeList())
            emit reset();
        else if (m_universe && m_universe->mapShowNebulae())
            emit nebulaChanged(change);
    });
    connect(universe, &U::hexInserted, this, &StarMapVisibleSets::hexInserted);
    connect(universe, &U::hexReplaced, this, &StarMapVisibleSets::hexReplaced);
    connect(universe, &U::hexRemoved, this, &StarMapVisibleSets::hexRemoved);
    connect(universe, &U::hexesInserted, this, &StarMapVisibleSets::hexesInserted);
    if (universe)
        readRules();
    if (universe && universe->data().size() >= kBackgroundFillFrom) {
        fillInBackground();
        // The rutters that do not depend on the systems filed are known now.
        rebuildRutters();
    } else {
        adopt(fileAll(universe ? universe->data() : HexList(), m_rules, m_hexRadius));
    }
    rebuildLabels();
}

StarMapVisibleSets::~StarMapVisibleSets()
{
    freeOnWorker(std::move(m_systems), std::move(m_rutters), std::move(m_rutterPositions),
                 std::move(m_labels));
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

void StarMapVisibleSets::file(SystemIndex &systems, const Rules &rules, double hexRadius, const HexData &hex,
                              qint64 order)
{
    if (rules.accepts(hex))
        systems.insert(
            {order, hex, HexLayout(hexRadius).center(hex.coordinates), StarGlyph::of(hex.starSystem.stars)});
}

void StarMapVisibleSets::fileAt(qsizetype position)
{
    const HexIndex &index = m_universe->hexIndex();
    const HexData &hex = m_universe->data()[position];
    const qint64 slot = index.slotAt(position);
    // An id that an earlier hex carries already.
    if (index.slotOf(hex.id) != slot)
        m_sharedIDs.insert(hex.id);
    file(m_systems, m_rules, m_hexRadius, hex, slot);
}

SystemIndex StarMapVisibleSets::fileAll(const HexList &data, const Rules &rules, double hexRadius)
{
    SystemIndex systems(hexRadius);
    qint64 position = 0;
    for (const HexData &hex : data)
        file(systems, rules, hexRadius, hex, position++);
    return systems;
}

SystemIndex StarMapVisibleSets::fileAllInParts(const HexList &data, const Rules &rules, double hexRadius)
{
    // Each run files its hexes into an index of its own; the runs, which follow one
    // another in the list, are then appended in their order.
    const qsizetype count =
        std::max<qsizetype>(1, std::min<qsizetype>(partsPool()->maxThreadCount(), data.size()));
    const SystemIndex empty(hexRadius);
    std::vector<SystemIndex> runs(std::size_t(count), empty);
    QtConcurrent::blockingMap(partsPool(), runs, [&](SystemIndex &run) {
        const qsizetype part = qsizetype(&run - runs.data());
        const qsizetype end = data.size() * (part + 1) / count;
        for (qsizetype position = data.size() * part / count; position < end; ++position)
            file(run, rules, hexRadius, data[position], position);
    });
    SystemIndex systems = std::move(runs.front());
    for (std::size_t part = 1; part < runs.size(); ++part)
        systems.append(std::move(runs[part]));
    return systems;
}

void StarMapVisibleSets::readRules()
{
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
}

void StarMapVisibleSets::take(SystemIndex systems)
{
    // Filed by position, from the hexes as they stand now: a change while a worker
    // filed them would have filed them again, so the positions are the index's.
    if (m_universe) {
        const HexIndex &index = m_universe->hexIndex();
        systems.renumber([&index](qint64 position) { return index.slotAt(position); });
        m_renumberings = index.renumberings();
        m_sharedIDs = index.sharedIDs();
    }
    m_systems = std::move(systems);
}

void StarMapVisibleSets::adopt(SystemIndex systems)
{
    take(std::move(systems));
    rebuildRutters();
    emit reset();
}

void StarMapVisibleSets::fillInBackground()
{
    m_filling = new QFutureWatcher<SystemIndex>(this);
    connect(m_filling, &QFutureWatcherBase::finished, this, [this] {
        QFutureWatcher<SystemIndex> *watcher = std::exchange(m_filling, nullptr);
        watcher->deleteLater();
        m_endingFilling = true;
        adopt(watcher->future().takeResult());
        m_endingFilling = false;
    });
    // The worker is given its own share of the hexes and rules: the universe may
    // change, or go, while it runs.
    m_filling->setFuture(
        QtConcurrent::run(jobPool(), [data = m_universe->data(), rules = m_rules, hexRadius = m_hexRadius] {
            return fileAllInParts(data, rules, hexRadius);
        }));
}

void StarMapVisibleSets::dropFilling()
{
    if (!m_filling)
        return;
    m_filling->disconnect(this);
    std::exchange(m_filling, nullptr)->deleteLater();
}

bool StarMapVisibleSets::refiledWhileFilling()
{
    if (!filling())
        return false;
    rebuild();
    return true;
}

bool StarMapVisibleSets::refiledAfterRenumbering()
{
    if (!m_universe || m_universe->hexIndex().renumberings() == m_renumberings)
        return false;
    take(fileAll(m_universe->data(), m_rules, m_hexRadius));
    return true;
}

void StarMapVisibleSets::rebuild()
{
    // The filing under way knows nothing of the change that asks for this one.
    dropFilling();
    if (!m_universe)
        return;
    readRules();
    adopt(fileAll(m_universe->data(), m_rules, m_hexRadius));
}

void StarMapVisibleSets::rebuildRutters()
{
    m_rutters.clear();
    m_rutterPositions.clear();
    if (!m_universe || !m_universe->mapShowRutters())
        return;
    const QList<Rutter> &rutters = m_universe->rutters();
    for (qsizetype position = 0; position < rutters.size(); ++position) {
        if (showsRutter(rutters[position])) {
            m_rutters.append(rutters[position]);
            m_rutterPositions.append(position);
        }
    }
}

bool StarMapVisibleSets::showsRutter(const Rutter &rutter) const
{
    if (!m_universe || !m_universe->mapShowRutters() || rutter.age == RutterAge::uncharted)
        return false;
    const QSet<QUuid> &selected = m_universe->selectedFactionIDs();
    return m_rules.player ? rutter.mainTradeRoute && m_systems.at(rutter.start) && m_systems.at(rutter.end)
                          : selected.isEmpty() || selected.contains(rutter.factionID);
}

qsizetype StarMapVisibleSets::rutterPlace(qsizetype position) const
{
    return std::lower_bound(m_rutterPositions.cbegin(), m_rutterPositions.cend(), position) -
           m_rutterPositions.cbegin();
}

void StarMapVisibleSets::followRutter(const ObjectChange<Rutter> &change)
{
    const qsizetype position = change.position;
    const qsizetype place = rutterPlace(position);
    const bool listed = place < m_rutterPositions.size() && m_rutterPositions[place] == position;
    // An insert moves the rutters from its position on up by one, a removal those
    // after it down.
    const qsizetype moved = !change.before ? 1 : !change.after ? -1 : 0;
    if (listed && (moved < 0 || (moved == 0 && !showsRutter(*change.after)))) {
        m_rutters.removeAt(place);
        m_rutterPositions.removeAt(place);
    }
    for (qsizetype i = place; moved != 0 && i < m_rutterPositions.size(); ++i)
        m_rutterPositions[i] += moved;
    if (change.after && showsRutter(*change.after)) {
        if (listed && moved == 0) {
            m_rutters[place] = *change.after;
        } else {
            m_rutters.insert(place, *change.after);
            m_rutterPositions.insert(place, position);
        }
    }
}

QList<Rutter> StarMapVisibleSets::visibleRuttersAt(const GalacticCoordinates &hex) const
{
    QList<Rutter> found;
    if (!m_universe)
        return found;
    for (const qsizetype position : m_universe->positionsOfRuttersAt(hex)) {
        const qsizetype place = rutterPlace(position);
        if (place < m_rutterPositions.size() && m_rutterPositions[place] == position)
            found.append(m_rutters[place]);
    }
    return found;
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
    if (refiledWhileFilling())
        return;
    if (!m_universe)
        return;
    const auto &data = m_universe->data();
    const qsizetype position =
        !data.isEmpty() && data.back().id == id ? data.size() - 1 : m_universe->hexIndex().positionOf(id);
    if (position < 0)
        return;
    if (!refiledAfterRenumbering())
        fileAt(position);
    announceCells({coordinates});
}

void StarMapVisibleSets::hexesInserted(qsizetype first, qsizetype count)
{
    if (refiledWhileFilling())
        return;
    if (!m_universe)
        return;
    const auto &data = m_universe->data();
    const bool refiled = refiledAfterRenumbering();
    QList<GalacticCoordinates> cells;
    cells.reserve(count);
    for (qsizetype i = first; i < first + count && i < data.size(); ++i) {
        if (!refiled)
            fileAt(i);
        cells.append(data[i].coordinates);
    }
    announceCells(cells);
}

bool StarMapVisibleSets::filterDependsOn(const Faction *faction) const
{
    return faction && !m_rules.player && m_rules.selectedIDs.contains(faction->id);
}

bool StarMapVisibleSets::filterDependsOn(const Rutter *rutter) const
{
    return rutter && m_rules.factionFilter && !m_rules.player && rutter->age != RutterAge::uncharted &&
           m_rules.selectedIDs.contains(rutter->factionID);
}

void StarMapVisibleSets::factionsChanged(const ObjectChange<Faction> &change)
{
    // A selected faction's homeworld, or whether any selected faction exists at all,
    // decides which systems show.
    if (change.isWholeList() || filterDependsOn(change.before) || filterDependsOn(change.after)) {
        rebuild();
        return;
    }
    emit factionChanged(change);
}

bool StarMapVisibleSets::refiledFor(const QList<const Rutter *> &changed)
{
    // The ends of a selected faction's charted rutters show under the filter.
    if (std::any_of(changed.cbegin(), changed.cend(),
                    [this](const Rutter *rutter) { return filterDependsOn(rutter); })) {
        rebuild();
        return true;
    }
    return false;
}

void StarMapVisibleSets::ruttersChanged(const ObjectChange<Rutter> &change)
{
    if (change.isWholeList()) {
        rebuild();
    } else if (!refiledFor({change.before, change.after})) {
        followRutter(change);
        emit rutterChanged(change);
    }
}

void StarMapVisibleSets::appendedRutters(qsizetype first, qsizetype count)
{
    if (!m_universe)
        return;
    const QList<Rutter> added = m_universe->rutters().sliced(first, count);
    QList<const Rutter *> changed;
    for (const Rutter &rutter : added)
        changed.append(&rutter);
    if (refiledFor(changed))
        return;
    // Appended after every rutter listed.
    for (qsizetype i = 0; i < added.size(); ++i) {
        if (showsRutter(added[i])) {
            m_rutters.append(added[i]);
            m_rutterPositions.append(first + i);
        }
    }
    emit ruttersAppended(added);
}

void StarMapVisibleSets::appendedLabels(qsizetype first, qsizetype count)
{
    if (!m_universe)
        return;
    rebuildLabels();
    emit labelsAppended(m_universe->starmapLabels().sliced(first, count));
}

void StarMapVisibleSets::labelsChanged(const ObjectChange<StarmapLabel> &change)
{
    rebuildLabels();
    if (change.isWholeList())
        emit reset();
    else
        emit labelChanged(change);
}

void StarMapVisibleSets::hexReplaced(const QUuid &id, const GalacticCoordinates &oldCoordinates,
                                     const GalacticCoordinates &newCoordinates)
{
    if (refiledWhileFilling())
        return;
    const std::optional<HexData> hex = m_universe ? m_universe->hexWithID(id) : std::nullopt;
    if (!hex || m_sharedIDs.contains(id)) {
        rebuild();
        return;
    }
    if (!refiledAfterRenumbering()) {
        m_systems.remove(id, oldCoordinates);
        file(m_systems, m_rules, m_hexRadius, *hex, m_universe->hexIndex().slotOf(id));
    }
    announceCells({oldCoordinates, newCoordinates});
}

void StarMapVisibleSets::hexRemoved(const QUuid &id, const GalacticCoordinates &coordinates)
{
    if (refiledWhileFilling())
        return;
    if (m_sharedIDs.contains(id)) {
        rebuild();
        return;
    }
    if (!refiledAfterRenumbering())
        m_systems.remove(id, coordinates);
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
