#include "model/StarSystemGeneration.h"

#include "GenerationTestSupport.h"
#include "model/OrbitPopulation.h"
#include "model/TradeClass.h"
#include "model/WorldDescriptions.h"
#include "model/WorldProfileGeneration.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using W = WorldType;
using TL = TechnologyLevel;

bool isMoonType(W type)
{
    return type == W::closeSatelliteGG || type == W::closeSatelliteP || type == W::farSatelliteGG ||
           type == W::farSatelliteP;
}

// The non-moon world of `star` in `orbit`, if any.
const WorldData *parentIn(const Star &star, Orbits orbit)
{
    for (const WorldData &world : star.worlds) {
        if (!isSatellite(world) && world.sunOrbit == orbit)
            return &world;
    }
    return nullptr;
}

// The main world's parent: the non-moon body in its orbit, when it is a moon.
const WorldData *mainWorldParent(const StarSystem &system)
{
    const auto index = system.mainWorldIndex();
    if (!index)
        return nullptr;
    const Star &star = system.stars[index->star];
    const WorldData &home = star.worlds[index->world];
    return isSatellite(home) ? parentIn(star, home.sunOrbit) : nullptr;
}

// Worlds placed as "other worlds" or belts: bodies circling a star directly that are
// neither the main world, its parent nor a gas giant.
qsizetype otherBodies(const StarSystem &system)
{
    const WorldData *parent = mainWorldParent(system);
    qsizetype count = 0;
    for (const WorldData &world : system.allWorlds()) {
        count += !isSatellite(world) && !world.mainWorld && !isGasGiant(world) &&
                 !(parent && parent->id == world.id);
    }
    return count;
}

void checkDayAndYear(const Star &star, const WorldData &world, const std::string &where)
{
    EXPECT_EQ(world.yearLength, star.orbitalPeriodHours(world.sunOrbit)) << where;
    const WorldData *parent = isSatellite(world) ? parentIn(star, world.sunOrbit) : nullptr;
    if (!parent) {
        const int orbit = orbitNumber(world.sunOrbit);
        EXPECT_TRUE(orbit > 1 || world.tideLocked) << where;
        if (world.tideLocked) {
            EXPECT_EQ(world.dayLength, world.yearLength) << where;
            EXPECT_TRUE(orbit <= 1 || (world.yearLength >= 1 && world.yearLength <= 33)) << where;
        } else {
            EXPECT_TRUE(world.dayLength >= 13 && world.dayLength <= 33) << where;
        }
        return;
    }
    const qint64 period = satelliteOrbitalPeriod(world.satelliteOrbit, *parent);
    const bool close = world.satelliteOrbit <= PlanetOrbits::planetOrbitL;
    EXPECT_TRUE(period <= 0 || !close || world.tideLocked) << where;
    if (world.tideLocked) {
        EXPECT_GT(period, 0) << where;
        EXPECT_EQ(world.dayLength, solarDayLength(period, world.yearLength)) << where;
    } else {
        EXPECT_TRUE(world.dayLength >= 13 && world.dayLength <= 33) << where;
        EXPECT_TRUE(period == 0 || period > world.dayLength) << where;
    }
}

// Everything a generated (or regenerated) system promises.
void checkSystem(const StarSystem &system, TL cap, bool randomTL)
{
    const TL lowest = lowestTechLevel(cap);

    ASSERT_FALSE(system.stars.isEmpty());
    EXPECT_EQ(system.stars[0].orbit, Orbits::starOrbitP);
    for (qsizetype s = 0; s < system.stars.size(); ++s) {
        EXPECT_EQ(system.stars[s].name, QString(QChar(char16_t(u'A' + s))));
        if (s > 0) {
            EXPECT_TRUE(orbitNumber(system.stars[s].orbit) >= 15 && orbitNumber(system.stars[s].orbit) <= 20);
            EXPECT_LE(system.stars[0].spectralType, system.stars[s].spectralType);
        }
    }

    // Exactly one main world, on the primary.
    qsizetype mainWorlds = 0;
    for (const WorldData &world : system.allWorlds())
        mainWorlds += world.mainWorld;
    ASSERT_EQ(mainWorlds, 1);
    const auto mainIndex = system.mainWorldIndex();
    ASSERT_TRUE(mainIndex.has_value());
    EXPECT_EQ(mainIndex->star, 0);
    const WorldData home = *system.mainWorld();
    EXPECT_TRUE(home.uwp.population >= 2 && home.uwp.population <= 15);
    EXPECT_TRUE(home.uwp.populationMultiplier >= 1 && home.uwp.populationMultiplier <= 9);
    EXPECT_TRUE(home.hzOffset >= -2 && home.hzOffset <= 2);
    EXPECT_EQ(orbitNumber(home.sunOrbit),
              std::clamp<int>(orbitNumber(system.stars[0].habitableZoneOrbit()) + home.hzOffset, 0, 20));
    // Only a planet becomes a belt at size 0; a moon keeps its kind.
    EXPECT_TRUE(isMoonType(home.type) || (home.type == W::asteroidBelt) == (home.uwp.size == 0));
    EXPECT_EQ(isMoonType(home.type), isSatellite(home));
    const WorldData *parent = mainWorldParent(system);
    if (isSatellite(home)) {
        const bool close = home.type == W::closeSatelliteGG || home.type == W::closeSatelliteP;
        const PlanetOrbits first = close ? PlanetOrbits::planetOrbitB : PlanetOrbits::planetOrbitO;
        const PlanetOrbits last = close ? PlanetOrbits::planetOrbitL : PlanetOrbits::planetOrbitY;
        EXPECT_TRUE(home.satelliteOrbit >= first && home.satelliteOrbit <= last);
        ASSERT_NE(parent, nullptr);
        EXPECT_EQ(isGasGiant(*parent), home.type == W::closeSatelliteGG || home.type == W::farSatelliteGG);
    }
    EXPECT_TRUE(!home.uwp.bases.contains(Base::imperialNavalBase) || home.uwp.starport <= Starport::typeB);
    EXPECT_TRUE(!home.uwp.bases.contains(Base::scoutBase) || home.uwp.starport <= Starport::typeD);

    EXPECT_TRUE(system.gasGiant >= 0 && system.gasGiant <= 4);
    EXPECT_TRUE(system.planetoidBelts >= 0 && system.planetoidBelts <= 3);
    const QList<WorldData> all = system.allWorlds();
    EXPECT_EQ(system.totalNumberOfWorlds, all.size());

    // Giants and belts always find room (at most eight bodies before other worlds).
    qsizetype giants = 0;
    qsizetype belts = 0;
    for (const WorldData &world : all) {
        if (isSatellite(world) || (parent && world.id == parent->id))
            continue;
        giants += isGasGiant(world);
        belts += world.type == W::planetoidBelt;
    }
    EXPECT_EQ(giants, system.gasGiant);
    EXPECT_GE(belts, system.planetoidBelts);
    EXPECT_LE(otherBodies(system), system.planetoidBelts + 12);

    QSet<QUuid> ids;
    for (qsizetype s = 0; s < system.stars.size(); ++s) {
        const Star &star = system.stars[s];
        QSet<Orbits> bodyOrbits;
        QHash<Orbits, QSet<PlanetOrbits>> letters;
        int smallGiants = 0;
        for (const WorldData &world : star.worlds) {
            const std::string where = "star " + std::to_string(s) + " " + rawValue(world.type).toStdString() +
                                      " in " + std::to_string(orbitNumber(world.sunOrbit)) + "/" +
                                      rawValue(world.satelliteOrbit).toStdString();
            const bool isParent = parent && parent->id == world.id;
            EXPECT_FALSE(world.id.isNull() || ids.contains(world.id)) << where;
            ids.insert(world.id);
            EXPECT_TRUE(world.name.isEmpty() && world.satellites.isEmpty()) << where;
            EXPECT_TRUE(world.factionIDs.isEmpty() && world.worldTags.isEmpty()) << where;
            EXPECT_EQ(world.prevalentRace, Race::human) << where;
            EXPECT_EQ(world.tradeClasses, tradeClasses(world.uwp, world.climateZone(), false)) << where;

            if (isSatellite(world)) {
                const WorldData *worldParent = parentIn(star, world.sunOrbit);
                ASSERT_NE(worldParent, nullptr) << where;
                EXPECT_EQ(world.hzOffset, worldParent->hzOffset) << where;
                EXPECT_FALSE(letters[world.sunOrbit].contains(world.satelliteOrbit)) << where;
                letters[world.sunOrbit].insert(world.satelliteOrbit);
                EXPECT_TRUE(world.mainWorld ||
                            world.uwp.size <= std::max<qint64>(worldParent->uwp.size - 1, 0))
                    << where;
            } else {
                EXPECT_FALSE(bodyOrbits.contains(world.sunOrbit)) << where;
                bodyOrbits.insert(world.sunOrbit);
                // The main world's parent shares its orbit and offset; every other
                // body lies in orbits 0 to 12 and is measured from its own star.
                if (!world.mainWorld && !isParent) {
                    EXPECT_TRUE(orbitNumber(world.sunOrbit) >= 0 && orbitNumber(world.sunOrbit) <= 12)
                        << where;
                    EXPECT_EQ(world.hzOffset,
                              orbitNumber(world.sunOrbit) - orbitNumber(star.habitableZoneOrbit()))
                        << where;
                }
            }

            checkDayAndYear(star, world, where);
            // With randomTL off every populated world carries the cap; the rest the lowest level.
            EXPECT_EQ(technologyLevelSystem(world.uwp.techLevel), technologyLevelSystem(cap)) << where;
            if (world.mainWorld || world.uwp.population > 0) {
                EXPECT_TRUE(randomTL ? static_cast<int>(world.uwp.techLevel) <= static_cast<int>(cap)
                                     : world.uwp.techLevel == cap)
                    << where;
            } else {
                EXPECT_EQ(world.uwp.techLevel, lowest) << where;
            }
            if (world.mainWorld)
                continue;
            if (isGasGiant(world)) {
                EXPECT_TRUE(world.uwp.size >= 21 && world.uwp.size <= 31) << where;
                EXPECT_EQ(world.type == W::largeGasGiant, world.uwp.size >= 28) << where;
                EXPECT_EQ(world.uwp.starport, Starport::typeX) << where;
                EXPECT_EQ(world.uwp.population, 0) << where;
                EXPECT_TRUE(world.notes.startsWith(rawValue(world.type))) << where;
                // In a one-star system giants are listed in the order they were made.
                if (system.stars.size() == 1 && world.uwp.size <= 27 && !isParent) {
                    ++smallGiants;
                    EXPECT_EQ(world.type, smallGiants % 2 == 1 ? W::smallGasGiant : W::iceGiant) << where;
                }
            } else {
                // Profiles come from the world rules, under the main world's population.
                EXPECT_LE(world.uwp.population, std::max<qint64>(home.uwp.population - 1, 0)) << where;
                EXPECT_GE(world.uwp.starport, Starport::typeF) << where; // a spaceport, or none
            }
        }
    }
}

} // namespace

TEST(SystemGeneration, ThousandsOfSystemsKeepEveryRule)
{
    // The real random source: every system is new.
    const TL caps[] = {TL::ttl15, TL::ttl8, TL::tl4Plus, TL::tl6};
    for (int i = 0; i < 3000; ++i) {
        const bool binary = i % 2 == 1;
        const bool randomTL = i % 3 != 0;
        const TL cap = caps[i % 4];
        const StarSystem system = generateStarSystem(std::nullopt, binary, cap, randomTL);
        ASSERT_EQ(system.stars.size(), binary ? 2 : 1);
        for (const Star &star : system.stars)
            EXPECT_TRUE(star.spectralType != SpectralType::O && star.spectralType != SpectralType::B);
        checkSystem(system, cap, randomTL);
        if (::testing::Test::HasFailure())
            FAIL() << "system " << i;

        if (i % 10 == 0) {
            // Regenerating keeps the main world and asks for the same other worlds.
            const StarSystem again = withGeneratedWorlds(system);
            const WorldData home = *system.mainWorld();
            EXPECT_EQ(again.mainWorld()->id, home.id);
            EXPECT_EQ(otherWorldsToGenerate(again), otherWorldsToGenerate(system));
            EXPECT_EQ(otherBodies(again), otherBodies(system));
            checkSystem(again, home.uwp.techLevel, true);
            EXPECT_EQ(otherBodies(withGeneratedWorlds(again)), otherBodies(system));
            if (::testing::Test::HasFailure())
                FAIL() << "regenerated system " << i;
        }
    }
}
