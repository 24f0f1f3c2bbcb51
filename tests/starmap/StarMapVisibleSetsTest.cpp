#include "starmap/StarMapVisibleSets.h"
#include "RandomMapEdits.h"
#include "RunningWaits.h"
#include "StarMapTestSupport.h"
#include "model/HexLayout.h"
#include "universe/TestMapObjects.h"
#include "universe/WorkerPools.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QThreadPool>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

using namespace StarMapTest;
using test_records::rutter;

namespace {

QList<GalacticCoordinates> cells(const StarMapVisibleSets &sets)
{
    QList<GalacticCoordinates> result;
    for (const HexData &hex : sets.visibleHexes())
        result.append(hex.coordinates);
    return result;
}

TEST(StarMapVisibleSetsTest, AwarenessTogglesAndPlayerView)
{
    const auto u = universe({hex(at(1, 1), true), hex(at(2, 1), false, true),
                             hex(at(3, 1), false, false, true), hex(at(4, 1), false, false, false)});
    StarMapVisibleSets sets(u.get(), 60);
    EXPECT_EQ(cells(sets), (QList{at(1, 1), at(2, 1), at(3, 1), at(4, 1)}));

    u->setMapShowStarfarers(false);
    u->setMapShowOther(false);
    EXPECT_EQ(cells(sets), QList{at(2, 1)});
    u->setMapShowSathar(false);
    EXPECT_TRUE(sets.systems().isEmpty());
    EXPECT_FALSE(sets.systems().extent().has_value());

    // The player sees what the Starfarers know, whatever the toggles and filters say.
    u->setMapViewMode(MapViewMode::player);
    u->setSelectedFactionIDs({QUuid::createUuid()});
    EXPECT_EQ(cells(sets), QList{at(1, 1)});
}

TEST(StarMapVisibleSetsTest, FactionFilterKeepsHomeworldsChartedRouteEndsAndMemberWorlds)
{
    Faction faction;
    faction.id = QUuid::createUuid();
    faction.homeworld = at(1, 1);
    HexData member = hex(at(5, 5));
    member.starSystem.stars[0].worlds[0].factionIDs = {faction.id};
    const auto u = universe({hex(at(1, 1)), hex(at(2, 2)), hex(at(3, 3)), hex(at(4, 4)), member});
    u->setFactions({faction});
    u->setRutters({rutter(faction.id, at(2, 2), at(9, 9), RutterAge::uncharted),
                   rutter(faction.id, at(3, 3), at(9, 9), RutterAge::recent)});
    StarMapVisibleSets sets(u.get(), 60);
    EXPECT_EQ(sets.visibleRutters().size(), 1); // the uncharted one is never drawn

    u->setSelectedFactionIDs({faction.id});
    EXPECT_EQ(cells(sets), (QList{at(1, 1), at(3, 3), at(5, 5)}));
    EXPECT_EQ(sets.visibleRutters().size(), 1);
    EXPECT_EQ(sets.factionRouteHexes({faction.id}), (QSet{at(3, 3), at(9, 9)}));

    // Only a deleted faction selected: no faction names it, so no filter applies to
    // the hexes, while the routes are still filtered by the id.
    u->setSelectedFactionIDs({QUuid::createUuid()});
    EXPECT_EQ(sets.visibleHexes().size(), 5);
    EXPECT_TRUE(sets.selectedFactions().isEmpty());
    EXPECT_TRUE(sets.visibleRutters().isEmpty());
}

TEST(StarMapVisibleSetsTest, PlayerRoutesAreMainRoutesBetweenVisibleSystems)
{
    const QUuid faction = QUuid::createUuid();
    const auto u = universe({hex(at(1, 1)), hex(at(2, 2)), hex(at(3, 3), false, true)});
    u->setRutters({rutter(faction, at(1, 1), at(2, 2), RutterAge::recent, true),
                   rutter(faction, at(1, 1), at(2, 2), RutterAge::recent, false),
                   rutter(faction, at(1, 1), at(3, 3), RutterAge::recent, true),
                   rutter(faction, at(1, 1), at(2, 2), RutterAge::uncharted, true)});
    u->setMapViewMode(MapViewMode::player);
    StarMapVisibleSets sets(u.get(), 60);
    ASSERT_EQ(sets.visibleRutters().size(), 1);
    EXPECT_EQ(sets.visibleRutters()[0].id, u->rutters()[0].id);
    // The route follows its end system out of the player's view.
    HexData second = u->data()[1];
    second.starSystem.starfarers = false;
    u->replaceHex(second);
    EXPECT_TRUE(sets.visibleRutters().isEmpty());
}

TEST(StarMapVisibleSetsTest, SingleHexChangesMatchARebuild)
{
    const auto u = universe({hex(at(1, 1)), hex(at(1, 1)), hex(at(8, 10)), hex(at(9, 11), false, true)});
    u->setMapShowSathar(false);
    StarMapVisibleSets sets(u.get(), 60);
    QList<QList<GalacticCoordinates>> told;
    QObject::connect(&sets, &StarMapVisibleSets::cellsChanged,
                     [&](const QList<GalacticCoordinates> &changed) { told.append(changed); });

    const QUuid firstAtOrigin = u->data()[0].id;
    EXPECT_EQ(sets.hexAt(at(1, 1))->id, firstAtOrigin);
    u->removeHex(firstAtOrigin);
    EXPECT_EQ(sets.hexAt(at(1, 1))->id, u->data()[0].id); // the later duplicate comes forward
    HexData moved = u->data()[1];
    moved.coordinates = at(20, 30, -1, 2);
    u->replaceHex(moved);
    HexData hidden = u->data()[2];
    hidden.starSystem.sathar = true;
    hidden.starSystem.starfarers = true;
    u->replaceHex(hidden);
    u->insertHex(hex(at(4, 4)));
    EXPECT_EQ(told.size(), 4);
    EXPECT_EQ(told[1], (QList{at(8, 10), at(20, 30, -1, 2)}));

    StarMapVisibleSets fresh(u.get(), 60);
    EXPECT_EQ(sets.visibleHexes(), fresh.visibleHexes());
    EXPECT_EQ(sets.systems().extent(), fresh.systems().extent());
}

// Systems removed, added and shown or hidden one at a time, many sharing a place, for
// long enough that the universe's index renumbers the places of its hexes (after more
// removals than it holds hexes), starting from a universe that had lost hexes before
// the map was made: the systems stay in the universe's order, as built afresh.
TEST(StarMapVisibleSetsTest, SystemsKeepTheUniversesOrderThroughManyRemovals)
{
    std::mt19937 random(1984);
    const QList<GalacticCoordinates> places{at(1, 1), at(1, 2), at(2, 1), at(32, 40), at(1, 1, 1, 0)};
    const auto someHex = [&] { return hex(places[random() % places.size()], random() % 2 == 0); };
    QList<HexData> data;
    for (int i = 0; i < 30; ++i)
        data.append(someHex());
    const auto u = universe(data);
    u->setMapViewMode(MapViewMode::player);
    for (int i = 0; i < 6; ++i)
        u->removeHex(u->data()[qsizetype(random() % u->data().size())].id);
    const qint64 renumberings = u->hexIndex().renumberings();
    StarMapVisibleSets sets(u.get(), 60);
    for (int step = 0; step < 400 && !HasFailure(); ++step) {
        SCOPED_TRACE(testing::Message() << "step " << step);
        const qsizetype p = qsizetype(random() % u->data().size());
        switch (random() % 3) {
        case 0: u->insertHex(someHex()); break;
        case 1: u->removeHex(u->data()[p].id); break;
        default: {
            HexData shown = u->data()[p];
            shown.starSystem.starfarers = !shown.starSystem.starfarers;
            u->replaceHex(shown);
        }
        }
        if (u->data().isEmpty())
            u->insertHex(someHex());
        const StarMapVisibleSets fresh(u.get(), 60);
        ASSERT_EQ(sets.visibleHexes(), fresh.visibleHexes());
        for (const GalacticCoordinates &place : places)
            ASSERT_EQ(sets.hexAt(place), fresh.hexAt(place)) << place.description().toStdString();
    }
    EXPECT_GT(u->hexIndex().renumberings(), renumberings);
}

// A system copied under an id already stored: the document's changes by that id reach
// the first copy, which keeps its place before the later systems, whether it is
// edited, stored under a new id or removed.
TEST(StarMapVisibleSetsTest, ChangesByAnIdTwoSystemsCarryReachTheFirst)
{
    const HexData first = hex(at(1, 1));
    const auto u = universe({first, hex(at(2, 2))});
    StarMapVisibleSets sets(u.get(), 60);
    HexData copy = first;
    copy.coordinates = at(3, 3);
    u->insertHex(copy);
    HexData moved = first;
    moved.coordinates = at(3, 3);
    moved.starSystem.name = QStringLiteral("Moved");
    u->replaceHex(moved);
    // Both copies at 0303 now: the first in the universe's order is the one found.
    EXPECT_EQ(sets.hexAt(at(3, 3)), moved);
    EXPECT_EQ(sets.visibleHexes(), StarMapVisibleSets(u.get(), 60).visibleHexes());

    HexData renamed = moved;
    renamed.id = QUuid::createUuid();
    u->replaceHex(first.id, renamed);
    EXPECT_EQ(sets.visibleHexes(), (QList<HexData>{renamed, u->data()[1], copy}));
    u->removeHex(first.id);
    EXPECT_EQ(sets.visibleHexes(), (QList<HexData>{renamed, u->data()[1]}));
}

TEST(StarMapVisibleSetsTest, LabelsAndTheirCategories)
{
    const auto u = universe();
    QList<StarmapLabel> labels;
    for (const QString &category :
         {QStringLiteral("b"), QString(), QStringLiteral("A"), QStringLiteral("b")}) {
        StarmapLabel label;
        label.text = QStringLiteral("x");
        label.category = category;
        labels.append(label);
    }
    u->setStarmapLabels(labels);
    StarMapVisibleSets sets(u.get(), 60);
    EXPECT_EQ(sets.labelCategories(), (QStringList{QStringLiteral("A"), QStringLiteral("b"), QString()}));
    u->setHiddenLabelCategories({QString()});
    EXPECT_EQ(sets.visibleLabels().size(), 3);
    // Labels of an import, appended together, the hidden category among them.
    u->insertObjects(QList{labels[1], labels[2]});
    EXPECT_EQ(sets.visibleLabels(), StarMapVisibleSets(u.get(), 60).visibleLabels());
    EXPECT_EQ(sets.visibleLabels().size(), 4);
    u->setMapShowLabels(false);
    EXPECT_TRUE(sets.visibleLabels().isEmpty());
}

// Routes appended together under the faction filter: one of a selected faction shows
// its ends at once; others are only drawn, the systems are not filed again.
TEST(StarMapVisibleSetsTest, RoutesAppendedTogetherShowTheirEndsUnderTheFilter)
{
    Faction selected;
    selected.id = QUuid::createUuid();
    selected.homeworld = at(1, 1);
    const QUuid other = QUuid::createUuid();
    const auto u = universe({hex(at(1, 1)), hex(at(2, 2)), hex(at(3, 3))});
    u->setFactions({selected});
    u->setSelectedFactionIDs({selected.id});
    StarMapVisibleSets sets(u.get(), 60);
    QSignalSpy resets(&sets, &StarMapVisibleSets::reset);
    QSignalSpy appended(&sets, &StarMapVisibleSets::ruttersAppended);
    ASSERT_EQ(cells(sets), QList{at(1, 1)});

    u->insertObjects(QList{rutter(other, at(2, 2), at(3, 3), RutterAge::recent),
                           rutter(selected.id, at(2, 2), at(2, 2), RutterAge::uncharted)});
    EXPECT_EQ(resets.count(), 0);
    EXPECT_EQ(appended.count(), 1);
    EXPECT_EQ(cells(sets), QList{at(1, 1)});
    u->insertObjects(QList{rutter(other, at(1, 1), at(2, 2), RutterAge::recent),
                           rutter(selected.id, at(1, 1), at(3, 3), RutterAge::recent)});
    EXPECT_EQ(cells(sets), (QList{at(1, 1), at(3, 3)}));
    const StarMapVisibleSets fresh(u.get(), 60);
    EXPECT_EQ(sets.visibleHexes(), fresh.visibleHexes());
    EXPECT_EQ(sets.visibleRutters(), fresh.visibleRutters());
}

// Rutters (one at a time or appended together) and factions changed, in both views,
// with and without a faction filter: the sets always equal sets built afresh, and the
// systems are filed again only when the filter depends on the change.
TEST(StarMapVisibleSetsTest, PerObjectChangesMatchARebuildAndRefileOnlyForTheFilter)
{
    std::mt19937 random(515);
    QList<HexData> hexes;
    for (qint64 column = 1; column <= 6; ++column)
        hexes.append(hex(at(column, column % 3 + 1), column % 2, column % 3 == 0));
    hexes[1].starSystem.stars[0].worlds[0].factionIDs = {QUuid::createUuid()};
    const auto u = universe(hexes);
    QList<QUuid> factionIDs{hexes[1].starSystem.stars[0].worlds[0].factionIDs.first(), QUuid::createUuid(),
                            QUuid::createUuid()};
    const auto somePlace = [&] { return at(qint64(random() % 7) + 1, qint64(random() % 3) + 1); };
    const auto someFaction = [&](const QUuid &id) {
        Faction made;
        made.id = id;
        made.homeworld = somePlace();
        made.color = random() % 2 ? FactionColor::red : FactionColor::blue;
        return made;
    };
    StarMapVisibleSets sets(u.get(), 60);
    QSignalSpy resets(&sets, &StarMapVisibleSets::reset);
    QSignalSpy cells(&sets, &StarMapVisibleSets::cellsChanged);

    for (int step = 0; step < 300; ++step) {
        if (step % 50 == 0) {
            u->setMapViewMode(step % 100 ? MapViewMode::player : MapViewMode::referee);
            u->setSelectedFactionIDs(step % 150 ? QSet<QUuid>{factionIDs[0], factionIDs[1]} : QSet<QUuid>{});
        }
        resets.clear();
        cells.clear();
        const bool filtered = !sets.selectedFactions().isEmpty() && u->mapViewMode() == MapViewMode::referee;
        const QSet<QUuid> selected = u->selectedFactionIDs();
        const QUuid factionID = factionIDs[random() % factionIDs.size()];
        bool dependent = false;
        const auto someRutter = [&] {
            const Rutter added =
                rutter(factionIDs[random() % factionIDs.size()], somePlace(), somePlace(),
                       random() % 3 ? RutterAge::recent : RutterAge::uncharted, random() % 2);
            dependent = dependent ||
                        (filtered && selected.contains(added.factionID) && added.age != RutterAge::uncharted);
            return added;
        };
        switch (random() % 5) {
        case 0: u->insertObject(someRutter()); break;
        case 4: {
            // Routes of an import, appended together.
            QList<Rutter> batch;
            for (qsizetype i = random() % 4; i > 0; --i)
                batch.append(someRutter());
            u->insertObjects(batch);
            break;
        }
        case 1:
            if (!u->rutters().isEmpty()) {
                const Rutter &gone = u->rutters()[random() % u->rutters().size()];
                dependent = filtered && selected.contains(gone.factionID) && gone.age != RutterAge::uncharted;
                u->removeObject<Rutter>(gone.id);
            }
            break;
        case 2:
            dependent = u->mapViewMode() == MapViewMode::referee && selected.contains(factionID);
            if (!u->replaceObject(someFaction(factionID)))
                u->insertObject(someFaction(factionID));
            break;
        default:
            dependent = u->mapViewMode() == MapViewMode::referee && selected.contains(factionID);
            u->removeObject<Faction>(factionID);
        }
        StarMapVisibleSets fresh(u.get(), 60);
        ASSERT_EQ(sets.visibleHexes(), fresh.visibleHexes()) << "step " << step;
        ASSERT_EQ(sets.visibleRutters(), fresh.visibleRutters()) << "step " << step;
        ASSERT_EQ(sets.selectedFactions(), fresh.selectedFactions()) << "step " << step;
        if (!dependent) {
            EXPECT_EQ(resets.count(), 0) << "step " << step;
            EXPECT_EQ(cells.count(), 0) << "step " << step;
        }
    }
}

// Everything the sets show, read back through their public face.
struct Shown
{
    QList<HexData> hexes;
    std::optional<GridExtent> extent;
    QList<std::pair<qint64, qint64>> sectors;
    QList<QList<HexData>> inRects;
    QList<std::optional<HexData>> atPlaces;
    QList<Rutter> rutters;
    QList<StarmapLabel> labels;
    QList<Nebula> nebulae;
    QList<Region> regions;
    QList<Faction> selected;
    QStringList categories;

    // The visible hexes at each place, in the universe's order.
    QHash<GalacticCoordinates, QList<HexData>> byPlace() const
    {
        QHash<GalacticCoordinates, QList<HexData>> places;
        for (const HexData &hex : hexes)
            places[hex.coordinates].append(hex);
        return places;
    }
};

Shown shown(const StarMapVisibleSets &sets, const QList<GalacticCoordinates> &places,
            const QList<QRectF> &rects)
{
    Shown s;
    s.hexes = sets.visibleHexes();
    s.extent = sets.systems().extent();
    s.sectors = sets.systems().occupiedSectors({-4, 4, -4, 4});
    for (const QRectF &rect : rects) {
        QList<HexData> inside;
        for (const MapSystem *system : sets.systems().inRect(rect))
            inside.append(system->hex);
        s.inRects.append(inside);
    }
    for (const GalacticCoordinates &place : places)
        s.atPlaces.append(sets.hexAt(place));
    s.rutters = sets.visibleRutters();
    s.labels = sets.visibleLabels();
    s.nebulae = sets.visibleNebulae();
    s.regions = sets.visibleRegions();
    s.selected = sets.selectedFactions();
    s.categories = sets.labelCategories();
    return s;
}

// Random edits of every kind, the systems standing on both sides of subsector and
// sector edges (negative sectors too) and the outermost one of the map moving: after
// each, the sets kept up to date equal sets built afresh on the same document, the
// rutters ending at each place are those of that list that end there, and whatever
// they show differently was told, by a reset or by the signal of its kind (the systems
// by the hexes that changed).
TEST(StarMapVisibleSetsTest, RandomEditsMatchSetsBuiltAfresh)
{
    QList<GalacticCoordinates> places;
    for (const qint64 col : {-33, -32, -31, -1, 0, 1, 7, 8, 31, 32, 63, 64}) {
        for (const qint64 row : {-41, -40, -1, 0, 9, 10, 39, 40, 79})
            places.append(HexLayout::coordinates(col, row));
    }
    // Rectangles whose sides lie on sector and subsector borders of the hex grid.
    const double across = 1.5 * 60, down = std::sqrt(3.0) * 60;
    const QList<QRectF> rects{
        QRectF(QPointF(-0.5 * across, -0.5 * down), QPointF(31.5 * across, 39.5 * down)),
        QRectF(QPointF(-32 * across, -40 * down), QPointF(0, 0)),
        QRectF(QPointF(7.5 * across, 9.5 * down), QPointF(32 * across, 40 * down)),
        QRectF(QPointF(31 * across, -41 * down), QPointF(33 * across, 80 * down))};
    for (const unsigned seed : {7u, 61u, 4242u, 90125u, 1u, 2u, 3u, 4u}) {
        const auto u = universe();
        RandomMapEdits edits(*u, seed, places);
        for (int i = 0; i < 12; ++i)
            edits.step();
        StarMapVisibleSets sets(u.get(), 60);
        bool reset = false;
        QSet<GalacticCoordinates> toldCells;
        QSet<QByteArray> toldObjects;
        QObject::connect(&sets, &StarMapVisibleSets::reset, [&] { reset = true; });
        QObject::connect(&sets, &StarMapVisibleSets::cellsChanged,
                         [&](const QList<GalacticCoordinates> &cells) {
                             toldCells.unite(QSet<GalacticCoordinates>(cells.cbegin(), cells.cend()));
                         });
        const auto tell = [&](const char *kind) {
            return [&toldObjects, kind] { toldObjects.insert(kind); };
        };
        QObject::connect(&sets, &StarMapVisibleSets::rutterChanged, tell("rutters"));
        QObject::connect(&sets, &StarMapVisibleSets::ruttersAppended, tell("rutters"));
        QObject::connect(&sets, &StarMapVisibleSets::factionChanged, tell("factions"));
        QObject::connect(&sets, &StarMapVisibleSets::labelChanged, tell("labels"));
        QObject::connect(&sets, &StarMapVisibleSets::labelsAppended, tell("labels"));
        QObject::connect(&sets, &StarMapVisibleSets::nebulaChanged, tell("nebulae"));
        QObject::connect(&sets, &StarMapVisibleSets::regionChanged, tell("regions"));

        Shown before = shown(sets, places, rects);
        for (int step = 0; step < 600; ++step) {
            reset = false;
            toldCells.clear();
            toldObjects.clear();
            const QList<Faction> factionsBefore = u->factions();
            std::string edit = edits.step();
            // The edges of what is shown move more often than the rest: they decide the
            // extent.
            if (edits.chance(3)) {
                edits.outermostSystem(sets.visibleHexes());
                edit += ", then the outermost system shown";
            }
            SCOPED_TRACE(testing::Message() << "seed " << seed << ", step " << step << ": " << edit);

            const Shown kept = shown(sets, places, rects);
            const Shown fresh = shown(StarMapVisibleSets(u.get(), 60), places, rects);
            ASSERT_EQ(kept.hexes, fresh.hexes);
            ASSERT_EQ(kept.extent, fresh.extent);
            ASSERT_EQ(kept.sectors, fresh.sectors);
            ASSERT_EQ(kept.inRects, fresh.inRects);
            ASSERT_EQ(kept.atPlaces, fresh.atPlaces);
            ASSERT_EQ(kept.rutters, fresh.rutters);
            ASSERT_EQ(kept.labels, fresh.labels);
            ASSERT_EQ(kept.nebulae, fresh.nebulae);
            ASSERT_EQ(kept.regions, fresh.regions);
            ASSERT_EQ(kept.selected, fresh.selected);
            ASSERT_EQ(kept.categories, fresh.categories);
            for (const GalacticCoordinates &place : places) {
                QList<Rutter> ending = fresh.rutters;
                ending.removeIf(
                    [&](const Rutter &rutter) { return !(rutter.start == place || rutter.end == place); });
                ASSERT_EQ(sets.visibleRuttersAt(place), ending) << place.description().toStdString();
            }

            if (!reset) {
                const auto was = before.byPlace(), is = kept.byPlace();
                for (const GalacticCoordinates &place : was.keys() + is.keys()) {
                    if (was.value(place) != is.value(place)) {
                        ASSERT_TRUE(toldCells.contains(place)) << place.description().toStdString();
                    }
                }
                ASSERT_TRUE(before.rutters == kept.rutters || toldObjects.contains("rutters"));
                ASSERT_TRUE(before.labels == kept.labels || toldObjects.contains("labels"));
                ASSERT_TRUE(before.nebulae == kept.nebulae || toldObjects.contains("nebulae"));
                ASSERT_TRUE(before.regions == kept.regions || toldObjects.contains("regions"));
                // A faction's colour reaches the rutters drawn in it.
                ASSERT_TRUE(factionsBefore == u->factions() || toldObjects.contains("factions"));
            }
            before = kept;
        }
    }
}

} // namespace

namespace {

// A universe large enough to be filed on a worker thread, in the player's view: every
// third system is known to the Starfarers, and only those show.
std::unique_ptr<StarfarerUniverse> largePlayerUniverse()
{
    QList<HexData> data;
    for (qint64 i = 0; i < StarMapVisibleSets::kBackgroundFillFrom; ++i)
        data.append(hex(at(1 + i % 32, 1 + (i / 32) % 40, i / 1280), i % 3 == 0));
    auto u = universe(data);
    u->setMapViewMode(MapViewMode::player);
    return u;
}

} // namespace

TEST(StarMapVisibleSetsTest, LargeUniverseIsFiledOnAWorkerAsTheRulesSay)
{
    const auto u = largePlayerUniverse();
    StarMapVisibleSets sets(u.get(), 60);
    QSignalSpy reset(&sets, &StarMapVisibleSets::reset);
    EXPECT_TRUE(sets.filling());
    EXPECT_TRUE(sets.systems().isEmpty());

    drainWorkers();
    EXPECT_FALSE(sets.filling());
    EXPECT_EQ(reset.count(), 1);
    const qsizetype known = (StarMapVisibleSets::kBackgroundFillFrom + 2) / 3;
    EXPECT_EQ(sets.systems().size(), known);
    EXPECT_TRUE(sets.hexAt(u->data()[0].coordinates).has_value());
    EXPECT_FALSE(sets.hexAt(u->data()[1].coordinates).has_value());
    // Filed in the universe's order, and followed by changes one hex at a time.
    EXPECT_EQ(sets.visibleHexes().first().id, u->data()[0].id);
    const QUuid first = u->data()[0].id;
    u->removeHex(first);
    EXPECT_EQ(sets.systems().size(), known - 1);
}

// The worker files a universe that lost hexes before the map was made: a hidden system
// shown afterwards takes its place among those filed on the worker.
TEST(StarMapVisibleSetsTest, SystemsFiledOnAWorkerKeepTheirOrderAfterEarlierRemovals)
{
    const auto u = largePlayerUniverse();
    for (int i = 0; i < 3; ++i)
        u->removeHex(u->data()[0].id);
    StarMapVisibleSets sets(u.get(), 60);
    drainWorkers();
    ASSERT_FALSE(sets.filling());
    HexData shown = u->data()[1]; // unknown to the Starfarers until now
    ASSERT_FALSE(shown.starSystem.starfarers);
    shown.starSystem.starfarers = true;
    u->replaceHex(shown);
    const HexData added = hex(at(5, 5, 99, 99));
    u->insertHex(added);
    const QList<HexData> kept = sets.visibleHexes();
    ASSERT_GE(kept.size(), 3);
    EXPECT_EQ(kept[0].id, u->data()[0].id);
    EXPECT_EQ(kept[1], shown);
    EXPECT_EQ(kept[2].id, u->data()[3].id);
    EXPECT_EQ(kept.last(), added);

    StarMapVisibleSets fresh(u.get(), 60);
    drainWorkers();
    EXPECT_EQ(kept, fresh.visibleHexes());
}

TEST(StarMapVisibleSetsTest, ChangesWhileFilingAreNotLostWhenTheFilingEnds)
{
    const auto u = largePlayerUniverse();
    StarMapVisibleSets sets(u.get(), 60);
    const HexData added = hex(at(5, 5, 99, 99));
    u->insertHex(added);
    const QUuid first = u->data()[0].id;
    u->removeHex(first);
    drainWorkers();
    EXPECT_FALSE(sets.filling());
    const qsizetype known = (StarMapVisibleSets::kBackgroundFillFrom + 2) / 3;
    EXPECT_EQ(sets.systems().size(), known);
    EXPECT_TRUE(sets.hexAt(added.coordinates).has_value());
    EXPECT_FALSE(sets.hexAt(at(1, 1)).has_value());

    // A setting changed while filing decides what shows.
    StarMapVisibleSets again(u.get(), 60);
    u->setMapViewMode(MapViewMode::referee);
    drainWorkers();
    EXPECT_EQ(again.systems().size(), u->data().size());
}

// However many threads the parts pool has, the systems of a large universe filed in
// runs side by side are those the same universe filed at once gives: the same systems
// in the same order, the same extent, sectors and longest name.
TEST(StarMapVisibleSetsTest, ALargeUniverseFiledInRunsMatchesOneFiledAtOnce)
{
    QList<HexData> data;
    for (qint64 i = 0; i < StarMapVisibleSets::kBackgroundFillFrom + 7; ++i) {
        HexData made = hex(at(1 + i % 32, 1 + (i / 32) % 40, i / 1280 - 7, i % 5 - 2), i % 3 != 1);
        if (i % 4999 == 0)
            made.starSystem.name = QString(int(i / 4999) + 3, QLatin1Char('W'));
        data.append(made);
    }
    // Systems that share a hex with one filed long before: the first in the
    // universe's order is the one found there.
    QList<HexData> shared;
    for (const qsizetype earlier : {0, 4998, 12000}) {
        shared.append(data[earlier]);
        data.append(hex(data[earlier].coordinates));
    }
    const auto u = universe(data);
    u->setMapViewMode(MapViewMode::player);
    const auto expectFirstAtEachSharedHex = [&](const StarMapVisibleSets &sets) {
        for (const HexData &first : std::as_const(shared)) {
            const std::optional<HexData> found = sets.hexAt(first.coordinates);
            ASSERT_TRUE(found.has_value());
            EXPECT_EQ(found->id, first.id);
        }
    };
    // The pool gets its own count back however the test ends.
    struct KeptThreadCount
    {
        QThreadPool *pool;
        int threads = pool->maxThreadCount();
        ~KeptThreadCount() { pool->setMaxThreadCount(threads); }
    };
    const KeptThreadCount kept{partsPool()};
    for (const int parts : {1, 3, 8}) {
        SCOPED_TRACE(testing::Message() << parts << " threads");
        partsPool()->setMaxThreadCount(parts);
        StarMapVisibleSets sets(u.get(), 60);
        ASSERT_TRUE(sets.filling());
        drainWorkers();
        ASSERT_FALSE(sets.filling());
        const QList<HexData> filed = sets.visibleHexes();
        const std::optional<GridExtent> extent = sets.systems().extent();
        const qsizetype longest = sets.systems().longestName();
        const GridExtent everySector{-20, 20, -20, 20};
        const auto sectors = sets.systems().occupiedSectors(everySector);
        expectFirstAtEachSharedHex(sets);

        // A setting the player's view ignores files the systems again, at once.
        u->setMapShowOther(!u->mapShowOther());
        ASSERT_FALSE(sets.filling());
        EXPECT_EQ(filed, sets.visibleHexes());
        EXPECT_EQ(extent, sets.systems().extent());
        EXPECT_EQ(longest, sets.systems().longestName());
        EXPECT_EQ(sectors, sets.systems().occupiedSectors(everySector));
        expectFirstAtEachSharedHex(sets);
        EXPECT_EQ(filed.size(), std::count_if(data.cbegin(), data.cend(),
                                              [](const HexData &hex) { return hex.starSystem.starfarers; }));
    }
}
