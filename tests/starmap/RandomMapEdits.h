#pragma once

#include "StarMapTestSupport.h"
#include "model/HexLayout.h"
#include "universe/TestMapObjects.h"

#include <QList>
#include <QSet>
#include <QString>

#include <functional>
#include <random>
#include <string>
#include <tuple>
#include <utility>

namespace StarMapTest {

// Random edits of a universe, every kind the map listens to, made through every path
// that changes the document: systems one at a time, together, copied under an id in
// use, given a new id, and the outermost system of the map removed or moved in or out;
// factions (a selected one deleted and brought back), rutters, regions, nebulae and
// labels one at a time, appended together and as whole lists; label categories beyond
// ASCII hidden and shown; the layer and awareness toggles, the view mode and the
// faction filter. Systems, routes, anchors, clouds and labels stand on the places
// given, so that a test decides which edges they meet.
class RandomMapEdits
{
public:
    RandomMapEdits(StarfarerUniverse &universe, unsigned seed, QList<GalacticCoordinates> places)
        : m_universe(universe), m_random(seed), m_places(std::move(places)), m_routePlaces(m_places)
    {
        for (int i = 0; i < 4; ++i)
            m_factionIDs.append(QUuid::createUuid());
    }

    // Route ends only on these places (the outermost system then stays where it is).
    void setRoutePlaces(QList<GalacticCoordinates> places)
    {
        m_routePlaces = std::move(places);
        m_moveOutermost = false;
    }

    // A document to start from: every faction, a system on each place, routes between
    // them and one object of each other kind.
    void populate()
    {
        QList<Faction> factions;
        for (const QUuid &id : std::as_const(m_factionIDs))
            factions.append(someFaction(id));
        m_universe.setFactions(factions);
        QList<HexData> data;
        for (const GalacticCoordinates &place : std::as_const(m_places)) {
            HexData made = someSystem();
            made.coordinates = place;
            data.append(made);
        }
        m_universe.setData(data);
        QList<Rutter> rutters;
        for (int i = 0; i < 6; ++i)
            rutters.append(someRutter());
        m_universe.setRutters(rutters);
        m_universe.setRegions({someRegion()});
        m_universe.setNebulae({someNebula()});
        m_universe.setStarmapLabels({someLabel(), someLabel()});
    }

    std::mt19937 &random() { return m_random; }
    qsizetype below(qsizetype count) { return qsizetype(m_random() % std::max<qsizetype>(count, 1)); }
    bool chance(int outOf) { return m_random() % outOf == 0; }
    template <typename List> auto pick(const List &list) { return list[below(list.size())]; }
    GalacticCoordinates somePlace() { return pick(m_places); }

    // Makes one random edit and names it.
    std::string step()
    {
        // {name, weight, edit}; a whole list is set now and then only.
        const std::array<std::tuple<const char *, int, std::function<void()>>, 13> kinds{{
            {"system inserted", 2, [this] { m_universe.insertHex(someSystem()); }},
            {"systems inserted together", 1, [this] { insertSystemsTogether(); }},
            {"system reused", 1, [this] { reuseSystem(); }},
            {"system edited", 3, [this] { editSystem(); }},
            {"system removed", 3, [this] { removeSystem(); }},
            {"outermost system", 2, [this] { outermostSystem(); }},
            {"faction", 2, [this] { editFaction(); }},
            {"rutter", 4, [this] { editRutter(); }},
            {"region", 1, [this] { editRegion(); }},
            {"nebula", 1, [this] { editNebula(); }},
            {"label", 2, [this] { editLabel(); }},
            {"settings", 2, [this] { editSettings(); }},
            {"whole lists", 1, [this] { setWholeLists(); }},
        }};
        const std::size_t count = chance(6) ? kinds.size() : kinds.size() - 1;
        int total = 0;
        for (std::size_t i = 0; i < count; ++i)
            total += std::get<1>(kinds[i]);
        int drawn = int(below(total));
        for (std::size_t i = 0;; ++i) {
            drawn -= std::get<1>(kinds[i]);
            if (drawn < 0) {
                std::get<2>(kinds[i])();
                return std::get<0>(kinds[i]);
            }
        }
    }

    // One random edit of step()'s kinds or of those the screens and the map's controls
    // show besides: faction lists, a faction's short name and category, factions
    // appended together, the rules' flavour turned by the first system, a system's notes,
    // worlds and tags, a route's end moved, and whole lists set more often. After
    // beginEmptying(), each call removes one system or object of a kind that still holds
    // some, the last of each kind too, until the universe is empty: the edits that follow
    // then bring the first of each kind. Names the edit.
    std::string anyStep()
    {
        if (m_emptying && removeOne())
            return "one removed while emptying";
        m_emptying = false;
        switch (below(15)) {
        case 0: editObjects<FactionList>([this] { return someFactionList(); }); return "faction list";
        case 1: codeFaction(); return "faction coded";
        case 2: appendFactions(); return "factions appended together";
        case 3: turnRules(); return "rules turned";
        case 4:
        case 5:
        case 6: describeSystem(); return "system described";
        case 7: moveRutterEnd(); return "rutter end moved";
        case 8:
        case 9:
            if (chance(7))
                m_universe.setFactionLists({someFactionList()});
            else
                setWholeLists();
            return "whole list";
        default: return step();
        }
    }

    // From now on anyStep() empties the universe, one system or object at a time.
    void beginEmptying() { m_emptying = true; }

    // The system farthest out on one side goes, or moves one hex further out or in;
    // among the systems `among` names when it names any (those shown, say).
    void outermostSystem(const QList<HexData> &among = {})
    {
        const QList<HexData> candidates = among.isEmpty() ? m_universe.data().toList() : among;
        if (candidates.isEmpty() || !m_moveOutermost)
            return;
        const qsizetype side = below(4);
        const auto key = [side](const HexData &h) {
            const qint64 col = HexLayout::galacticColumn(h.coordinates);
            const qint64 row = HexLayout::galacticRow(h.coordinates);
            return std::array<qint64, 4>{-col, col, -row, row}[std::size_t(side)];
        };
        const HexData outermost =
            *std::max_element(candidates.cbegin(), candidates.cend(),
                              [&](const auto &a, const auto &b) { return key(a) < key(b); });
        if (chance(3)) {
            m_removed.append(outermost);
            m_universe.removeHex(outermost.id);
            return;
        }
        const qint64 out = chance(2) ? 1 : -1;
        qint64 col = HexLayout::galacticColumn(outermost.coordinates);
        qint64 row = HexLayout::galacticRow(outermost.coordinates);
        if (side < 2)
            col += side == 0 ? -out : out;
        else
            row += side == 2 ? -out : out;
        HexData moved = outermost;
        moved.coordinates = HexLayout::coordinates(col, row);
        m_universe.replaceHex(moved);
    }

    // Names beyond ASCII, an empty one and one long enough to cross tiles.
    QString someName()
    {
        static const QStringList names{QString(), QStringLiteral("Regina"), QStringLiteral("Ærø ✦ Śląsk"),
                                       QStringLiteral("Ωmega 🜂"),
                                       QStringLiteral("A name long enough to cross the edges of tiles")};
        return pick(names);
    }

private:
    HexData someSystem()
    {
        HexData made =
            hex(somePlace(), !chance(4), chance(3), chance(3), static_cast<SpectralType>(below(7)));
        made.starSystem.name = someName();
        made.starSystem.surveyed = chance(2);
        made.starSystem.gasGiant = below(3);
        if (chance(2))
            made.starSystem.stars[0].worlds[0].factionIDs = {pick(m_factionIDs)};
        made.starSystem.stars[0].worlds[0].uwp.population = below(12);
        return made;
    }

    void insertSystemsTogether()
    {
        QList<HexData> batch;
        for (qsizetype n = below(4); n > 0; --n)
            batch.append(someSystem());
        m_universe.insertHexes(batch);
    }

    // A removed system comes back under its id, or a stored one is copied with its id.
    void reuseSystem()
    {
        const HexList &data = m_universe.data();
        if (!m_removed.isEmpty() && chance(2)) {
            HexData back = m_removed.takeAt(below(m_removed.size()));
            if (chance(2))
                back.coordinates = somePlace();
            m_universe.insertHex(back);
        } else if (!data.isEmpty()) {
            HexData copy = pick(data);
            if (chance(2))
                copy.coordinates = somePlace();
            m_universe.insertHex(copy);
        }
    }

    void editSystem()
    {
        const HexList &data = m_universe.data();
        if (data.isEmpty())
            return;
        const HexData stored = pick(data);
        HexData edited = stored;
        switch (below(6)) {
        case 0: edited.coordinates = somePlace(); break;
        case 1:
            edited.starSystem.starfarers = chance(2);
            edited.starSystem.sathar = chance(2);
            edited.starSystem.other = chance(2);
            break;
        case 2: edited.starSystem.name = someName(); break;
        case 3:
            edited.starSystem.stars[0].worlds[0].factionIDs =
                chance(3) ? QList<QUuid>{} : QList<QUuid>{pick(m_factionIDs)};
            break;
        case 4:
            edited.starSystem.stars[0].spectralType = static_cast<SpectralType>(below(7));
            edited.starSystem.surveyed = !edited.starSystem.surveyed;
            break;
        default:
            // The editor stores the system under a new id, in the old one's place.
            edited.id = QUuid::createUuid();
            edited.coordinates = chance(2) ? somePlace() : edited.coordinates;
            m_universe.replaceHex(stored.id, edited);
            return;
        }
        m_universe.replaceHex(stored.id, edited);
    }

    void removeSystem()
    {
        const HexList &data = m_universe.data();
        if (data.isEmpty())
            return;
        const HexData gone = pick(data);
        m_removed.append(gone);
        m_universe.removeHex(gone.id);
    }

    Faction someFaction(const QUuid &id)
    {
        Faction made;
        made.id = id;
        made.name = someName();
        made.homeworld = somePlace();
        made.color =
            pick(QList{FactionColor::red, FactionColor::blue, FactionColor::green, FactionColor::grey});
        return made;
    }

    void editFaction()
    {
        const QUuid id = pick(m_factionIDs);
        if (chance(3))
            m_universe.removeObject<Faction>(id);
        else if (!m_universe.replaceObject(someFaction(id)))
            m_universe.insertObject(someFaction(id));
    }

    Rutter someRutter()
    {
        static const QList<RutterAge> ages{RutterAge::uncharted, RutterAge::recent, RutterAge::fivePlus};
        return test_records::rutter(chance(8) ? QUuid::createUuid() : pick(m_factionIDs), pick(m_routePlaces),
                                    pick(m_routePlaces), pick(ages), chance(2));
    }

    void editRutter()
    {
        editObjects<Rutter>([this] { return someRutter(); }, 2);
    }

public:
    // A region, open or closed, of up to four anchors on the places given.
    Region someRegion()
    {
        Region made;
        made.id = QUuid::createUuid();
        made.name = someName();
        made.color = chance(2) ? FactionColor::green : FactionColor::orange;
        made.closed = chance(2);
        for (qsizetype n = below(4) + 1; n > 0; --n)
            made.anchors.append({somePlace(), below(6)});
        if (chance(3))
            made.labelCoordinates = somePlace();
        return made;
    }

    // A cloud of up to three hexes on the places given.
    Nebula someNebula()
    {
        Nebula made{QUuid::createUuid(), someName(), static_cast<NebulaType>(below(5)), {}};
        for (qsizetype n = below(3) + 1; n > 0; --n)
            made.hexes.append(somePlace());
        return made;
    }

    // A label of any size and angle on one of the places, its text sometimes empty.
    StarmapLabel someLabel()
    {
        static const QStringList categories{QString(),
                                            QStringLiteral("Trade"),
                                            QStringLiteral("ærø"),
                                            QStringLiteral("Ærø"),
                                            QStringLiteral("Łódź"),
                                            QStringLiteral("🜂")};
        StarmapLabel made;
        made.id = QUuid::createUuid();
        made.text = chance(6) ? QString() : someName();
        made.size = 10 + double(below(30));
        made.angle = double(below(7)) - 3;
        made.color = chance(2) ? FactionColor::white : FactionColor::yellow;
        made.position = somePlace();
        made.category = pick(categories);
        return made;
    }

private:
    // Objects of kind T appended together, one replaced, one removed, or one inserted
    // (`inserts` times as often as each of the others).
    template <typename T> void editObjects(const std::function<T()> &make, int inserts = 1)
    {
        const QList<T> &list = m_universe.objects<T>();
        switch (below(3 + inserts)) {
        case 0: {
            QList<T> batch;
            for (qsizetype n = below(4) + 1; n > 0; --n)
                batch.append(make());
            m_universe.insertObjects(batch);
            break;
        }
        case 1:
            if (!list.isEmpty()) {
                T edited = make();
                edited.id = pick(list).id;
                m_universe.replaceObject(edited);
            }
            break;
        case 2:
            if (!list.isEmpty())
                m_universe.removeObject<T>(pick(list).id);
            break;
        default: m_universe.insertObject(make());
        }
    }

    void editRegion()
    {
        editObjects<Region>([this] { return someRegion(); });
    }
    void editNebula()
    {
        editObjects<Nebula>([this] { return someNebula(); });
    }
    void editLabel()
    {
        editObjects<StarmapLabel>([this] { return someLabel(); });
    }

    void editSettings()
    {
        StarfarerUniverse &u = m_universe;
        switch (below(6)) {
        case 0: {
            QSet<QString> hidden;
            for (const QString &category : {QStringLiteral("ærø"), QStringLiteral("🜂"), QString()}) {
                if (chance(3))
                    hidden.insert(category);
            }
            u.setHiddenLabelCategories(hidden);
            break;
        }
        case 1:
            u.setMapViewMode(u.mapViewMode() == MapViewMode::player ? MapViewMode::referee
                                                                    : MapViewMode::player);
            break;
        case 2: {
            // As often no filter as some.
            QSet<QUuid> selected;
            for (const QUuid &id : std::as_const(m_factionIDs)) {
                if (!chance(2) && chance(3))
                    selected.insert(id);
            }
            u.setSelectedFactionIDs(selected);
            break;
        }
        case 3:
            switchSome({&StarfarerUniverse::setMapShowStarfarers, &StarfarerUniverse::setMapShowSathar,
                        &StarfarerUniverse::setMapShowOther});
            break;
        default:
            switchSome({&StarfarerUniverse::setMapShowRutters, &StarfarerUniverse::setMapShowNebulae,
                        &StarfarerUniverse::setMapShowRegions, &StarfarerUniverse::setMapShowLabels,
                        &StarfarerUniverse::setMapShowSurveyedData});
        }
    }

    // One of these toggles (awareness groups or layers) switched off or on, or every
    // one of them on again.
    void switchSome(const QList<void (StarfarerUniverse::*)(bool)> &toggles)
    {
        const bool all = chance(2);
        const qsizetype one = below(toggles.size());
        for (qsizetype i = 0; i < toggles.size(); ++i) {
            if (all || i == one)
                (m_universe.*toggles[i])(all || chance(2));
        }
    }

    // Some factions, or as often those the map's filter shows, as the user keeps them.
    FactionList someFactionList()
    {
        FactionList made{QUuid::createUuid(), someName(), {}};
        const bool chosen = chance(2);
        for (const QUuid &id : std::as_const(m_factionIDs)) {
            if (chosen ? m_universe.selectedFactionIDs().contains(id) : chance(2))
                made.factionIDs.append(id);
        }
        return made;
    }

    // A faction's short name and category, which the sidebar, the menus and the chips
    // show.
    void codeFaction()
    {
        if (m_universe.factions().isEmpty())
            return;
        Faction coded = pick(m_universe.factions());
        coded.shortName = pick(QStringList{QString(), QStringLiteral("AB"), QStringLiteral("Ærø")});
        coded.category = pick(allCases<FactionCategory>());
        m_universe.replaceObject(coded);
    }

    // The factions not stored, appended together as an import appends them.
    void appendFactions()
    {
        QList<Faction> batch;
        for (const QUuid &id : std::as_const(m_factionIDs)) {
            if (!m_universe.object<Faction>(id) && chance(2))
                batch.append(someFaction(id));
        }
        m_universe.insertObjects(batch);
    }

    // The first system's main world takes the other scale of tech levels, and with it
    // the universe the other rules' words.
    void turnRules()
    {
        if (m_universe.data().isEmpty() || m_universe.data().first().starSystem.stars.isEmpty())
            return;
        HexData first = m_universe.data().first();
        Star &star = first.starSystem.stars[0];
        if (star.worlds.isEmpty())
            return;
        star.worlds[0].uwp.techLevel =
            m_universe.usesTravellerRules() ? TechnologyLevel::tl4 : TechnologyLevel::ttl12;
        m_universe.replaceHex(first);
    }

    // One of what only the system list and the card show: the notes, a world's name,
    // notes, profile or tags, another named world.
    void describeSystem()
    {
        if (m_universe.data().isEmpty())
            return;
        HexData described = pick(m_universe.data());
        if (described.starSystem.stars.isEmpty() || described.starSystem.stars[0].worlds.isEmpty())
            return;
        QList<WorldData> &worlds = described.starSystem.stars[0].worlds;
        WorldData &world = chance(3) ? worlds.first() : worlds.last();
        switch (below(6)) {
        case 0: described.notes = someName(); break;
        case 1: world.name = moonName(); break;
        case 2: world.notes = someName(); break;
        case 3: world.uwp.population = below(12); break;
        case 4:
            world.worldTags = chance(3)
                                  ? QList<WorldTag>{}
                                  : QList<WorldTag>{pick(QList{WorldTag::amberZone, WorldTag::alienRuins,
                                                               WorldTag::abandonedColony})};
            break;
        default:
            if (worlds.size() > 1)
                worlds.removeLast();
            else
                worlds.append(test_records::aWorld().named(moonName()));
        }
        m_universe.replaceHex(described);
    }

    // A name the system list shows beside the main world's.
    QString moonName() { return QStringLiteral("Moon ") + someName(); }

    // One end of a route moved, the rest of it as it was.
    void moveRutterEnd()
    {
        if (m_universe.rutters().isEmpty())
            return;
        Rutter moved = pick(m_universe.rutters());
        (chance(2) ? moved.start : moved.end) = pick(m_routePlaces);
        m_universe.replaceObject(moved);
    }

    // Removes one system or object of a kind that still holds some; false when the
    // universe holds none.
    bool removeOne()
    {
        QList<std::function<void()>> removals;
        if (!m_universe.data().isEmpty())
            removals.append([this] { removeSystem(); });
        addRemoval<Faction>(removals);
        addRemoval<FactionList>(removals);
        addRemoval<Rutter>(removals);
        addRemoval<Region>(removals);
        addRemoval<Nebula>(removals);
        addRemoval<StarmapLabel>(removals);
        if (removals.isEmpty())
            return false;
        pick(removals)();
        return true;
    }

    template <typename T> void addRemoval(QList<std::function<void()>> &removals)
    {
        if (!m_universe.objects<T>().isEmpty())
            removals.append([this] { m_universe.removeObject<T>(pick(m_universe.objects<T>()).id); });
    }

    // A whole list set at once, as a load or an undo of an import does.
    void setWholeLists()
    {
        StarfarerUniverse &u = m_universe;
        switch (below(6)) {
        case 0: {
            QList<HexData> data = u.data().toList();
            std::shuffle(data.begin(), data.end(), m_random);
            data.resize(below(data.size() + 1));
            data.append(someSystem());
            u.setData(data);
            break;
        }
        case 1: {
            QList<Faction> factions;
            for (const QUuid &id : std::as_const(m_factionIDs)) {
                if (!chance(3))
                    factions.append(someFaction(id));
            }
            u.setFactions(factions);
            break;
        }
        case 2: u.setRutters({someRutter(), someRutter()}); break;
        case 3: u.setRegions({someRegion()}); break;
        case 4: u.setNebulae({someNebula()}); break;
        default: u.setStarmapLabels({someLabel(), someLabel()});
        }
    }

    StarfarerUniverse &m_universe;
    std::mt19937 m_random;
    QList<GalacticCoordinates> m_places;
    QList<GalacticCoordinates> m_routePlaces;
    bool m_moveOutermost = true;
    bool m_emptying = false;
    QList<QUuid> m_factionIDs; // some stored, some deleted, all of them selectable
    QList<HexData> m_removed;  // systems removed, to come back under their id
};

} // namespace StarMapTest
