#include "starmap/StarMapVisibleSets.h"
#include "StarMapTestSupport.h"

#include <gtest/gtest.h>

using namespace StarMapTest;

namespace {

QList<GalacticCoordinates> cells(const StarMapVisibleSets &sets)
{
    QList<GalacticCoordinates> result;
    for (const HexData &hex : sets.visibleHexes())
        result.append(hex.coordinates);
    return result;
}

Rutter rutter(const QUuid &faction, const GalacticCoordinates &start, const GalacticCoordinates &end,
              RutterAge age, bool main = false)
{
    Rutter made;
    made.id = QUuid::createUuid();
    made.factionID = faction;
    made.start = start;
    made.end = end;
    made.age = age;
    made.mainTradeRoute = main;
    return made;
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
    u->setMapShowLabels(false);
    EXPECT_TRUE(sets.visibleLabels().isEmpty());
}

} // namespace
