#include "screens/SystemListModel.h"
#include "SystemListTestSupport.h"
#include "model/WorldDescriptions.h"
#include "screens/RutterIndex.h"
#include "screens/SystemRowContent.h"

#include <QSignalSpy>

using namespace screen_test;

namespace {

TEST_F(SystemListTest, CoordinateOrderIsSubsectorMajorWithUncappedIndex)
{
    store({system("east", {1, 0, 1, 1}), system("below P", {0, 0, 1, 41}), system("E", {0, 0, 1, 11}),
           system("B", {0, 0, 9, 1}), system("A lower", {0, 0, 1, 2}), system("A col 2", {0, 0, 2, 1}),
           system("row 0", {0, 0, 1, 0}), system("north", {0, -1, 32, 40})});
    SystemListModel source(m_universe.get());
    SystemListProxy model(&source);
    // Row 0 counts as the first row; row 41 lies below subsector P.
    EXPECT_EQ(shown(model), strings({"north", "row 0", "A lower", "A col 2", "B", "E", "below P", "east"}));
    EXPECT_EQ(model.availableSubsectors().last().menuText(), QStringLiteral("10 \u00B7 A"));
    EXPECT_EQ(model.availableSubsectors().first().id(), QStringLiteral("0,-1,P"));
}

TEST_F(SystemListTest, NameOrdersPutEmptyNamesLastAndFallBackToCoordinates)
{
    store({system("", {0, 0, 5, 1}, "Zed"), system("beta", {0, 0, 4, 1}, ""),
           system("Alpha", {0, 0, 3, 1}, "b"), system("alpha", {0, 0, 2, 1}, "B"),
           system("", {0, 0, 1, 1}, "", false)});
    SystemListModel source(m_universe.get());
    SystemListProxy model(&source);
    model.setSortOrder(SystemSort::name);
    EXPECT_EQ(shown(model), strings({"alpha", "Alpha", "beta", "", ""}));
    EXPECT_EQ(model.filteredSystems()[3].coordinates.column, 1);
    model.setSortOrder(SystemSort::mainWorld);
    // No main world sorts with the empty names, which keep coordinate order.
    EXPECT_EQ(shown(model), strings({"alpha", "Alpha", "", "", "beta"}));
    EXPECT_EQ(model.filteredSystems()[2].coordinates.column, 5);
    EXPECT_EQ(model.filteredSystems()[3].coordinates.column, 1);
}

TEST_F(SystemListTest, SearchMatchesLabelLetterNamesAndWorlds)
{
    HexData withMoon = system("Quiet", {3, 2, 20, 30}, "Home");
    WorldData moon = world();
    moon.name = QStringLiteral("Ärmel");
    withMoon.starSystem.stars[0].worlds.append(moon);
    store({system("Bright", {0, 0, 1, 1}), system("Dusk", {0, 0, 30, 30}), withMoon,
           system("Echo", {1, 1, 1, 1})});
    SystemListModel source(m_universe.get());
    SystemListProxy model(&source);
    model.setSearchText(QStringLiteral(" \n\t"));
    EXPECT_EQ(model.rowCount(), 4);
    model.setSearchText(QStringLiteral("0101"));
    EXPECT_EQ(shown(model), strings({"Bright", "Echo"}));
    // "a": subsector A's labels end in " A"; "Quiet" matches through its moon's name.
    model.setSearchText(QStringLiteral("  ä "));
    EXPECT_EQ(shown(model), strings({"Quiet"}));
    model.setSearchText(QStringLiteral("a"));
    EXPECT_EQ(shown(model), strings({"Bright", "Echo"}));
    model.setSearchText(QStringLiteral("DUSK"));
    EXPECT_EQ(shown(model), strings({"Dusk"}));
    // Texts never match across the boundary of two searched texts.
    model.setSearchText(QStringLiteral("A Bright"));
    EXPECT_EQ(model.rowCount(), 0);
}

// The model follows the document's per-hex signals: after any mix of edits it shows
// what a model built afresh shows.
TEST_F(SystemListTest, PerHexUpdatesMatchAFreshModel)
{
    QList<HexData> hexes;
    for (int i = 0; i < 30; ++i)
        hexes.append(system(i % 4 ? "n" : "", {i % 3, 0, 1 + i * 7 % 32, 1 + i * 13 % 40}));
    for (int i = 0; i < 30; ++i)
        hexes[i].starSystem.name += QString::number(i % 7);
    store(hexes);
    SystemListModel source(m_universe.get());
    SystemListProxy model(&source);
    model.setSortOrder(SystemSort::name);
    model.setSearchText(QStringLiteral("n"));
    SeededSource seeded(7);
    ScopedRandomSource scope(seeded);
    for (int step = 0; step < 60; ++step) {
        const HexList &data = m_universe->data();
        HexData hex = data[randomBelow(data.size())];
        switch (randomBelow(3)) {
        case 0:
            hex.id = QUuid::createUuid();
            hex.starSystem.name = QStringLiteral("n%1").arg(step);
            m_universe->insertHex(hex);
            break;
        case 1:
            hex.starSystem.name = randomBelow(2) ? QString() : QStringLiteral("x%1").arg(step);
            hex.coordinates.row = randomBelow(45);
            ASSERT_TRUE(m_universe->replaceHex(hex));
            break;
        default: ASSERT_TRUE(m_universe->removeHex(hex.id));
        }
        SystemListModel freshSource(m_universe.get());
        SystemListProxy fresh(&freshSource);
        fresh.setSortOrder(SystemSort::name);
        fresh.setSearchText(QStringLiteral("n"));
        ASSERT_EQ(model.filteredSystems(), fresh.filteredSystems()) << "step " << step;
        ASSERT_EQ(model.availableSubsectors(), fresh.availableSubsectors());
    }
}

TEST_F(SystemListTest, RowTexts)
{
    HexData hex = system("", {0, 0, 1, 1}, "", true);
    WorldData named = world();
    named.name = QStringLiteral("Moonlet");
    named.satelliteOrbit = PlanetOrbits::planetOrbitB;
    WorldData earlier = world();
    earlier.name = QStringLiteral("Inner");
    earlier.sunOrbit = Orbits::starOrbit1;
    WorldData generic = world();
    generic.name = kindText(generic);
    WorldData otherCase = world();
    otherCase.name = kindText(otherCase).toUpper();
    hex.starSystem.stars[0].worlds += {named, generic, otherCase, earlier};
    const SystemRowContent row = SystemRowContent::of(*m_universe, hex, {});
    EXPECT_EQ(row.label, QStringLiteral("00-0101 [A] \u00B7"));
    EXPECT_EQ(row.name, QStringLiteral("Unnamed System"));
    EXPECT_EQ(row.mainWorldName, QStringLiteral("\u2014"));
    QStringList others;
    for (const SystemRowContent::WorldLine &line : row.otherNamedWorlds)
        others.append(line.name);
    EXPECT_EQ(others, QStringList({QStringLiteral("Inner"), otherCase.name, QStringLiteral("Moonlet")}));

    hex.starSystem.stars[0].worlds[0].mainWorld = false;
    const SystemRowContent bare = SystemRowContent::of(*m_universe, hex, {});
    EXPECT_EQ(bare.mainWorldName, QStringLiteral("\u2014"));
    EXPECT_TRUE(bare.mainWorldProfile.isEmpty());
    EXPECT_TRUE(bare.mainWorldTagNames.isEmpty());
}

TEST_F(SystemListTest, RutterDestinationsAndTheirIndex)
{
    Faction faction;
    faction.id = QUuid::createUuid();
    faction.color = FactionColor::red;
    m_universe->setFactions({faction});
    const HexData home = system("Home", {0, 0, 1, 1});
    const HexData unnamed = system("", {0, 0, 3, 1});
    store({home, unnamed});
    const auto rutter = [&](GalacticCoordinates a, GalacticCoordinates b) {
        return Rutter{QUuid::createUuid(), faction.id, a, b, false, RutterAge::recent, std::nullopt};
    };
    RutterIndex index(m_universe.get());
    m_universe->setRutters({rutter({0, 0, 1, 1}, {0, 0, 1, 5}), rutter({0, 0, 3, 1}, {0, 0, 1, 1}),
                            rutter({0, 0, 1, 1}, {0, 0, 1, 1}), rutter({0, 0, 1, 5}, {0, 0, 3, 1})});
    QList<RutterDestination> found = RutterDestination::touching(*m_universe, home.coordinates);
    QStringList chips;
    for (const RutterDestination &destination : found)
        chips.append(destination.chipText());
    EXPECT_EQ(chips, strings({"00-0105 [4]", "00-0301 [2]", "Home [0]"}));
    EXPECT_EQ(found[0].color, FactionColor::red);
    EXPECT_EQ(index.destinations(home.coordinates), found);
    m_universe->setFactions({});
    EXPECT_EQ(index.destinations(unnamed.coordinates)[1].color, FactionColor::grey);
    EXPECT_EQ(index.destinations(unnamed.coordinates),
              RutterDestination::touching(*m_universe, unnamed.coordinates));

    // Routes appended together: the list repaints the rows at their ends in one go.
    SystemListModel model(m_universe.get());
    QSignalSpy repainted(&model, &QAbstractItemModel::dataChanged);
    m_universe->insertObjects(QList{rutter({0, 0, 1, 1}, {0, 0, 2, 2}), rutter({0, 0, 3, 1}, {0, 0, 3, 3}),
                                    rutter({0, 0, 3, 1}, {})});
    QList<int> rows;
    for (const QList<QVariant> &told : repainted)
        rows.append(told.first().toModelIndex().row());
    std::sort(rows.begin(), rows.end());
    EXPECT_EQ(rows, (QList<int>{0, 1}));

    // Rutters changed one at a time, or appended together, keep the index equal to a
    // walk of every rutter.
    SeededSource seeded(11);
    ScopedRandomSource scope(seeded);
    const auto place = [] { return GalacticCoordinates{0, 0, 1 + randomBelow(3), 1 + randomBelow(3)}; };
    for (int step = 0; step < 200 && !HasFailure(); ++step) {
        const QList<Rutter> &stored = m_universe->rutters();
        const int action = int(randomBelow(4));
        if (stored.isEmpty() || action == 0) {
            m_universe->insertObject(rutter(place(), place()));
        } else if (action == 3) {
            QList<Rutter> batch;
            for (qint64 i = randomBelow(3); i > 0; --i)
                batch.append(rutter(place(), place()));
            m_universe->insertObjects(batch);
        } else if (action == 1) {
            Rutter moved = stored[randomBelow(stored.size())];
            (randomBelow(2) ? moved.start : moved.end) = place();
            m_universe->replaceObject(moved);
        } else {
            m_universe->removeObjectAt<Rutter>(randomBelow(stored.size()));
        }
        for (qint64 column = 1; column <= 3; ++column) {
            for (qint64 row = 1; row <= 3; ++row) {
                const GalacticCoordinates hex{0, 0, column, row};
                ASSERT_EQ(index.destinations(hex), RutterDestination::touching(*m_universe, hex)) << step;
            }
        }
    }
}

} // namespace
