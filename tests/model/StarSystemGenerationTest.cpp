#include "model/StarSystemGeneration.h"

#include "GenerationTestSupport.h"
#include "model/OrbitPopulation.h"
#include "model/TradeClass.h"
#include "model/WorldDescriptions.h"
#include "model/WorldProfileGeneration.h"

#include <gtest/gtest.h>

#include <QLocale>

using namespace Qt::StringLiterals;

namespace {

class SystemGeneration : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_previous = QLocale();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }
    void TearDown() override { QLocale::setDefault(m_previous); }

private:
    QLocale m_previous;
};

Star givenStar(SpectralType type, int decimal, LuminosityClass luminosity, double mass)
{
    Star star;
    star.id = QUuid::createUuid();
    star.name = u"Sol"_s;
    star.spectralType = type;
    star.temperature = decimal;
    star.luminosity = luminosity;
    star.mass = mass;
    return star;
}

bool isSatellite(const WorldData &world)
{
    return world.satelliteOrbit != PlanetOrbits::planetOrbit0;
}

bool isGasGiant(const WorldData &world)
{
    return world.type == WorldType::smallGasGiant || world.type == WorldType::largeGasGiant ||
           world.type == WorldType::iceGiant;
}

bool isMoonType(WorldType type)
{
    return type == WorldType::closeSatelliteGG || type == WorldType::closeSatelliteP ||
           type == WorldType::farSatelliteGG || type == WorldType::farSatelliteP;
}

int caseIndex(TechnologyLevel level)
{
    return static_cast<int>(level);
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
        if (!isSatellite(world) && !world.mainWorld && !isGasGiant(world) &&
            !(parent && parent->id == world.id))
            ++count;
    }
    return count;
}

QString giantNotes(const WorldData &giant)
{
    const GasGiantSizeClass sizeClass = gasGiantSizeClass(giant.uwp.size);
    QString text = rawValue(giant.type);
    if (!sizeClass.classText.isEmpty())
        text += u" ("_s + sizeClass.classText + u")"_s;
    return text + u", "_s + QLocale().toString(sizeClass.miles) + u" mi diameter, "_s +
           QLocale().toString(sizeClass.gravity) + u" G."_s;
}

void checkDayAndYear(const Star &star, const WorldData &world, const std::string &where)
{
    EXPECT_EQ(world.yearLength, star.orbitalPeriodHours(world.sunOrbit)) << where;
    const WorldData *parent = isSatellite(world) ? parentIn(star, world.sunOrbit) : nullptr;
    if (!parent) {
        const int orbit = orbitNumber(world.sunOrbit);
        if (orbit <= 1) {
            EXPECT_TRUE(world.tideLocked) << where;
        }
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
    if (period > 0 && close) {
        EXPECT_TRUE(world.tideLocked) << where;
    }
    if (world.tideLocked) {
        EXPECT_GT(period, 0) << where;
        EXPECT_EQ(world.dayLength, solarDayLength(period, world.yearLength)) << where;
    } else {
        EXPECT_TRUE(world.dayLength >= 13 && world.dayLength <= 33) << where;
        EXPECT_TRUE(period == 0 || period > world.dayLength) << where;
    }
}

// Everything a generated (or regenerated) system promises.
void checkSystem(const StarSystem &system, TechnologyLevel cap, bool randomTL)
{
    const TechnologyLevel lowest = lowestTechLevel(cap);

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
    if (!isMoonType(home.type)) {
        EXPECT_EQ(home.type == WorldType::asteroidBelt, home.uwp.size == 0);
    }
    EXPECT_EQ(isMoonType(home.type), isSatellite(home));
    if (isSatellite(home)) {
        const bool close =
            home.type == WorldType::closeSatelliteGG || home.type == WorldType::closeSatelliteP;
        if (close) {
            EXPECT_TRUE(home.satelliteOrbit >= PlanetOrbits::planetOrbitB &&
                        home.satelliteOrbit <= PlanetOrbits::planetOrbitL);
        } else {
            EXPECT_TRUE(home.satelliteOrbit >= PlanetOrbits::planetOrbitO &&
                        home.satelliteOrbit <= PlanetOrbits::planetOrbitY);
        }
        const WorldData *parent = mainWorldParent(system);
        ASSERT_NE(parent, nullptr);
        const bool ofGiant =
            home.type == WorldType::closeSatelliteGG || home.type == WorldType::farSatelliteGG;
        EXPECT_EQ(isGasGiant(*parent), ofGiant);
    }
    if (home.uwp.bases.contains(Base::imperialNavalBase)) {
        EXPECT_TRUE(home.uwp.starport == Starport::typeA || home.uwp.starport == Starport::typeB);
    }
    if (home.uwp.bases.contains(Base::scoutBase)) {
        EXPECT_TRUE(home.uwp.starport <= Starport::typeD);
    }

    EXPECT_TRUE(system.gasGiant >= 0 && system.gasGiant <= 4);
    EXPECT_TRUE(system.planetoidBelts >= 0 && system.planetoidBelts <= 3);
    const QList<WorldData> all = system.allWorlds();
    EXPECT_EQ(system.totalNumberOfWorlds, all.size());

    // Giants and belts always find room (at most eight bodies before other worlds).
    const WorldData *parent = mainWorldParent(system);
    qsizetype giants = 0;
    qsizetype belts = 0;
    for (const WorldData &world : all) {
        if (isSatellite(world) || (parent && world.id == parent->id))
            continue;
        giants += isGasGiant(world);
        belts += world.type == WorldType::planetoidBelt;
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
            EXPECT_FALSE(world.id.isNull()) << where;
            EXPECT_FALSE(ids.contains(world.id)) << where;
            ids.insert(world.id);
            EXPECT_TRUE(world.name.isEmpty()) << where;
            EXPECT_TRUE(world.satellites.isEmpty()) << where;
            EXPECT_TRUE(world.factionIDs.isEmpty() && world.worldTags.isEmpty()) << where;
            EXPECT_EQ(world.prevalentRace, Race::human) << where;
            EXPECT_EQ(world.tradeClasses, tradeClasses(world.uwp, world.climateZone(), false)) << where;

            if (isSatellite(world)) {
                const WorldData *worldParent = parentIn(star, world.sunOrbit);
                ASSERT_NE(worldParent, nullptr) << where;
                EXPECT_EQ(world.hzOffset, worldParent->hzOffset) << where;
                EXPECT_FALSE(letters[world.sunOrbit].contains(world.satelliteOrbit)) << where;
                letters[world.sunOrbit].insert(world.satelliteOrbit);
                if (!world.mainWorld) {
                    EXPECT_LE(world.uwp.size, std::max<qint64>(worldParent->uwp.size - 1, 0)) << where;
                }
            } else {
                EXPECT_FALSE(bodyOrbits.contains(world.sunOrbit)) << where;
                bodyOrbits.insert(world.sunOrbit);
                // The main world's parent shares its orbit and offset; every other
                // body lies in orbits 0 to 12 and is measured from its own star.
                if (!world.mainWorld && !(parent && parent->id == world.id)) {
                    EXPECT_TRUE(orbitNumber(world.sunOrbit) >= 0 && orbitNumber(world.sunOrbit) <= 12)
                        << where;
                    EXPECT_EQ(world.hzOffset,
                              orbitNumber(world.sunOrbit) - orbitNumber(star.habitableZoneOrbit()))
                        << where;
                }
            }

            if (randomTL || !world.mainWorld) {
                EXPECT_LE(caseIndex(world.uwp.techLevel), caseIndex(cap)) << where;
            }
            EXPECT_EQ(technologyLevelSystem(world.uwp.techLevel), technologyLevelSystem(cap)) << where;
            if (world.mainWorld) {
                if (!randomTL) {
                    EXPECT_EQ(world.uwp.techLevel, cap) << where;
                }
            } else if (isGasGiant(world)) {
                EXPECT_TRUE(world.uwp.size >= 21 && world.uwp.size <= 31) << where;
                EXPECT_EQ(world.type == WorldType::largeGasGiant, world.uwp.size >= 28) << where;
                EXPECT_EQ(world.uwp.starport, Starport::typeX) << where;
                EXPECT_EQ(world.uwp.population, 0) << where;
                EXPECT_EQ(world.uwp.techLevel, lowest) << where;
                EXPECT_EQ(world.notes, giantNotes(world)) << where;
                // In a one-star system giants are listed in the order they were made.
                if (system.stars.size() == 1 && world.uwp.size <= 27 && !(parent && parent->id == world.id)) {
                    ++smallGiants;
                    EXPECT_EQ(world.type,
                              smallGiants % 2 == 1 ? WorldType::smallGasGiant : WorldType::iceGiant)
                        << where;
                }
            } else if (world.uwp.population == 0) {
                EXPECT_EQ(world.uwp.government + world.uwp.lawLevel + world.uwp.populationMultiplier, 0)
                    << where;
                EXPECT_EQ(world.uwp.starport, Starport::typeY) << where;
                EXPECT_EQ(world.uwp.techLevel, lowest) << where;
            } else {
                EXPECT_LE(world.uwp.population, home.uwp.population - 1) << where;
                EXPECT_NE(world.type, WorldType::inferno) << where;
                EXPECT_NE(world.type, WorldType::radWorld) << where;
                EXPECT_GE(world.uwp.starport, Starport::typeF) << where; // a spaceport, or none
                if (world.uwp.population >= 10) {
                    EXPECT_EQ(world.uwp.starport, Starport::typeF) << where;
                }
                EXPECT_TRUE(world.uwp.populationMultiplier >= 1 && world.uwp.populationMultiplier <= 9)
                    << where;
                if (!randomTL) {
                    EXPECT_EQ(world.uwp.techLevel, cap) << where;
                }
            }
            checkDayAndYear(star, world, where);
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
        struct Case
        {
            SpectralType type;
            int row;
        };
        const Case cases[] = {
            {SpectralType::G, f},
            {SpectralType::M, std::min(f + 2, 12)},
            {SpectralType::O, std::max(f - 2, 0)},
            {SpectralType::B, std::max(f - 2, 0)},
            {SpectralType::A, f},
        };
        for (const Case &c : cases) {
            ScriptedDraws draws;
            draws.flux(flux);
            ScopedRandomSource scope(draws);
            EXPECT_EQ(rollHabitableZoneOffset(c.type), table[c.row]) << flux;
        }
    }
}

TEST(SystemGenerationRolls, MainWorldKind)
{
    struct Row
    {
        std::vector<int> fluxes;
        WorldType type;
        PlanetOrbits letter;
    };
    const Row rows[] = {
        {{-2}, WorldType::planet, PlanetOrbits::planetOrbit0},
        {{5}, WorldType::planet, PlanetOrbits::planetOrbit0},
        {{-3, 0, -5}, WorldType::closeSatelliteGG, PlanetOrbits::planetOrbitB},
        {{-3, 1, 5}, WorldType::closeSatelliteP, PlanetOrbits::planetOrbitL},
        {{-3, -5, 0}, WorldType::closeSatelliteGG, PlanetOrbits::planetOrbitG},
        {{-4, 0, -5}, WorldType::farSatelliteGG, PlanetOrbits::planetOrbitO},
        {{-5, 3, 5}, WorldType::farSatelliteP, PlanetOrbits::planetOrbitY},
        {{-4, 1, 1}, WorldType::farSatelliteP, PlanetOrbits::planetOrbitU},
    };
    for (const Row &row : rows) {
        ScriptedDraws draws;
        for (const int flux : row.fluxes)
            draws.flux(flux);
        ScopedRandomSource scope(draws);
        const MainWorldKind kind = rollMainWorldKind();
        EXPECT_EQ(kind.type, row.type) << row.fluxes.front();
        EXPECT_EQ(kind.satelliteOrbit, row.letter) << row.fluxes.front();
        EXPECT_EQ(draws.used(), draws.scripted());
    }
}

TEST_F(SystemGeneration, TheMainWorldIsRolledInOrder)
{
    const Star sun = givenStar(SpectralType::G, 2, LuminosityClass::V, 1.0);
    ScriptThenSeed draws(11);
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
    const StarSystem system = generateStarSystem(sun, false, TechnologyLevel::ttl15, true);
    EXPECT_TRUE(draws.scriptUsed());

    ASSERT_EQ(system.stars.size(), 1);
    EXPECT_EQ(system.stars[0].name, u"A"_s);
    EXPECT_EQ(system.stars[0].id, sun.id);
    EXPECT_EQ(system.stars[0].classification(), u"G2-V"_s);
    EXPECT_FALSE(system.id.isNull());
    EXPECT_TRUE(system.name.isEmpty());
    EXPECT_EQ(system.gasGiant, 1);
    EXPECT_EQ(system.planetoidBelts, 2);
    EXPECT_TRUE(system.starfarers);
    EXPECT_FALSE(system.sathar || system.other || system.surveyed);

    const WorldData home = *system.mainWorld();
    EXPECT_EQ(home.type, WorldType::planet);
    EXPECT_EQ(home.sunOrbit, Orbits::starOrbit3);
    EXPECT_EQ(home.satelliteOrbit, PlanetOrbits::planetOrbit0);
    EXPECT_EQ(home.hzOffset, 0);
    EXPECT_EQ(home.uwp.code(), u"A867BBC-D NS"_s);
    EXPECT_EQ(home.uwp.populationMultiplier, 3);
    EXPECT_NEAR(home.uwp.density, 0.95, 1e-9);
    EXPECT_EQ(home.uwp.techLevel, TechnologyLevel::ttl13);
    EXPECT_TRUE(home.uwp.tags.isEmpty());

    // Ten bodies fit the thirteen orbits: every other world was placed, and a
    // regeneration asks for the same six.
    EXPECT_EQ(otherBodies(system), 2 + 6);
    EXPECT_EQ(otherWorldsToGenerate(system), 6);
    checkSystem(system, TechnologyLevel::ttl15, true);
}

TEST_F(SystemGeneration, AHotterCompanionTakesFirstPlace)
{
    struct Row
    {
        int primaryFlux; // spectral type of the primary
        int primaryDecimal;
        int companionFlux;
        int companionDecimal;
        const char *first;
        const char *second;
    };
    const Row rows[] = {
        {0, 3, -1, 8, "G8-V", "K3-V.o16"},  // a G beside a K moves up
        {-1, 2, -1, 8, "G2-V", "G8-V.o16"}, // the same type stays, whatever the decimals
        {-1, 2, 0, 1, "G2-V", "K1-V.o16"},
    };
    for (const Row &row : rows) {
        ScriptThenSeed draws(3);
        draws.flux(row.primaryFlux).expect(10, row.primaryDecimal).flux(0).expect((qint64(1) << 53) + 1, 0);
        draws.die(2); // companion orbit 16
        draws.flux(row.companionFlux)
            .expect(10, row.companionDecimal)
            .flux(0)
            .expect((qint64(1) << 53) + 1, 0);
        ScopedRandomSource scope(draws);
        const StarSystem system = generateStarSystem(std::nullopt, true, TechnologyLevel::tl4, true);
        EXPECT_TRUE(draws.scriptUsed());
        ASSERT_EQ(system.stars.size(), 2);
        EXPECT_EQ(system.stars[0].classification(), QString::fromUtf8(row.first));
        EXPECT_EQ(system.stars[1].classification(), QString::fromUtf8(row.second));
        EXPECT_EQ(system.stars[0].name, u"A"_s);
        EXPECT_EQ(system.stars[1].name, u"B"_s);
        // The lowest mass of each class travels with its star.
        EXPECT_DOUBLE_EQ(system.stars[0].mass,
                         Star::massRange(system.stars[0].spectralType, LuminosityClass::V).low);
        EXPECT_DOUBLE_EQ(system.stars[1].mass,
                         Star::massRange(system.stars[1].spectralType, LuminosityClass::V).low);
        EXPECT_FALSE(system.stars[0].id.isNull());
        EXPECT_NE(system.stars[0].id, system.stars[1].id);
        checkSystem(system, TechnologyLevel::tl4, true);
    }
}

TEST_F(SystemGeneration, AMainWorldInsideOrbitZeroIsHeldAtZero)
{
    // A blue subdwarf has its zone in orbit 0; flux -5 gives f = 0 and offset -2.
    const Star star = givenStar(SpectralType::B, 4, LuminosityClass::VI, 5.0);
    ScriptThenSeed draws(5);
    draws.twoD(12); // starport X, no base rolls
    draws.flux(-5); // offset -2
    draws.flux(0);  // a planet
    ScopedRandomSource scope(draws);
    const StarSystem system = generateStarSystem(star, false, TechnologyLevel::ttl12, false);
    EXPECT_TRUE(draws.scriptUsed());
    const WorldData home = *system.mainWorld();
    EXPECT_EQ(home.sunOrbit, Orbits::starOrbit0);
    EXPECT_EQ(home.hzOffset, -2);
    EXPECT_EQ(home.uwp.starport, Starport::typeX);
    EXPECT_TRUE(home.uwp.bases.isEmpty());
    checkSystem(system, TechnologyLevel::ttl12, false);
}

TEST_F(SystemGeneration, AGivenStarLosesItsOldWorlds)
{
    Star star = givenStar(SpectralType::K, 2, LuminosityClass::V, 0.7);
    WorldData old;
    old.id = QUuid::createUuid();
    old.mainWorld = true;
    star.worlds << old;
    const StarSystem system = generateStarSystem(star, false, TechnologyLevel::ttl12, true);
    for (const WorldData &world : system.allWorlds())
        EXPECT_NE(world.id, old.id);
    checkSystem(system, TechnologyLevel::ttl12, true);
}

TEST_F(SystemGeneration, ASizeZeroPlanetIsABeltWithAPlanetsDensity)
{
    const Star sun = givenStar(SpectralType::G, 2, LuminosityClass::V, 1.0);
    ScriptThenSeed draws(9);
    draws.twoD(12).flux(0).flux(0).twoD(4).die(1); // X, offset 0, planet, no giants or belts
    draws.twoD(2);                                 // size 0: no atmosphere flux
    draws.flux(0);                                 // hydrographics (none on size 0)
    draws.twoD(5).expect(9, 0).flux(0).flux(0);    // population 5, multiplier, government, law
    draws.die(1);                                  // tech
    draws.twoD(2);                                 // two other worlds
    draws.flux(-5);                                // density of a planet: 0.95 - 0.1
    ScopedRandomSource scope(draws);
    const StarSystem system = generateStarSystem(sun, false, TechnologyLevel::ttl12, true);
    EXPECT_TRUE(draws.scriptUsed());
    const WorldData home = *system.mainWorld();
    EXPECT_EQ(home.type, WorldType::asteroidBelt);
    EXPECT_EQ(home.uwp.size, 0);
    EXPECT_EQ(home.uwp.atmosphere, 0);
    EXPECT_NEAR(home.uwp.density, 0.85, 1e-9); // a belt's own density would be 0.5
    checkSystem(system, TechnologyLevel::ttl12, true);
}

TEST_F(SystemGeneration, ThousandsOfSystemsKeepEveryRule)
{
    // The real random source: every system is new.
    const TechnologyLevel caps[] = {TechnologyLevel::ttl15, TechnologyLevel::ttl8, TechnologyLevel::tl4Plus,
                                    TechnologyLevel::tl6};
    for (int i = 0; i < 3000; ++i) {
        const bool binary = i % 2 == 1;
        const bool randomTL = i % 3 != 0;
        const TechnologyLevel cap = caps[i % 4];
        const StarSystem system = generateStarSystem(std::nullopt, binary, cap, randomTL);
        ASSERT_EQ(system.stars.size(), binary ? 2 : 1);
        for (const Star &star : system.stars) {
            EXPECT_NE(star.spectralType, SpectralType::O);
            EXPECT_NE(star.spectralType, SpectralType::B);
        }
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
            const StarSystem third = withGeneratedWorlds(again);
            EXPECT_EQ(otherBodies(third), otherBodies(system));
            if (::testing::Test::HasFailure())
                FAIL() << "regenerated system " << i;
        }
    }
}
