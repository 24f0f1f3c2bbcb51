#include "model/OrbitPopulation.h"

#include "GenerationTestSupport.h"
#include "model/WorldDescriptions.h"
#include "model/WorldProfileGeneration.h"

#include <QSet>

#include <gtest/gtest.h>

#include <array>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

using P = PlanetOrbits;
using W = WorldType;

WorldData planetOfSize(qint64 size, double density = 1.0)
{
    WorldData world;
    world.type = W::planet;
    world.uwp.size = size;
    world.uwp.density = density;
    return world;
}

WorldData mainWorldAt(Orbits orbit, qint64 hzOffset, qint64 size)
{
    WorldData world = planetOfSize(size);
    world.id = QUuid::createUuid();
    world.name = u"Home"_s;
    world.mainWorld = true;
    world.sunOrbit = orbit;
    world.hzOffset = hzOffset;
    world.uwp.starport = Starport::typeB;
    world.uwp.population = 7;
    world.uwp.techLevel = TechnologyLevel::ttl11;
    return world;
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
    } rows[] = {{0, 3, Z::inner},     {1, 3, Z::inner}, {2, 3, Z::habitable}, {3, 3, Z::habitable},
                {4, 3, Z::habitable}, {5, 3, Z::outer}, {12, 3, Z::outer},    {-1, 0, Z::habitable},
                {0, 0, Z::habitable}, {2, 0, Z::outer}, {10, 12, Z::inner},   {11, 12, Z::habitable}};
    for (const auto &row : rows)
        EXPECT_EQ(orbitZone(row.orbit, row.zone), row.expected) << row.orbit << " around " << row.zone;
}

TEST(OrbitPopulation, OrbitTables)
{
    const struct
    {
        OrbitTable table;
        std::array<int, 11> values; // for 2D = 2 ... 12
    } rows[] = {
        {OrbitTable::largeGasGiant, {-3, -2, -1, 0, 1, 2, 3, 4, 5, 6, 7}},
        {OrbitTable::smallGasGiant, {-2, -1, 0, 1, 2, 3, 4, 5, 6, 7, 8}},
        {OrbitTable::iceGiant, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
        {OrbitTable::otherWorld, {10, 8, 6, 4, 2, 0, 1, 3, 5, 7, 9}},
        {OrbitTable::lastOtherWorld, {17, 16, 15, 14, 13, 12, 11, 10, 9, 8, 7}},
    };
    for (const auto &row : rows) {
        for (int roll = 2; roll <= 12; ++roll)
            EXPECT_EQ(orbitOffset(roll, row.table), row.values[roll - 2]) << roll;
        // Rolls off the table read its ends rather than memory beside it.
        EXPECT_EQ(orbitOffset(1, row.table), row.values.front());
        EXPECT_EQ(orbitOffset(13, row.table), row.values.back());
    }
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
    EXPECT_EQ(nearestFreeOrbit(5, {3, 4, 5, 6, 7}, 12), 2);
    EXPECT_EQ(nearestFreeOrbit(-3, {}, 12), 0);  // below 0 starts at 0
    EXPECT_EQ(nearestFreeOrbit(-3, {0}, 12), 1); // and looks above
    EXPECT_EQ(nearestFreeOrbit(0, {0, 1, 2}, 12), 3);
    EXPECT_EQ(nearestFreeOrbit(17, {}, 12), 12); // never beyond the maximum
    EXPECT_EQ(nearestFreeOrbit(17, {12, 11}, 12), 10);
    EXPECT_EQ(nearestFreeOrbit(25, {}, 40), 20); // the maximum is at most 20
    EXPECT_EQ(nearestFreeOrbit(3, {}, -5), 0);   // and at least 0
    EXPECT_EQ(nearestFreeOrbit(3, {0}, -5), std::nullopt);
    EXPECT_EQ(nearestFreeOrbit(0, {-1}, 12), 0); // the primary's own place never blocks orbit 0

    QSet<int> full;
    for (int orbit = 0; orbit <= 12; ++orbit)
        full.insert(orbit);
    EXPECT_EQ(nearestFreeOrbit(6, full, 12), std::nullopt);
    EXPECT_EQ(nearestFreeOrbit(6, full, 13), 13);
}

TEST(OrbitPopulation, SatelliteCounts)
{
    const struct
    {
        bool gasGiant;
        OrbitZone zone;
        std::array<int, 6> counts; // for 1D = 1 ... 6
    } rows[] = {
        {true, OrbitZone::inner, {0, 1, 2, 3, 4, 5}},  {true, OrbitZone::outer, {0, 1, 2, 3, 4, 5}},
        {false, OrbitZone::inner, {0, 0, 0, 0, 0, 1}}, {false, OrbitZone::habitable, {0, 0, 0, 0, 1, 2}},
        {false, OrbitZone::outer, {0, 0, 0, 1, 2, 3}},
    };
    for (const auto &row : rows) {
        for (int die = 1; die <= 6; ++die) {
            ScriptedDraws draws;
            draws.die(die);
            ScopedRandomSource scope(draws);
            EXPECT_EQ(rollSatelliteCount(row.gasGiant, row.zone), row.counts[die - 1]) << die;
        }
    }
}

TEST(OrbitPopulation, FirstFreeSatelliteOrbit)
{
    EXPECT_EQ(firstFreeSatelliteOrbit(true, 0, {}), P::planetOrbitG);
    EXPECT_EQ(firstFreeSatelliteOrbit(true, -5, {}), P::planetOrbitB);
    EXPECT_EQ(firstFreeSatelliteOrbit(true, 5, {}), P::planetOrbitL);
    EXPECT_EQ(firstFreeSatelliteOrbit(false, -5, {}), P::planetOrbitO);
    EXPECT_EQ(firstFreeSatelliteOrbit(false, 5, {}), P::planetOrbitY);
    // A taken letter gives the first free one of the same list.
    EXPECT_EQ(firstFreeSatelliteOrbit(true, 3, {P::planetOrbitJ}), P::planetOrbitB);
    EXPECT_EQ(firstFreeSatelliteOrbit(true, 3, {P::planetOrbitJ, P::planetOrbitB}), P::planetOrbitC);
    EXPECT_EQ(firstFreeSatelliteOrbit(false, 0, {P::planetOrbitT}), P::planetOrbitO);

    // The other list is the fallback; with every letter taken there is none.
    EXPECT_EQ(firstFreeSatelliteOrbit(true, 0, letters(P::planetOrbitB, P::planetOrbitL)), P::planetOrbitO);
    QSet<P> all = letters(P::planetOrbitB, P::planetOrbitX);
    EXPECT_EQ(firstFreeSatelliteOrbit(false, 0, all), P::planetOrbitY);
    all.insert(P::planetOrbitY);
    EXPECT_EQ(firstFreeSatelliteOrbit(false, 0, all), std::nullopt);
    EXPECT_EQ(firstFreeSatelliteOrbit(true, 2, all), std::nullopt);
}

TEST(OrbitPopulation, KindTables)
{
    const std::array<W, 6> inner{W::inferno,    W::innerWorld, W::bigWorld,
                                 W::stormWorld, W::radWorld,   W::planet};
    const std::array<W, 6> outerWorlds{W::worldlet, W::iceworld, W::bigWorld,
                                       W::iceworld, W::radWorld, W::iceworld};
    const std::array<W, 6> outerMoons{W::worldlet,   W::iceworld, W::bigWorld,
                                      W::stormWorld, W::radWorld, W::iceworld};
    for (int r = 0; r < 6; ++r) {
        ScriptedDraws draws;
        for (int i = 0; i < 6; ++i)
            draws.expect(6, r);
        ScopedRandomSource scope(draws);
        EXPECT_EQ(rollOuterWorldKind(OrbitZone::inner), inner[r]) << r;
        EXPECT_EQ(rollOuterWorldKind(OrbitZone::habitable), inner[r]) << r;
        EXPECT_EQ(rollOuterWorldKind(OrbitZone::outer), outerWorlds[r]) << r;
        EXPECT_EQ(rollSatelliteKind(OrbitZone::inner), inner[r]) << r;
        EXPECT_EQ(rollSatelliteKind(OrbitZone::habitable), inner[r]) << r;
        EXPECT_EQ(rollSatelliteKind(OrbitZone::outer), outerMoons[r]) << r;
    }
}

TEST(OrbitPopulation, TypeFollowsSize)
{
    const struct
    {
        W kind;
        qint64 size;
        W type;
    } rows[] = {
        {W::bigWorld, 0, W::planetoidBelt}, {W::bigWorld, 1, W::worldlet}, {W::bigWorld, 3, W::worldlet},
        {W::bigWorld, 4, W::planet},        {W::bigWorld, 10, W::planet},  {W::bigWorld, 11, W::bigWorld},
        {W::iceworld, 0, W::planetoidBelt}, {W::iceworld, 2, W::iceworld}, {W::inferno, 12, W::inferno}};
    for (const auto &row : rows)
        EXPECT_EQ(generatedWorldType(row.kind, row.size), row.type) << row.size;
}

TEST_F(EnglishNumbers, GasGiantRecords)
{
    const struct
    {
        qint64 size;
        W type;
        TechnologyLevel cap;
        const char *notes;
        TechnologyLevel level;
    } rows[] = {
        {29, W::largeGasGiant, TechnologyLevel::ttl12, "Large Gas Giant (4 Mj), 180,000 mi diameter, 2.5 G.",
         TechnologyLevel::ttl0},
        {22, W::smallGasGiant, TechnologyLevel::tl4, "Small Gas Giant, 40,000 mi diameter, 1.2 G.",
         TechnologyLevel::tl0},
        {21, W::iceGiant, TechnologyLevel::tl4Plus, "Ice Giant (Neptune), 30,000 mi diameter, 1.2 G.",
         TechnologyLevel::tl0},
        {32, W::largeGasGiant, TechnologyLevel::ttl0, "Large Gas Giant (>10 Mj), 350,000 mi diameter, 2.4 G.",
         TechnologyLevel::ttl0},
    };
    // Identity, race and trade classes of generated giants are checked with every
    // generated system; here the record's own values.
    for (const auto &row : rows) {
        const WorldData giant = makeGasGiant(row.size, row.type, Orbits::starOrbit7, 4, row.cap);
        EXPECT_EQ(giant.notes, QString::fromUtf8(row.notes));
        EXPECT_EQ(giant.type, row.type);
        EXPECT_EQ(giant.sunOrbit, Orbits::starOrbit7);
        EXPECT_EQ(giant.satelliteOrbit, P::planetOrbit0);
        EXPECT_EQ(giant.hzOffset, 4);
        const UWP &uwp = giant.uwp;
        EXPECT_EQ(uwp.starport, Starport::typeX);
        EXPECT_EQ(uwp.size, row.size);
        EXPECT_EQ(uwp.code().mid(2), u"00000-0 \u2014"_s); // no air, water, people or bases
        EXPECT_EQ(uwp.populationMultiplier, 0);
        EXPECT_EQ(uwp.techLevel, row.level);
    }
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
    EXPECT_EQ(solarDayLength(30, 45), 90);
    EXPECT_EQ(solarDayLength(45, 30), 90); // the absolute value
    EXPECT_EQ(solarDayLength(20, 20), 20);
    EXPECT_EQ(solarDayLength(0, 20), 0);
    EXPECT_EQ(solarDayLength(20, 0), 20);
    EXPECT_EQ(solarDayLength(-4, 20), -4);
}

TEST(OrbitPopulation, SatelliteOrbitalPeriods)
{
    // Around a size-8 planet: orbit A lies 4 diameters out, orbit B 4.6 diameters.
    const WorldData earth = planetOfSize(8);
    EXPECT_EQ(satelliteOrbitalPeriod(P::planetOrbitA, earth), 32);             // 31.82
    EXPECT_EQ(satelliteOrbitalPeriod(P::planetOrbitB, earth), 39);             // 39.24
    EXPECT_EQ(satelliteOrbitalPeriod(P::planetOrbitM, planetOfSize(1)), 1348); // 1347.54

    WorldData jupiter = planetOfSize(27);
    jupiter.type = W::largeGasGiant;
    EXPECT_EQ(satelliteOrbitalPeriod(P::planetOrbitA, jupiter), 68);     // 67.50
    EXPECT_EQ(satelliteOrbitalPeriod(P::planetOrbitY, jupiter), 302655); // 302655.19
    // The same size code as a planet has no gravity (size above 16): no period.
    EXPECT_EQ(satelliteOrbitalPeriod(P::planetOrbitA, planetOfSize(27)), 0);
    EXPECT_EQ(satelliteOrbitalPeriod(P::planetOrbitA, planetOfSize(0)), 0);
    EXPECT_EQ(satelliteOrbitalPeriod(P::planetOrbitA, planetOfSize(8, 0.0)), 0);
}

TEST(OrbitPopulation, PlanetDayAndYear)
{
    const Star sun = makeStar();
    {
        ScriptedDraws none; // close orbits roll no rotation
        ScopedRandomSource scope(none);
        for (const Orbits close : {Orbits::starOrbitP, Orbits::starOrbit0, Orbits::starOrbit1}) {
            const qint64 year = sun.orbitalPeriodHours(close);
            EXPECT_EQ(planetDayAndYear(sun, close), (DayAndYear{year, year, true}));
        }
    }
    ScriptedDraws draws(1);
    for (int i = 0; i < 3; ++i)
        draws.twoD(7).flux(0); // 23 hours
    ScopedRandomSource scope(draws);
    EXPECT_EQ(planetDayAndYear(sun, Orbits::starOrbit3), (DayAndYear{23, 8766, false}));
    Star heavy = sun; // a year of 5 hours, shorter than the rotation: locked
    heavy.mass = 1e6;
    EXPECT_EQ(planetDayAndYear(heavy, Orbits::starOrbit2), (DayAndYear{5, 5, true}));
    Star massless = sun; // no year
    massless.mass = 0;
    EXPECT_EQ(planetDayAndYear(massless, Orbits::starOrbit5), (DayAndYear{23, 0, false}));
    EXPECT_TRUE(draws.scriptUsed());
}

TEST(OrbitPopulation, SatelliteDayAndYear)
{
    const Star sun = makeStar();
    ScriptedDraws draws(1);
    for (int i = 0; i < 3; ++i)
        draws.twoD(7).flux(0); // rotation 23
    draws.twoD(2).flux(-5);    // rotation 13
    draws.twoD(2).flux(-5);
    ScopedRandomSource scope(draws);
    const Orbits o3 = Orbits::starOrbit3;
    // Orbit A is close: locked, the day from its 32-hour period and the year.
    EXPECT_EQ(satelliteDayAndYear(sun, o3, planetOfSize(8), P::planetOrbitA),
              (DayAndYear{solarDayLength(32, 8766), 8766, true}));
    // Orbit M around a small world takes 1,348 hours, longer than a day: free.
    EXPECT_EQ(satelliteDayAndYear(sun, o3, planetOfSize(1), P::planetOrbitM), (DayAndYear{23, 8766, false}));
    // No period around a massless parent: never locked, even in a close orbit.
    EXPECT_EQ(satelliteDayAndYear(sun, o3, planetOfSize(0), P::planetOrbitB), (DayAndYear{23, 8766, false}));
    // Orbit M of a very dense world takes 13 hours (13.48): no longer than a 13-hour
    // rotation, so it is locked although its letter lies beyond L.
    EXPECT_EQ(satelliteDayAndYear(sun, o3, planetOfSize(16, 10000.0), P::planetOrbitM),
              (DayAndYear{13, 8766, true}));
    // Around a Jupiter the same orbit takes months: free, the day is the rotation.
    WorldData jupiter = planetOfSize(27);
    jupiter.type = W::largeGasGiant;
    EXPECT_EQ(satelliteDayAndYear(sun, o3, jupiter, P::planetOrbitM), (DayAndYear{13, 8766, false}));
    EXPECT_TRUE(draws.scriptUsed());
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

TEST(PopulateOrbits, EverySecondSmallGiantIsAnIceGiant)
{
    // Sun-like star, zone 3, main world in orbit 3.
    ScriptedDraws draws(1);
    draws.die(1);                          // main world's moons: none
    draws.twoD(2).twoD(7).flux(0).die(1);  // 21: small, offset 3 -> orbit 6
    draws.twoD(9).twoD(7).flux(0).die(1);  // 28: large, offset 2 -> orbit 5
    draws.twoD(3).twoD(2).flux(0).die(1);  // 22: ice, offset 1 -> orbit 4
    draws.twoD(4).twoD(2).flux(0).die(1);  // 23: small, offset -2 -> orbit 1
    draws.twoD(5).twoD(12).flux(0).die(1); // 24: ice, offset 11 -> 14, held at 12
    ScopedRandomSource scope(draws);
    const QList<WorldData> worlds = populateSun(5, 0, 0)[0].worlds;
    EXPECT_TRUE(draws.scriptUsed());
    ASSERT_EQ(worlds.size(), 6);
    const struct
    {
        W type;
        Orbits orbit;
        qint64 offset;
    } expected[] = {
        {W::smallGasGiant, Orbits::starOrbit6, 3}, {W::largeGasGiant, Orbits::starOrbit5, 2},
        {W::iceGiant, Orbits::starOrbit4, 1},      {W::smallGasGiant, Orbits::starOrbit1, -2},
        {W::iceGiant, Orbits::starOrbit12, 9},
    };
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(worlds[i + 1].type, expected[i].type) << i;
        EXPECT_EQ(worlds[i + 1].sunOrbit, expected[i].orbit) << i;
        EXPECT_EQ(worlds[i + 1].hzOffset, expected[i].offset) << i;
    }
}

TEST(PopulateOrbits, GiantsBeltsAndWorldsTakeTurnsAmongTheStars)
{
    // Primary G2 V (zone 3) and a K5 V companion (zone 2): giant 1 starts at the
    // primary, giant 2 at the companion; the belt starts at star (2 + 0) mod 2.
    const Star companion = makeStar(SpectralType::K, 5, LuminosityClass::V, 0.6, Orbits::starOrbit16);
    ScriptedDraws draws(1);
    draws.die(1);                         // main world's moons: none
    draws.twoD(2).twoD(7).flux(0).die(1); // small giant: primary, 3 + 3 = orbit 6
    draws.twoD(2).twoD(2).flux(0).die(1); // ice giant: companion, 2 + 1 = orbit 3
    draws.twoD(5);                        // belt: primary, 3 + 2 = orbit 5
    ScopedRandomSource scope(draws);
    const QList<Star> stars = populateOrbits({makeStar(), companion}, mainWorldAt(Orbits::starOrbit3, 0, 6),
                                             2, 1, 0, 6, true, TechnologyLevel::ttl11);
    EXPECT_TRUE(draws.scriptUsed());
    const QList<WorldData> primary = nonSatellites(stars[0]);
    const QList<WorldData> second = nonSatellites(stars[1]);
    ASSERT_EQ(primary.size(), 3);
    ASSERT_EQ(second.size(), 1);
    EXPECT_EQ(primary[1].type, W::smallGasGiant);
    EXPECT_EQ(primary[1].sunOrbit, Orbits::starOrbit6);
    EXPECT_EQ(primary[2].type, W::planetoidBelt);
    EXPECT_EQ(primary[2].sunOrbit, Orbits::starOrbit5);
    EXPECT_EQ(primary[2].hzOffset, 2);
    EXPECT_EQ(primary[2].uwp.size, 0);
    EXPECT_EQ(second[0].type, W::iceGiant);
    EXPECT_EQ(second[0].sunOrbit, Orbits::starOrbit3);
    EXPECT_EQ(second[0].hzOffset, 1);
    EXPECT_EQ(second[0].yearLength, stars[1].orbitalPeriodHours(Orbits::starOrbit3));
}

TEST(PopulateOrbits, TheLastOtherWorldIsHeldAtOrbitTwelve)
{
    ScriptedDraws draws(1);
    draws.die(1);       // main world's moons: none
    draws.twoD(2);      // the last world's table: 17
    draws.expect(6, 0); // outer zone, r(6) = 0: worldlet
    ScopedRandomSource scope(draws);
    const QList<WorldData> worlds = nonSatellites(populateSun(0, 0, 1)[0]);
    EXPECT_TRUE(draws.scriptUsed());
    ASSERT_EQ(worlds.size(), 2);
    EXPECT_EQ(worlds[1].sunOrbit, Orbits::starOrbit12);
    EXPECT_EQ(worlds[1].hzOffset, 9);
    EXPECT_EQ(worlds[1].type, W::worldlet);
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

TEST(PopulateOrbits, AMoonMainWorldGetsItsParentFirst)
{
    SeededSource seeded(7);
    ScopedRandomSource scope(seeded);
    const struct
    {
        W type;
        P letter;
    } rows[] = {{W::closeSatelliteGG, P::planetOrbitC},
                {W::farSatelliteGG, P::planetOrbitT},
                {W::closeSatelliteP, P::planetOrbitB},
                {W::farSatelliteP, P::planetOrbitY}};
    for (const auto &row : rows) {
        const bool ofGiant = row.type == W::closeSatelliteGG || row.type == W::farSatelliteGG;
        for (int run = 0; run < 30; ++run) {
            WorldData home = mainWorldAt(Orbits::starOrbit4, 1, 5);
            home.type = row.type;
            home.satelliteOrbit = row.letter;
            const Star star = populateSun(0, 0, 0, home)[0];
            // The parent, then the main world; neither gets further moons.
            ASSERT_EQ(star.worlds.size(), 2);
            const WorldData &parent = star.worlds[0];
            const WorldData &moon = star.worlds[1];
            EXPECT_EQ(moon.id, home.id);
            EXPECT_EQ(parent.sunOrbit, home.sunOrbit);
            EXPECT_EQ(parent.hzOffset, home.hzOffset);
            EXPECT_EQ(parent.satelliteOrbit, P::planetOrbit0);
            if (ofGiant) {
                EXPECT_TRUE(parent.uwp.size >= 21 && parent.uwp.size <= 31);
                EXPECT_EQ(parent.type, parent.uwp.size <= 27 ? W::smallGasGiant : W::largeGasGiant);
            } else {
                EXPECT_TRUE(parent.uwp.size >= 9 && parent.uwp.size <= 19);
                EXPECT_EQ(parent.type, parent.uwp.size >= 11 ? W::bigWorld : W::planet);
                EXPECT_LE(parent.uwp.population, 6);
            }
            // The moon's day comes from its parent: a close moon of a massive parent is locked.
            const qint64 year = star.orbitalPeriodHours(home.sunOrbit);
            EXPECT_EQ(moon.yearLength, year);
            if (row.letter <= P::planetOrbitL && mass(parent) > 0) {
                EXPECT_TRUE(moon.tideLocked);
                EXPECT_EQ(moon.dayLength, solarDayLength(satelliteOrbitalPeriod(row.letter, parent), year));
            }
        }
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
    WorldData moon = planetOfSize(2);
    moon.sunOrbit = Orbits::starOrbit3;
    moon.satelliteOrbit = P::planetOrbitD;
    primary.worlds << moon;
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
    WorldData parent = planetOfSize(25);
    parent.type = W::smallGasGiant;
    parent.sunOrbit = Orbits::starOrbit3;
    system.stars[0].worlds.prepend(parent);
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

TEST(Regeneration, FindsTheMainWorldOnAnyStar)
{
    StarSystem system = handMadeSystem(6);
    WorldData home = system.stars[0].worlds.takeFirst();
    WorldData stray = planetOfSize(4);
    stray.id = QUuid::createUuid();
    system.stars[0].worlds.prepend(stray);
    Star companion = redDwarf(Orbits::starOrbit17);
    companion.worlds << home;
    system.stars << companion;

    const StarSystem result = withGeneratedWorlds(system);
    const std::optional<WorldData> found = result.mainWorld();
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->id, home.id);
    qsizetype mainWorlds = 0;
    for (const WorldData &world : result.allWorlds()) {
        mainWorlds += world.mainWorld;
        EXPECT_NE(world.id, stray.id);
    }
    EXPECT_EQ(mainWorlds, 1);
}

TEST(Regeneration, WithoutAFlaggedMainWorldTheFirstWorldIsKept)
{
    StarSystem system = handMadeSystem(6);
    system.stars[0].worlds[0].mainWorld = false;
    const QUuid first = system.stars[0].worlds[0].id;
    qsizetype kept = 0;
    for (const WorldData &world : withGeneratedWorlds(system).allWorlds())
        kept += world.id == first;
    EXPECT_EQ(kept, 1);
    EXPECT_EQ(otherWorldsToGenerate(system), 1); // 6 - 1 - 2 - 1 - the moon
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
