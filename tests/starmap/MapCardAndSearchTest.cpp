#include "StarMapTestSupport.h"
#include "model/HexLayout.h"
#include "starmap/MapFilterTitles.h"
#include "starmap/MapSearch.h"
#include "starmap/StarMapVisibleSets.h"
#include "starmap/SystemCardTexts.h"

#include <gtest/gtest.h>

using namespace StarMapTest;

namespace {

WorldData &mainWorldOf(HexData &hex)
{
    return hex.starSystem.stars[0].worlds[0];
}

TEST(SystemCardTextsTest, TitleNameAndProfileLine)
{
    HexData h = hex(at(1, 1));
    h.starSystem.name = QStringLiteral("Aramis");
    h.starSystem.planetoidBelts = 2;
    h.starSystem.gasGiant = 11;
    WorldData &world = mainWorldOf(h);
    world.uwp.populationMultiplier = 5;
    world.uwp.population = 8;
    world.worldTags = {WorldTag::abandonedColony};
    SystemCardTexts texts = SystemCardTexts::of(h);
    EXPECT_EQ(texts.title, QStringLiteral("Aramis")); // population 8 keeps the case
    EXPECT_EQ(texts.hexLine, QStringLiteral("HEX 00-0101 Subsector-A"));
    EXPECT_EQ(texts.mainWorldName, QString(QChar(0x2013)));
    const QStringList parts = texts.uwpLine.split(QLatin1Char(' '));
    ASSERT_GE(parts.size(), 3);
    EXPECT_EQ(parts[2], QStringLiteral("52B")); // P, B, G after the code's own blank
    EXPECT_TRUE(texts.uwpLine.endsWith(QStringLiteral("\n[]")));
    EXPECT_EQ(texts.worldTags, QStringList{QStringLiteral("Abandoned-Colony")});

    world.uwp.population = 9;
    h.starSystem.name.clear();
    EXPECT_EQ(SystemCardTexts::of(h).title, QStringLiteral("UNNAMED SYSTEM"));

    world.mainWorld = false; // worlds, but none is the main world
    texts = SystemCardTexts::of(h);
    EXPECT_EQ(texts.title, QStringLiteral("Unnamed System"));
    EXPECT_EQ(texts.mainWorldName, QStringLiteral("No main world"));
    EXPECT_TRUE(texts.uwpLine.isEmpty());
    EXPECT_TRUE(texts.worldTags.isEmpty());
}

TEST(MapSearchTest, FirstVisibleMatchByLabelNameOrWorld)
{
    HexData named = hex(at(5, 5));
    named.starSystem.name = QStringLiteral("Zero One Zero One");
    HexData terra = hex(at(2, 2));
    terra.starSystem.name = QStringLiteral("Sol");
    mainWorldOf(terra).name = QStringLiteral("Terra Nova");
    HexData hidden = hex(at(3, 3), false, true);
    hidden.starSystem.name = QStringLiteral("Hidden");
    const auto u = universe({named, hex(at(1, 1)), terra, hidden});
    u->setMapShowSathar(false);
    StarMapVisibleSets sets(u.get(), 60);
    const QList<const MapSystem *> all = sets.systems().all();

    const auto found = [&all](const QString &query) {
        const MapSystem *system = MapSearch::match(all, query);
        return system ? system->hex.coordinates.description() : QString();
    };
    EXPECT_EQ(found(QStringLiteral("  \n")), QString());
    EXPECT_EQ(found(QStringLiteral("0101")), QStringLiteral("00-0101"));
    EXPECT_EQ(found(QStringLiteral(" zero one ")), QStringLiteral("00-0505"));
    EXPECT_EQ(found(QStringLiteral("TERRA")), QStringLiteral("00-0202"));
    EXPECT_EQ(found(QStringLiteral("0505 a")), QStringLiteral("00-0505"));
    EXPECT_EQ(found(QStringLiteral("Hidden")), QString());

    const QPointF centre = HexLayout(60).center(at(2, 2));
    const MapTransform t = MapSearch::centredOn(centre, 2.0, QSizeF(800, 600));
    EXPECT_EQ(t.scale, 2.0);
    EXPECT_EQ(t.toScreen(centre), QPointF(400, 300));
}

TEST(MapFilterTitlesTest, FactionTitleFollowsTheFirstMatchingRule)
{
    Faction a = aFaction(QStringLiteral("Alpha")).shortName(QStringLiteral("AL"));
    Faction b = aFaction(QStringLiteral("beta"));
    const QUuid deleted = QUuid::createUuid();
    const QList<FactionList> lists{{QUuid::createUuid(), QStringLiteral("Empty"), {}},
                                   {QUuid::createUuid(), QString(), {a.id, b.id}},
                                   {QUuid::createUuid(), QStringLiteral("Same"), {b.id, a.id}}};
    using MapFilterTitles::factionMenuTitle;
    EXPECT_EQ(factionMenuTitle({}, lists, {}), QStringLiteral("All factions"));
    EXPECT_EQ(factionMenuTitle({a.id, b.id}, lists, {a, b}), QStringLiteral("Unnamed List"));
    EXPECT_EQ(factionMenuTitle({a.id}, lists, {a}), QStringLiteral("AL"));
    EXPECT_EQ(factionMenuTitle({deleted}, lists, {}), QStringLiteral("0 factions"));
    EXPECT_EQ(factionMenuTitle({a.id, deleted}, {}, {a}), QStringLiteral("AL"));
    Faction unnamed = b;
    unnamed.name.clear();
    EXPECT_EQ(factionMenuTitle({b.id}, {}, {unnamed}), QStringLiteral("Unnamed Faction"));
    EXPECT_EQ(MapFilterTitles::factionText(b), QStringLiteral("beta ()"));

    Faction a2 = a;
    a2.shortName = QStringLiteral("A2");
    const QList<Faction> sorted = MapFilterTitles::sortedByName({b, a, a2});
    EXPECT_EQ(sorted[0].shortName, QStringLiteral("AL")); // equal names keep their order
    EXPECT_EQ(sorted[1].shortName, QStringLiteral("A2"));
    EXPECT_EQ(sorted[2].name, QStringLiteral("beta"));
}

TEST(MapFilterTitlesTest, CategoryTitleCountsOnlyPresentCategories)
{
    using MapFilterTitles::categoryMenuTitle;
    const QStringList categories{QStringLiteral("A"), QString()};
    EXPECT_EQ(categoryMenuTitle({}, categories), QStringLiteral("All categories"));
    EXPECT_EQ(categoryMenuTitle({QStringLiteral("A")}, categories), QStringLiteral("Uncategorized"));
    EXPECT_EQ(categoryMenuTitle({QString()}, categories), QStringLiteral("A"));
    EXPECT_EQ(categoryMenuTitle({QStringLiteral("gone")}, categories), QStringLiteral("2 categories"));
    EXPECT_EQ(categoryMenuTitle({QStringLiteral("A"), QString()}, categories),
              QStringLiteral("0 categories"));
}

} // namespace
