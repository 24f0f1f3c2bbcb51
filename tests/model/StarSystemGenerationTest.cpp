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

TEST(SystemGenerationRolls, StarNames)
{
    EXPECT_EQ(starName(0), u"A"_s);
    EXPECT_EQ(starName(1), u"B"_s);
    EXPECT_EQ(starName(25), u"Z"_s);
    EXPECT_EQ(starName(26), u"27"_s);
    EXPECT_EQ(starName(99), u"100"_s);
}

TEST(SystemGenerationRolls, HabitableZoneOffset)
{
    const std::array<qint64, 13> table{-2, -1, -1, -1, 0, 0, 0, 0, 0, 1, 1, 1, 2};
    for (int flux = -5; flux <= 5; ++flux) {
        const int f = flux + 7;
        const struct
        {
            SpectralType type;
            int row;
        } cases[] = {
            {SpectralType::G, f},
            {SpectralType::A, f},
            {SpectralType::M, std::min(f + 2, 12)},
            {SpectralType::O, std::max(f - 2, 0)},
            {SpectralType::B, std::max(f - 2, 0)},
        };
        for (const auto &c : cases) {
            ScriptedDraws draws;
            draws.flux(flux);
            ScopedRandomSource scope(draws);
            EXPECT_EQ(rollHabitableZoneOffset(c.type), table[c.row]) << flux;
        }
    }
}

TEST(SystemGenerationRolls, MainWorldKind)
{
    using P = PlanetOrbits;
    const struct
    {
        std::vector<int> fluxes;
        W type;
        P letter;
    } rows[] = {
        {{-2}, W::planet, P::planetOrbit0},
        {{5}, W::planet, P::planetOrbit0},
        {{-3, 0, -5}, W::closeSatelliteGG, P::planetOrbitB},
        {{-3, 1, 5}, W::closeSatelliteP, P::planetOrbitL},
        {{-3, -5, 0}, W::closeSatelliteGG, P::planetOrbitG},
        {{-4, 0, -5}, W::farSatelliteGG, P::planetOrbitO},
        {{-5, 3, 5}, W::farSatelliteP, P::planetOrbitY},
        {{-4, 1, 1}, W::farSatelliteP, P::planetOrbitU},
    };
    for (const auto &row : rows) {
        ScriptedDraws draws;
        for (const int flux : row.fluxes)
            draws.flux(flux);
        ScopedRandomSource scope(draws);
        const MainWorldKind kind = rollMainWorldKind();
        EXPECT_EQ(kind.type, row.type) << row.fluxes.front();
        EXPECT_EQ(kind.satelliteOrbit, row.letter) << row.fluxes.front();
        EXPECT_TRUE(draws.scriptUsed());
    }
}

TEST(SystemGeneration, TheMainWorldIsRolledInOrder)
{
    Star sun = makeStar();
    WorldData old; // a given star's worlds are not kept
    old.id = QUuid::createUuid();
    old.mainWorld = true;
    sun.worlds << old;
    ScriptedDraws draws(11);
    draws.twoD(4).twoD(4).twoD(3); // starport A, naval and scout bases
    draws.flux(0);                 // offset 0: orbit 3
    draws.flux(0);                 // a planet
    draws.twoD(7);                 // one gas giant
    draws.die(5);                  // two belts
    draws.twoD(10);                // size 8
    draws.flux(-2);                // atmosphere 6
    draws.flux(1);                 // hydrographics 7
    draws.twoD(11);                // population 11
    draws.expect(9, 2);            // multiplier 3
    draws.flux(0);                 // government 11
    draws.flux(1);                 // law 12
    draws.die(3);                  // tech: 3 + 6 (A) + 4 (population 11)
    draws.twoD(6);                 // six other worlds
    draws.flux(0);                 // density of a planet
    ScopedRandomSource scope(draws);
    const StarSystem system = generateStarSystem(sun, false, TL::ttl15, true);
    EXPECT_TRUE(draws.scriptUsed());

    ASSERT_EQ(system.stars.size(), 1);
    EXPECT_EQ(system.stars[0].id, sun.id);
    for (const WorldData &world : system.allWorlds())
        EXPECT_NE(world.id, old.id);
    EXPECT_EQ(system.stars[0].classification(), u"G2-V"_s);
    EXPECT_FALSE(system.id.isNull());
    EXPECT_TRUE(system.name.isEmpty());
    EXPECT_EQ(system.gasGiant, 1);
    EXPECT_EQ(system.planetoidBelts, 2);
    EXPECT_TRUE(system.starfarers);
    EXPECT_FALSE(system.sathar || system.other || system.surveyed);

    const WorldData home = *system.mainWorld();
    EXPECT_EQ(home.type, W::planet);
    EXPECT_EQ(home.sunOrbit, Orbits::starOrbit3);
    EXPECT_EQ(home.satelliteOrbit, PlanetOrbits::planetOrbit0);
    EXPECT_EQ(home.hzOffset, 0);
    EXPECT_EQ(home.uwp.code(), u"A867BBC-D NS"_s);
    EXPECT_EQ(home.uwp.populationMultiplier, 3);
    EXPECT_NEAR(home.uwp.density, 0.95, 1e-9);
    EXPECT_EQ(home.uwp.techLevel, TL::ttl13);
    EXPECT_TRUE(home.uwp.tags.isEmpty());

    // Ten bodies fit the thirteen orbits: every other world was placed, and a
    // regeneration asks for the same six.
    EXPECT_EQ(otherBodies(system), 2 + 6);
    EXPECT_EQ(otherWorldsToGenerate(system), 6);
    checkSystem(system, TL::ttl15, true);
}

TEST(SystemGeneration, AHotterCompanionTakesFirstPlace)
{
    const struct
    {
        int primaryFlux, primaryDecimal; // the flux gives the spectral type
        int companionFlux, companionDecimal;
        const char *first;
        const char *second;
    } rows[] = {
        {0, 3, -1, 8, "G8-V", "K3-V.o16"},  // a G beside a K moves up
        {-1, 2, -1, 8, "G2-V", "G8-V.o16"}, // the same type stays, whatever the decimals
        {-1, 2, 0, 1, "G2-V", "K1-V.o16"},
    };
    const qint64 lowestMass = (qint64(1) << 53) + 1; // the draw that places the mass in its range
    for (const auto &row : rows) {
        ScriptedDraws draws(3);
        draws.flux(row.primaryFlux).expect(10, row.primaryDecimal).flux(0).expect(lowestMass, 0);
        draws.die(2); // companion orbit 16
        draws.flux(row.companionFlux).expect(10, row.companionDecimal).flux(0).expect(lowestMass, 0);
        ScopedRandomSource scope(draws);
        const StarSystem system = generateStarSystem(std::nullopt, true, TL::tl4, true);
        EXPECT_TRUE(draws.scriptUsed());
        ASSERT_EQ(system.stars.size(), 2);
        EXPECT_EQ(system.stars[0].classification(), QString::fromUtf8(row.first));
        EXPECT_EQ(system.stars[1].classification(), QString::fromUtf8(row.second));
        // The lowest mass of each class travels with its star.
        for (const Star &star : system.stars)
            EXPECT_DOUBLE_EQ(star.mass, Star::massRange(star.spectralType, LuminosityClass::V).low);
        EXPECT_FALSE(system.stars[0].id.isNull());
        EXPECT_NE(system.stars[0].id, system.stars[1].id);
        checkSystem(system, TL::tl4, true);
    }
}

TEST(SystemGeneration, AMainWorldInsideOrbitZeroIsHeldAtZero)
{
    // A blue subdwarf has its zone in orbit 0; flux -5 gives f = 0 and offset -2.
    const Star star = makeStar(SpectralType::B, 4, LuminosityClass::VI, 5.0);
    ScriptedDraws draws(5);
    draws.twoD(12); // starport X, no base rolls
    draws.flux(-5); // offset -2
    draws.flux(0);  // a planet
    ScopedRandomSource scope(draws);
    const StarSystem system = generateStarSystem(star, false, TL::ttl12, false);
    EXPECT_TRUE(draws.scriptUsed());
    const WorldData home = *system.mainWorld();
    EXPECT_EQ(home.sunOrbit, Orbits::starOrbit0);
    EXPECT_EQ(home.hzOffset, -2);
    EXPECT_EQ(home.uwp.starport, Starport::typeX);
    EXPECT_TRUE(home.uwp.bases.isEmpty());
    checkSystem(system, TL::ttl12, false);
}

TEST(SystemGeneration, ASizeZeroPlanetIsABeltWithAPlanetsDensity)
{
    ScriptedDraws draws(9);
    draws.twoD(12).flux(0).flux(0).twoD(4).die(1); // X, offset 0, planet, no giants or belts
    draws.twoD(2);                                 // size 0: no atmosphere flux
    draws.flux(0);                                 // hydrographics (none on size 0)
    draws.twoD(5).expect(9, 0).flux(0).flux(0);    // population 5, multiplier, government, law
    draws.die(1);                                  // tech
    draws.twoD(2);                                 // two other worlds
    draws.flux(-5);                                // density of a planet: 0.95 - 0.1
    ScopedRandomSource scope(draws);
    const StarSystem system = generateStarSystem(makeStar(), false, TL::ttl12, true);
    EXPECT_TRUE(draws.scriptUsed());
    const WorldData home = *system.mainWorld();
    EXPECT_EQ(home.type, W::asteroidBelt);
    EXPECT_EQ(home.uwp.size + home.uwp.atmosphere, 0);
    EXPECT_NEAR(home.uwp.density, 0.85, 1e-9); // a belt's own density would be 0.5
    checkSystem(system, TL::ttl12, true);
}

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
