#include "StarTestSupport.h"
#include "TestRecords.h"

#include "model/HexData.h"

#include <gtest/gtest.h>

#include <limits>

using namespace Qt::StringLiterals;
using test_records::aWorld;

namespace {

Star starWith(QList<WorldData> worlds)
{
    Star value;
    value.worlds = std::move(worlds);
    return value;
}

JsonObject systemWithStar()
{
    JsonObject system = parseJsonObject(kSystemJson);
    system.insert("stars"_L1, JsonArray{parseJsonObject(kStarJson)});
    return system;
}

JsonObject hexObject()
{
    return JsonObject{{"id"_L1, u"99999999-8888-4777-8666-555555555555"_s},
                      {"coordinates"_L1,
                       JsonObject{{"sectorX"_L1, -1}, {"sectorY"_L1, 2}, {"column"_L1, 5}, {"row"_L1, 40}}},
                      {"starSystem"_L1, systemWithStar()},
                      {"notes"_L1, u"Pirates."_s}};
}

} // namespace

TEST(StarSystem, MainWorldOnACompanionStar)
{
    const WorldData moon = aWorld().named(u"moon"_s);
    const WorldData main = aWorld().named(u"main"_s).main();
    StarSystem system;
    system.stars = {starWith({aWorld().named(u"inner"_s), aWorld().named(u"outer"_s)}),
                    starWith({main, aWorld().named(u"late main"_s).main()})};
    EXPECT_EQ(system.mainWorld(), main);
    EXPECT_EQ(system.mainWorldIndex(), (WorldIndex{1, 0}));
    EXPECT_EQ(system.indexOfWorld(system.stars[1].worlds[1].id), (WorldIndex{1, 1}));
    EXPECT_EQ(system.indexOfWorld(system.stars[0].worlds[0].id), (WorldIndex{0, 0}));
    const QList<WorldData> all = system.allWorlds();
    ASSERT_EQ(all.size(), 4);
    EXPECT_EQ(all[0].name, u"inner"_s);
    EXPECT_EQ(all[3].name, u"late main"_s);
}

TEST(StarSystem, OddSystemsHaveNoMainWorldAndNoZone)
{
    const StarSystem empty;
    EXPECT_TRUE(empty.allWorlds().isEmpty());
    EXPECT_EQ(empty.mainWorld(), std::nullopt);
    EXPECT_EQ(empty.mainWorldIndex(), std::nullopt);
    EXPECT_EQ(empty.indexOfWorld(QUuid::createUuid()), std::nullopt);
    EXPECT_EQ(empty.habitableZoneOrbit(), std::nullopt);

    StarSystem noMain;
    noMain.stars = {starWith({}), starWith({aWorld().named(u"a"_s), aWorld().named(u"b"_s)})};
    EXPECT_EQ(noMain.mainWorld(), std::nullopt);
    EXPECT_EQ(noMain.mainWorldIndex(), std::nullopt);
    EXPECT_EQ(noMain.indexOfWorld(QUuid()), std::nullopt);
}

TEST(StarSystem, ReadingAnEmptyStarListGivesOneRandomPrimary)
{
    ScriptedDraws draws;
    // Flux +3: type M; decimal 4; flux 0: V; the lowest mass.
    draws.flux(3).expect(10, 4).flux(0).expect((qint64(1) << 53) + 1, 0);
    ScopedRandomSource scope(draws);
    const StarSystem system = readJson<StarSystem>(JsonValue(parseJsonObject(kSystemJson)));
    ASSERT_EQ(system.stars.size(), 1);
    EXPECT_EQ(system.stars[0].classification(), u"M4-V"_s);
    EXPECT_EQ(system.stars[0].orbit, Orbits::starOrbitP);
    EXPECT_DOUBLE_EQ(system.stars[0].mass, 0.08);
    // Written back, the star is stored.
    const JsonObject written = system.toJson();
    EXPECT_EQ(written.value("stars"_L1).toArray().size(), 1);
    EXPECT_EQ(readJson<StarSystem>(JsonValue(written)), system);
}

TEST(StarSystem, SurveyedDefaultsToFalseAndTheGiantCountHasOneKey)
{
    JsonObject object = systemWithStar();
    object.remove("surveyed"_L1);
    EXPECT_FALSE(readJson<StarSystem>(JsonValue(object)).surveyed);
    // The count of gas giants is stored under the singular key only.
    object.insert("gasGiants"_L1, object.take("gasGiant"_L1));
    EXPECT_EQ(failurePath<StarSystem>(object), u"gasGiant"_s);
}

TEST(HexData, AnErrorDeepInAHexNamesItsWholePath)
{
    JsonObject star = parseJsonObject(kStarJson);
    JsonObject world = parseJsonObject(kRequiredWorldJson);
    world.insert("sunOrbit"_L1, 22);
    star.insert("worlds"_L1, JsonArray{world});
    JsonObject system = systemWithStar();
    system.insert("stars"_L1, JsonArray{parseJsonObject(kStarJson), star});
    JsonObject object = hexObject();
    object.insert("starSystem"_L1, system);
    EXPECT_EQ(failurePath<HexData>(object), u"starSystem.stars[1].worlds[0].sunOrbit"_s);
}
