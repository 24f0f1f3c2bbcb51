#include "model/OrbitPopulation.h"

#include "GenerationTestSupport.h"
#include "model/WorldDescriptions.h"
#include "model/WorldProfileGeneration.h"

#include <QSet>

#include <gtest/gtest.h>

#include <array>
#include <limits>

using namespace Qt::StringLiterals;
using test_records::aWorld;

namespace {

using P = PlanetOrbits;
using W = WorldType;

WorldData mainWorldAt(Orbits orbit, qint64 hzOffset, qint64 size)
{
    return aWorld()
        .named(u"Home"_s)
        .main()
        .orbit(orbit)
        .hzOffset(hzOffset)
        .starport(Starport::typeB)
        .size(size)
        .population(7)
        .techLevel(TechnologyLevel::ttl11);
}

// An M5 V star: habitable zone in orbit 0.
Star redDwarf(Orbits orbit = Orbits::starOrbitP)
{
    return makeStar(SpectralType::M, 5, LuminosityClass::V, 0.3, orbit);
}

// One sun-like star populated around a main world of size 6 in orbit 3.
QList<Star> populateSun(qint64 giants, qint64 belts, qint64 others, const WorldData &home = {})
{
    return populateOrbits({makeStar()}, home.id.isNull() ? mainWorldAt(Orbits::starOrbit3, 0, 6) : home,
                          giants, belts, others, 6, true, TechnologyLevel::ttl11);
}

QList<WorldData> nonSatellites(const Star &star)
{
    QList<WorldData> result;
    for (const WorldData &world : star.worlds) {
        if (!isSatellite(world))
            result << world;
    }
    return result;
}

// The letters from `first` to `last` in their order.
QSet<P> letters(P first, P last)
{
    QSet<P> result;
    for (const P letter : allCases<P>()) {
        if (letter >= first && letter <= last)
            result.insert(letter);
    }
    return result;
}

} // namespace

TEST(OrbitPopulation, ZonesAroundTheHabitableOrbit)
{
    using Z = OrbitZone;
    const struct
    {
        int orbit, zone;
        Z expected;
    } rows[] = {{1, 3, Z::inner}, {2, 3, Z::habitable},  {4, 3, Z::habitable},
                {5, 3, Z::outer}, {-1, 0, Z::habitable}, {2, 0, Z::outer}};
    for (const auto &row : rows)
        EXPECT_EQ(orbitZone(row.orbit, row.zone), row.expected) << row.orbit << " around " << row.zone;
}

TEST(OrbitPopulation, OrbitTablesAtTheirEndsAndOffTheTable)
{
    const struct
    {
        OrbitTable table;
        int two, twelve;
    } rows[] = {{OrbitTable::largeGasGiant, -3, 7},
                {OrbitTable::iceGiant, 1, 11},
                {OrbitTable::otherWorld, 10, 9},
                {OrbitTable::lastOtherWorld, 17, 7}};
    for (const auto &row : rows) {
        EXPECT_EQ(orbitOffset(2, row.table), row.two);
        EXPECT_EQ(orbitOffset(12, row.table), row.twelve);
        // Rolls off the table read its ends rather than memory beside it.
        EXPECT_EQ(orbitOffset(1, row.table), row.two);
        EXPECT_EQ(orbitOffset(13, row.table), row.twelve);
    }
    EXPECT_EQ(orbitOffset(7, OrbitTable::otherWorld), 0);
}

TEST(OrbitPopulation, OrbitNumbersAndTheNearestFreeOrbit)
{
    EXPECT_EQ(orbitNumber(Orbits::starOrbitP), -1);
    EXPECT_EQ(orbitNumber(Orbits::starOrbit12), 12);
    EXPECT_EQ(orbitFromNumber(21), Orbits::starOrbit20);
    EXPECT_EQ(orbitFromNumber(-7), Orbits::starOrbitP);

    EXPECT_EQ(nearestFreeOrbit(5, {}, 12), 5);
    EXPECT_EQ(nearestFreeOrbit(5, {5}, 12), 4); // the lower side first
    EXPECT_EQ(nearestFreeOrbit(5, {4, 5}, 12), 6);
    EXPECT_EQ(nearestFreeOrbit(-3, {}, 12), 0);  // below 0 starts at 0
    EXPECT_EQ(nearestFreeOrbit(-3, {0}, 12), 1); // and looks above
    EXPECT_EQ(nearestFreeOrbit(17, {}, 12), 12); // never beyond the maximum
    EXPECT_EQ(nearestFreeOrbit(25, {}, 40), 20); // the maximum is at most 20
    EXPECT_EQ(nearestFreeOrbit(3, {}, -5), 0);   // and at least 0
    EXPECT_EQ(nearestFreeOrbit(3, {0}, -5), std::nullopt);
    EXPECT_EQ(nearestFreeOrbit(0, {-1}, 12), 0); // the primary's own place never blocks orbit 0

    const QSet<int> full{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    EXPECT_EQ(nearestFreeOrbit(6, full, 12), std::nullopt);
    EXPECT_EQ(nearestFreeOrbit(6, full, 13), 13);
}

TEST(OrbitPopulation, FirstFreeSatelliteOrbit)
{
    EXPECT_EQ(firstFreeSatelliteOrbit(true, 0, {}), P::planetOrbitG);
    EXPECT_EQ(firstFreeSatelliteOrbit(true, -5, {}), P::planetOrbitB);
    EXPECT_EQ(firstFreeSatelliteOrbit(false, 5, {}), P::planetOrbitY);
    // A taken letter gives the first free one of the same list.
    EXPECT_EQ(firstFreeSatelliteOrbit(true, 3, {P::planetOrbitJ}), P::planetOrbitB);
    EXPECT_EQ(firstFreeSatelliteOrbit(true, 3, {P::planetOrbitJ, P::planetOrbitB}), P::planetOrbitC);

    // The other list is the fallback; with every letter taken there is none.
    EXPECT_EQ(firstFreeSatelliteOrbit(true, 0, letters(P::planetOrbitB, P::planetOrbitL)), P::planetOrbitO);
    QSet<P> all = letters(P::planetOrbitB, P::planetOrbitX);
    EXPECT_EQ(firstFreeSatelliteOrbit(false, 0, all), P::planetOrbitY);
    all.insert(P::planetOrbitY);
    EXPECT_EQ(firstFreeSatelliteOrbit(false, 0, all), std::nullopt);
    EXPECT_EQ(firstFreeSatelliteOrbit(true, 2, all), std::nullopt);
}

TEST(OrbitPopulation, RotationAndSolarDay)
{
    ScriptedDraws draws;
    draws.die(1).die(1).flux(-5); // 2 + 16 - 5
    draws.die(6).die(6).flux(5);  // 12 + 16 + 5
    ScopedRandomSource scope(draws);
    EXPECT_EQ(rollRotationPeriod(), 13);
    EXPECT_EQ(rollRotationPeriod(), 33);

    EXPECT_EQ(solarDayLength(24, 8766), 24); // 24.07
    EXPECT_EQ(solarDayLength(45, 30), 90);   // the absolute value
    EXPECT_EQ(solarDayLength(0, 20), 0);
    EXPECT_EQ(solarDayLength(20, 0), 20);
    EXPECT_EQ(solarDayLength(-4, 20), -4);
}

TEST(PopulateOrbits, AGasGiantBelowOrbitZeroTakesTheNearestFreeOrbitAbove)
{
    // Red dwarf, zone 0, main world in orbit 0: the large giant's table asks for -3.
    const WorldData home = mainWorldAt(Orbits::starOrbit0, 0, 5);
    ScriptedDraws draws;
    draws.die(1);                    // the main world's moons: 1 - 4, none
    draws.die(6).die(6);             // size code 31: large
    draws.die(1).die(1);             // large table, 2D = 2: offset -3
    draws.flux(0);                   // density
    draws.die(1);                    // the giant's moons: none
    ScopedRandomSource scope(draws); // orbits 0 and 1 are always locked: no rotation drawn
    const QList<Star> stars = populateOrbits({redDwarf()}, home, 1, 0, 0, 6, true, TechnologyLevel::ttl11);
    EXPECT_TRUE(draws.scriptUsed());
    ASSERT_EQ(stars.size(), 1);
    ASSERT_EQ(stars[0].worlds.size(), 2);
    EXPECT_EQ(stars[0].worlds[0].id, home.id);
    const WorldData &giant = stars[0].worlds[1];
    EXPECT_EQ(giant.type, W::largeGasGiant);
    EXPECT_EQ(giant.uwp.size, 31);
    EXPECT_EQ(giant.sunOrbit, Orbits::starOrbit1);
    EXPECT_EQ(giant.hzOffset, 1);
    for (const WorldData &world : stars[0].worlds) {
        EXPECT_TRUE(world.tideLocked);
        EXPECT_EQ(world.dayLength, world.yearLength);
        EXPECT_EQ(world.yearLength, stars[0].orbitalPeriodHours(world.sunOrbit));
    }
}

TEST(PopulateOrbits, OneStarHoldsThirteenBodiesAtMost)
{
    SeededSource seeded(42);
    ScopedRandomSource scope(seeded);
    for (int run = 0; run < 100; ++run) {
        // 1 + 4 + 3 + 12 bodies asked for; moons never count against the orbits.
        const QList<WorldData> bodies = nonSatellites(populateSun(4, 3, 12)[0]);
        EXPECT_EQ(bodies.size(), 13);
        QSet<Orbits> orbits;
        qsizetype giants = 0;
        for (const WorldData &body : bodies) {
            EXPECT_TRUE(orbitNumber(body.sunOrbit) >= 0 && orbitNumber(body.sunOrbit) <= 12);
            orbits.insert(body.sunOrbit);
            giants += isGasGiant(body);
        }
        EXPECT_EQ(orbits.size(), 13);
        EXPECT_EQ(giants, 4); // placed before the other worlds, so all of them found room
    }
}

namespace {

// A hand-made system: a main world on the primary with one moon, a giant and a
// belt, and `total` as its stored count.
StarSystem handMadeSystem(qint64 total)
{
    StarSystem system;
    system.id = QUuid::createUuid();
    system.name = u"Kesh"_s;
    system.gasGiant = 2;
    system.planetoidBelts = 1;
    system.totalNumberOfWorlds = total;
    system.sathar = true;
    system.surveyed = true;
    Star primary = makeStar();
    primary.worlds << mainWorldAt(Orbits::starOrbit3, 0, 6);
    primary.worlds << aWorld().size(2).orbit(Orbits::starOrbit3).satelliteOrbit(P::planetOrbitD);
    system.stars = {primary};
    return system;
}

} // namespace

TEST(Regeneration, CountsOtherWorldsWithoutMoonsOrTheParent)
{
    // 10 - main - 2 giants - 1 belt - 1 moon.
    EXPECT_EQ(otherWorldsToGenerate(handMadeSystem(10)), 5);
    EXPECT_EQ(otherWorldsToGenerate(handMadeSystem(3)), 0); // never below 0

    // A moon main world counts once, as the main world; its parent is no other world either.
    StarSystem system = handMadeSystem(10);
    WorldData &home = system.stars[0].worlds[0];
    home.type = W::closeSatelliteGG;
    home.satelliteOrbit = P::planetOrbitC;
    EXPECT_EQ(otherWorldsToGenerate(system), 5);
    system.stars[0].worlds.prepend(aWorld().type(W::smallGasGiant).size(25).orbit(Orbits::starOrbit3));
    EXPECT_EQ(otherWorldsToGenerate(system), 4);
    // A giant in another orbit is no parent.
    system.stars[0].worlds[0].sunOrbit = Orbits::starOrbit4;
    EXPECT_EQ(otherWorldsToGenerate(system), 5);
}

TEST(Regeneration, WithoutAnyWorldTheSystemComesBackUnchanged)
{
    StarSystem system = handMadeSystem(9);
    system.stars[0].worlds.clear();
    EXPECT_EQ(withGeneratedWorlds(system), system);
    StarSystem noStars = system;
    noStars.stars.clear();
    EXPECT_EQ(withGeneratedWorlds(noStars), noStars);
    EXPECT_TRUE(
        populateOrbits({}, mainWorldAt(Orbits::starOrbit3, 0, 6), 2, 2, 5, 6, true, TechnologyLevel::ttl11)
            .isEmpty());
}

TEST(Regeneration, KeepsTheSystemAndItsMainWorld)
{
    const StarSystem system = handMadeSystem(12);
    const StarSystem before = system;
    for (int run = 0; run < 20; ++run) {
        const StarSystem result = withGeneratedWorlds(system);
        EXPECT_EQ(system, before); // the input is untouched
        // Only the stars' worlds and the count of records change.
        StarSystem expected = system;
        expected.stars = result.stars;
        expected.totalNumberOfWorlds = result.allWorlds().size();
        EXPECT_EQ(result, expected);
        ASSERT_EQ(result.stars.size(), 1);
        Star star = result.stars[0];
        star.worlds = system.stars[0].worlds;
        EXPECT_EQ(star, system.stars[0]);
        // The main world keeps everything but its day and year.
        const std::optional<WorldData> home = result.mainWorld();
        ASSERT_TRUE(home.has_value());
        WorldData kept = *home;
        kept.dayLength = kept.yearLength = 0;
        kept.tideLocked = false;
        EXPECT_EQ(kept, system.stars[0].worlds[0]);
        // Other worlds live under its population and on its tech-level scale.
        for (const WorldData &world : result.allWorlds()) {
            EXPECT_TRUE(world.mainWorld || world.uwp.population < home->uwp.population);
            EXPECT_EQ(technologyLevelSystem(world.uwp.techLevel), TechnologyLevelSystem::traveller);
        }
    }
}

// Stored counts far beyond what the orbits hold, or below zero: regeneration fills
// every orbit up to 12 on every star and stops, without overflowing on the way.
TEST(Regeneration, AbsurdStoredCountsPlaceWhatFitsAndNothingMore)
{
    constexpr qint64 kMax = std::numeric_limits<qint64>::max(), kMin = std::numeric_limits<qint64>::min();
    const std::array<std::array<qint64, 3>, 5> counts{
        {{100'000'000, 0, 10}, {kMax, kMax, kMin}, {0, 7, kMax}, {kMin, kMax, kMax}, {-5, 3, 40}}};
    for (const auto &[giants, belts, total] : counts) {
        StarSystem system = handMadeSystem(total);
        system.gasGiant = giants;
        system.planetoidBelts = belts;
        system.stars << redDwarf(Orbits::starOrbit17) << redDwarf(Orbits::starOrbit19);
        EXPECT_GE(otherWorldsToGenerate(system), 0);
        for (const Star &star : withGeneratedWorlds(system).stars) {
            QSet<int> orbits;
            for (const WorldData &world : nonSatellites(star)) {
                EXPECT_FALSE(orbits.contains(orbitNumber(world.sunOrbit))) << "two bodies in one orbit";
                orbits.insert(orbitNumber(world.sunOrbit));
            }
            EXPECT_EQ(orbits, QSet<int>({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
        }
    }
}
