#include "StarTestSupport.h"

#include "model/WorldData.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

JsonObject requiredWorld()
{
    return parseJsonObject(kRequiredWorldJson);
}

WorldData read(const JsonObject &object)
{
    return readJson<WorldData>(JsonValue(object));
}

struct ZoneCase
{
    PlanetOrbits satelliteOrbit;
    Orbits sunOrbit;
    qint64 hzOffset;
    qint64 size, atmosphere, hydrographics;
    int zone;
};

const auto kMoon = PlanetOrbits::planetOrbitA;
const auto kNoMoon = PlanetOrbits::planetOrbit0;

} // namespace

TEST(WorldData, ClimateZone)
{
    const ZoneCase cases[] = {// Close to the star and no moon: twilight, whatever the profile.
                              {kNoMoon, Orbits::starOrbit1, 0, 8, 6, 7, 0},
                              {kNoMoon, Orbits::starOrbit0, 3, 0, 0, 0, 0},
                              // The same orbit as a moon falls to the other rules.
                              {kMoon, Orbits::starOrbit1, 0, 8, 6, 7, 3},
                              {kMoon, Orbits::starOrbit1, -1, 8, 6, 7, 2},
                              // Earth-like profiles.
                              {kNoMoon, Orbits::starOrbit3, -2, 8, 6, 7, 1},
                              {kNoMoon, Orbits::starOrbit3, -1, 6, 4, 3, 2},
                              {kNoMoon, Orbits::starOrbit3, -1, 9, 9, 8, 1},
                              {kNoMoon, Orbits::starOrbit3, 0, 8, 6, 10, 3},
                              {kNoMoon, Orbits::starOrbit3, 1, 8, 6, 7, 4},
                              {kNoMoon, Orbits::starOrbit3, 1, 8, 6, 8, 5},
                              {kNoMoon, Orbits::starOrbit3, 2, 8, 6, 7, 6},
                              // Just outside the Earth-like ranges: the coarse scale.
                              {kNoMoon, Orbits::starOrbit3, -1, 5, 6, 7, 1},
                              {kNoMoon, Orbits::starOrbit3, 1, 8, 3, 7, 5},
                              {kNoMoon, Orbits::starOrbit3, -1, 8, 6, 2, 1}};
    for (const ZoneCase &c : cases) {
        WorldData world;
        world.satelliteOrbit = c.satelliteOrbit;
        world.sunOrbit = c.sunOrbit;
        world.hzOffset = c.hzOffset;
        world.uwp.size = c.size;
        world.uwp.atmosphere = c.atmosphere;
        world.uwp.hydrographics = c.hydrographics;
        EXPECT_EQ(world.climateZone(), c.zone)
            << "orbit " << rawValue(c.sunOrbit) << " moon " << (c.satelliteOrbit == kMoon) << " hz "
            << c.hzOffset << " profile " << c.size << "/" << c.atmosphere << "/" << c.hydrographics;
    }
}

TEST(WorldData, MissingOptionalKeysTakeTheirDefaults)
{
    const WorldData world = read(requiredWorld());
    EXPECT_TRUE(world.satellites.isEmpty());
    EXPECT_EQ(world.yearLength, 0);
    EXPECT_FALSE(world.tideLocked);
    EXPECT_EQ(world.prevalentRace, Race::human);
    EXPECT_TRUE(world.factionIDs.isEmpty());
    EXPECT_FALSE(world.legacyFactions.has_value());
    // Null counts as missing.
    JsonObject object = requiredWorld();
    object.insert("yearLength"_L1, JsonValue());
    object.insert("prevalentRace"_L1, JsonValue());
    EXPECT_EQ(read(object), world);
}

TEST(WorldData, MissingTradeClassesAreDecidedFromTheDecodedWorld)
{
    using TC = TradeClass;
    // Temperate garden world: size 8, atmosphere 6, hydrographics 7, population 9, TL12.
    EXPECT_EQ(read(requiredWorld()).tradeClasses,
              (QList<TC>{TC::garden, TC::highPopulation, TC::preRich, TC::highTechnology}));

    // The decoded orbit and tidal lock take part: orbit 1 is the twilight zone.
    JsonObject close = requiredWorld();
    close.insert("sunOrbit"_L1, 1);
    close.insert("tideLocked"_L1, true);
    EXPECT_EQ(read(close).tradeClasses, (QList<TC>{TC::garden, TC::highPopulation, TC::preRich,
                                                   TC::highTechnology, TC::twilightZone, TC::locked}));

    JsonObject empty = requiredWorld();
    empty.insert("tradeClasses"_L1, JsonArray());
    EXPECT_TRUE(read(empty).tradeClasses.isEmpty());

    JsonObject stored = requiredWorld();
    stored.insert("tradeClasses"_L1, JsonArray{u"Fa"_s, u"Cx"_s});
    EXPECT_EQ(read(stored).tradeClasses, (QList<TC>{TC::farming, TC::capital}));
}

TEST(WorldData, LegacyFactionRecordsGiveTheIdsAndAreNeverWritten)
{
    JsonObject object = requiredWorld();
    const JsonObject first{{"id"_L1, u"AAAAAAAA-0000-4000-8000-000000000001"_s}, {"name"_L1, u"Guild"_s}};
    const JsonObject second{{"id"_L1, u"BBBBBBBB-0000-4000-8000-000000000002"_s}};
    object.insert("factions"_L1, JsonArray{first, second});
    const WorldData world = read(object);

    const QList<QUuid> ids{QUuid::fromString(u"AAAAAAAA-0000-4000-8000-000000000001"),
                           QUuid::fromString(u"BBBBBBBB-0000-4000-8000-000000000002")};
    EXPECT_EQ(world.factionIDs, ids);
    ASSERT_TRUE(world.legacyFactions.has_value());
    EXPECT_EQ(*world.legacyFactions, (QList<JsonObject>{first, second}));

    const JsonObject written = world.toJson();
    EXPECT_FALSE(written.contains("factions"_L1));
    EXPECT_EQ(written.value("factionIDs"_L1), (JsonArray{u"AAAAAAAA-0000-4000-8000-000000000001"_s,
                                                         u"BBBBBBBB-0000-4000-8000-000000000002"_s}));
}

TEST(WorldData, FactionIDsWinOverLegacyRecordsAndABrokenRecordFailsAtItsPath)
{
    JsonObject object = requiredWorld();
    object.insert("factionIDs"_L1, JsonArray{u"CCCCCCCC-0000-4000-8000-000000000003"_s});
    object.insert("factions"_L1, 5); // not even looked at
    const WorldData world = read(object);
    EXPECT_EQ(world.factionIDs, QList<QUuid>{QUuid::fromString(u"CCCCCCCC-0000-4000-8000-000000000003")});
    EXPECT_FALSE(world.legacyFactions.has_value());

    object.remove("factionIDs"_L1);
    object.insert("factions"_L1, JsonArray{JsonObject{{"name"_L1, u"Guild"_s}}});
    EXPECT_EQ(failurePath<WorldData>(object), u"factions[0].id"_s);
}
