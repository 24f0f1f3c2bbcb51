#include "model/WorldProfileGeneration.h"

#include "GenerationTestSupport.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using W = WorldType;
using TL = TechnologyLevel;

struct Profile
{
    Starport starport;
    qint64 size, atmosphere, hydrographics, population, government;
};

constexpr Profile kNeutral{Starport::typeD, 5, 5, 5, 6, 6}; // no modifier at all

TL rollWithDie(const Profile &p, int die, TL maxTechLevel)
{
    ScriptedDraws draws;
    draws.die(die);
    ScopedRandomSource scope(draws);
    const TL level = rollTechLevel(p.starport, p.size, p.atmosphere, p.hydrographics, p.population,
                                   p.government, maxTechLevel, true);
    EXPECT_TRUE(draws.scriptUsed());
    return level;
}

void expectUnpopulated(const UWP &uwp, TL lowest, const std::string &context)
{
    EXPECT_EQ(uwp.population + uwp.government + uwp.lawLevel + uwp.populationMultiplier, 0) << context;
    EXPECT_EQ(uwp.starport, Starport::typeY) << context;
    EXPECT_EQ(uwp.techLevel, lowest) << context;
}

} // namespace

TEST(WorldProfileRolls, StarportAndBases)
{
    const struct
    {
        int port;
        std::vector<int> baseRolls;
        Starport starport;
        bool naval, scout;
    } rows[] = {
        {4, {4, 3}, Starport::typeA, true, true},  {2, {7, 5}, Starport::typeA, false, false},
        {3, {6, 4}, Starport::typeA, true, true},  {5, {5, 6}, Starport::typeB, true, false},
        {6, {6, 5}, Starport::typeB, false, true}, {7, {6}, Starport::typeC, false, true}, // scout only
        {8, {7}, Starport::typeC, false, false},   {9, {7}, Starport::typeD, false, true},
        {9, {8}, Starport::typeD, false, false},   {10, {}, Starport::typeE, false, false},
        {11, {}, Starport::typeE, false, false},   {12, {}, Starport::typeX, false, false},
    };
    for (const auto &row : rows) {
        ScriptedDraws draws;
        draws.twoD(row.port);
        for (const int roll : row.baseRolls)
            draws.twoD(roll);
        ScopedRandomSource scope(draws);
        const StarportAndBases result = rollStarportAndBases();
        EXPECT_EQ(result.starport, row.starport) << row.port;
        QSet<Base> bases;
        if (row.naval)
            bases.insert(Base::imperialNavalBase);
        if (row.scout)
            bases.insert(Base::scoutBase);
        EXPECT_EQ(result.bases, bases) << row.port;
        EXPECT_TRUE(draws.scriptUsed()) << row.port;
    }
}

TEST(WorldProfileRolls, WorldSizeRerollsTen)
{
    const struct
    {
        int roll, reroll; // reroll 0: none expected
        qint64 size;
    } rows[] = {{2, 0, 0}, {7, 0, 5}, {11, 0, 9}, {12, 1, 10}, {12, 6, 15}};
    for (const auto &row : rows) {
        ScriptedDraws draws;
        draws.twoD(row.roll);
        if (row.reroll)
            draws.die(row.reroll);
        ScopedRandomSource scope(draws);
        EXPECT_EQ(rollWorldSize(), row.size) << row.roll;
        EXPECT_TRUE(draws.scriptUsed());
    }
}

TEST(WorldProfileRolls, Hydrographics)
{
    const struct
    {
        qint64 size, atmosphere;
        int flux;
        qint64 hydrographics;
    } rows[] = {
        {0, 6, 5, 0}, {1, 6, 5, 0},                 // too small to hold water, the flux still rolled
        {5, 2, 3, 5}, {5, 9, 0, 9},  {5, 9, 5, 10}, // atmospheres 2 to 9: flux + atmosphere
        {5, 1, 5, 2}, {5, 10, 0, 6}, {5, 0, -2, 0}, {8, 15, 0, 10}, // others lose 4
    };
    for (const auto &row : rows) {
        ScriptedDraws draws;
        draws.flux(row.flux);
        ScopedRandomSource scope(draws);
        EXPECT_EQ(rollHydrographics(row.size, row.atmosphere), row.hydrographics)
            << row.size << " " << row.atmosphere << " " << row.flux;
        EXPECT_TRUE(draws.scriptUsed());
    }
}

TEST(WorldProfileRolls, TechLevelModifiers)
{
    // On the Traveller scale with die 1 the level is 1 + the modifiers; the last row
    // adds C's +2 to government 13's -2.
    using S = Starport;
    const struct
    {
        Starport starport;
        qint64 size, atmosphere, hydrographics, population, government;
        int modifier;
    } rows[] = {
        {S::typeD, 5, 5, 5, 6, 6, 0},  {S::typeA, 5, 5, 5, 6, 6, 6},  {S::typeB, 5, 5, 5, 6, 6, 4},
        {S::typeC, 5, 5, 5, 6, 6, 2},  {S::typeE, 5, 5, 5, 6, 6, 0},  {S::typeF, 5, 5, 5, 6, 6, 0},
        {S::typeD, 0, 5, 5, 6, 6, 2},  {S::typeD, 1, 5, 5, 6, 6, 2},  {S::typeD, 2, 5, 5, 6, 6, 1},
        {S::typeD, 4, 5, 5, 6, 6, 1},  {S::typeD, 5, 0, 5, 6, 6, 1},  {S::typeD, 5, 3, 5, 6, 6, 1},
        {S::typeD, 5, 4, 5, 6, 6, 0},  {S::typeD, 5, 10, 5, 6, 6, 1}, {S::typeD, 5, 15, 5, 6, 6, 1},
        {S::typeD, 5, 5, 8, 6, 6, 0},  {S::typeD, 5, 5, 9, 6, 6, 1},  {S::typeD, 5, 5, 10, 6, 6, 2},
        {S::typeD, 5, 5, 5, 1, 6, 1},  {S::typeD, 5, 5, 5, 5, 6, 1},  {S::typeD, 5, 5, 5, 8, 6, 0},
        {S::typeD, 5, 5, 5, 9, 6, 2},  {S::typeD, 5, 5, 5, 10, 6, 4}, {S::typeD, 5, 5, 5, 15, 6, 4},
        {S::typeD, 5, 5, 5, 6, 0, 1},  {S::typeD, 5, 5, 5, 6, 5, 1},  {S::typeD, 5, 5, 5, 6, 12, 0},
        {S::typeC, 5, 5, 5, 6, 13, 0},
    };
    for (const auto &row : rows) {
        const TL level = rollWithDie(
            {row.starport, row.size, row.atmosphere, row.hydrographics, row.population, row.government}, 1,
            TL::ttl22);
        EXPECT_EQ(numericValue(level), 1 + row.modifier) << "modifier " << row.modifier;
        EXPECT_EQ(technologyLevelSystem(level), TechnologyLevelSystem::traveller);
    }
}

TEST(WorldProfileRolls, TechLevelTravellerScaleClampsAndCaps)
{
    // Everything that raises the roll: 6 + 2 + 1 + 2 + 4 + 1 and a six make 22.
    const Profile best{Starport::typeA, 0, 0, 10, 10, 0};
    EXPECT_EQ(rollWithDie(best, 6, TL::ttl22), TL::ttl22);
    EXPECT_EQ(rollWithDie(best, 6, TL::ttl12), TL::ttl12);
    // An X port with a low die totals below 0: the lowest level.
    EXPECT_EQ(rollWithDie({Starport::typeX, 5, 5, 5, 6, 13}, 1, TL::ttl22), TL::ttl0);
    // Below the cap the roll stands.
    EXPECT_EQ(rollWithDie(kNeutral, 4, TL::ttl12), TL::ttl4);
}

TEST(WorldProfileRolls, TechLevelCoarseScale)
{
    const Profile portA{Starport::typeA, 5, 5, 5, 6, 6};
    const Profile portX{Starport::typeX, 5, 5, 5, 6, 6};
    const struct
    {
        Profile profile;
        int die;
        TL level;
    } rows[] = {
        {portX, 1, TL::tl0}, // total -3
        {portX, 4, TL::tl0}, // total 0
        {kNeutral, 1, TL::tl1},
        {kNeutral, 2, TL::tl1},
        {kNeutral, 3, TL::tl2},
        {portA, 3, TL::tl2},                             // 9
        {portA, 4, TL::tl3},                             // 10
        {portA, 5, TL::tl4},                             // 11
        {{Starport::typeA, 0, 0, 5, 6, 6}, 6, TL::tl4},  // 15
        {{Starport::typeA, 0, 0, 9, 6, 6}, 6, TL::tl5},  // 16
        {{Starport::typeA, 0, 0, 10, 9, 6}, 5, TL::tl5}, // 18
        {{Starport::typeA, 0, 0, 10, 9, 6}, 6, TL::tl6}, // 19
    };
    for (const auto &row : rows)
        EXPECT_EQ(rollWithDie(row.profile, row.die, TL::tl6), row.level) << row.die;

    // Capped by case order: "4+" lies between 4 and 5.
    const Profile sixteen{Starport::typeA, 0, 0, 9, 6, 6};
    EXPECT_EQ(rollWithDie(sixteen, 6, TL::tl4Plus), TL::tl4Plus);
    EXPECT_EQ(rollWithDie(portA, 5, TL::tl4Plus), TL::tl4);
    EXPECT_EQ(rollWithDie(sixteen, 6, TL::tl2), TL::tl2);
}

TEST(WorldProfileRolls, WithoutRandomTLTheCapIsTheLevelAndNothingIsDrawn)
{
    ScriptedDraws draws; // any draw fails the test
    ScopedRandomSource scope(draws);
    EXPECT_EQ(rollTechLevel(Starport::typeA, 8, 6, 7, 9, 4, TL::tl3, false), TL::tl3);
    EXPECT_EQ(rollTechLevel(Starport::typeX, 8, 6, 7, 9, 4, TL::ttl9, false), TL::ttl9);

    EXPECT_EQ(lowestTechLevel(TL::ttl15), TL::ttl0);
    EXPECT_EQ(lowestTechLevel(TL::ttl0), TL::ttl0);
    EXPECT_EQ(lowestTechLevel(TL::tl4Plus), TL::tl0);
    EXPECT_EQ(lowestTechLevel(TL::tl6), TL::tl0);
}

TEST(WorldProfileRolls, Population)
{
    const struct
    {
        qint64 atmosphere, hydrographics;
        int roll;
        qint64 population;
    } rows[] = {
        {5, 5, 7, 5}, {6, 1, 12, 10}, {3, 5, 7, 5}, {10, 5, 7, 5},                               // 2D - 2
        {2, 5, 7, 3}, {4, 5, 7, 3},   {7, 5, 7, 3}, {9, 5, 7, 3},  {11, 5, 7, 3}, {12, 5, 7, 3}, // 2D - 4
        {5, 0, 7, 4}, {5, -1, 7, 4},  {2, 0, 7, 2}, // dry: one less
        {2, 0, 3, 0}, {5, 5, 2, 0},                 // never below 0
    };
    for (const auto &row : rows) {
        ScriptedDraws draws;
        draws.twoD(row.roll);
        ScopedRandomSource scope(draws);
        EXPECT_EQ(rollPopulation(row.atmosphere, row.hydrographics, false), row.population)
            << row.atmosphere << " " << row.hydrographics << " " << row.roll;
    }

    // A main world: 2D, a 12 raised by r(4).
    ScriptedDraws main;
    main.twoD(11).twoD(12).expect(4, 3).twoD(2);
    ScopedRandomSource scope(main);
    EXPECT_EQ(rollPopulation(2, 0, true), 11);
    EXPECT_EQ(rollPopulation(2, 0, true), 15);
    EXPECT_EQ(rollPopulation(2, 0, true), 2);
    EXPECT_TRUE(main.scriptUsed());
}

TEST(WorldProfileRolls, Spaceport)
{
    const Starport forPopulationFive[] = {Starport::typeF, Starport::typeG, Starport::typeH,
                                          Starport::typeH, Starport::typeY, Starport::typeY};
    for (int die = 1; die <= 6; ++die) {
        ScriptedDraws draws;
        draws.die(die).die(die).die(die);
        ScopedRandomSource scope(draws);
        EXPECT_EQ(rollSpaceport(5), forPopulationFive[die - 1]) << die;
        EXPECT_EQ(rollSpaceport(10), Starport::typeF) << die;
        EXPECT_EQ(rollSpaceport(1), Starport::typeY) << die;
    }
}

TEST(WorldProfileRolls, GasGiantSizeClasses)
{
    const struct
    {
        qint64 size, miles;
        const char *text;
        double gravity;
    } rows[] = {
        {-4, 20000, "", 1.1},          {0, 20000, "", 1.1},        {20, 20000, "", 1.1},
        {21, 30000, "Neptune", 1.2},   {22, 40000, "", 1.2},       {23, 50000, "", 1.3},
        {24, 60000, "", 1.4},          {25, 70000, "Saturn", 1.2}, {26, 80000, "", 1.5},
        {27, 90000, "Jupiter", 2.5},   {28, 125000, "2 Mj", 2.6},  {29, 180000, "4 Mj", 2.5},
        {30, 220000, "6 Mj", 2.5},     {31, 250000, "8 Mj", 2.6},  {32, 350000, ">10 Mj", 2.4},
        {1000, 350000, ">10 Mj", 2.4},
    };
    for (const auto &row : rows) {
        const GasGiantSizeClass sizeClass = gasGiantSizeClass(row.size);
        EXPECT_EQ(sizeClass.miles, row.miles) << row.size;
        EXPECT_EQ(sizeClass.classText, QString::fromUtf8(row.text)) << row.size;
        EXPECT_DOUBLE_EQ(sizeClass.gravity, row.gravity) << row.size;
    }
}

TEST(WorldProfileKinds, APopulatedPlanetDrawsEveryCodeInTurn)
{
    ScriptedDraws draws;
    draws.twoD(9);      // size 7
    draws.flux(1);      // atmosphere 8
    draws.flux(0);      // hydrographics 8
    draws.twoD(10);     // population 8
    draws.flux(-1);     // government 7
    draws.flux(2);      // law 9
    draws.die(3);       // spaceport: 8 - 3 = 5, F
    draws.die(2);       // tech: 2 + 0 (F port, size 7, atmosphere 8, hydro 8, population 8, government 7)
    draws.expect(9, 4); // multiplier 5
    draws.flux(5);      // density 0.95 + 0.1
    ScopedRandomSource scope(draws);
    const UWP uwp = generateWorldProfile(W::planet, 15, true, TL::ttl12, 20, false);
    EXPECT_TRUE(draws.scriptUsed());
    EXPECT_EQ(uwp.code(), u"F788879-2 \u2014"_s); // no bases
    EXPECT_EQ(uwp.populationMultiplier, 5);
    EXPECT_NEAR(uwp.density, 1.05, 1e-9);
    EXPECT_TRUE(uwp.tags.isEmpty());
}

TEST(WorldProfileKinds, SizeDiceByKind)
{
    // The size roll of each kind with the highest dice, uncapped and capped at 5.
    const struct
    {
        W kind;
        std::vector<int> faces;
        qint64 uncapped;
    } rows[] = {
        {W::planet, {6, 6, 6}, 15},  // 2D - 2 = 10, then 1D + 9
        {W::bigWorld, {6, 6}, 19},   // 2D + 7
        {W::radWorld, {6, 6}, 12},   // 2D
        {W::inferno, {6}, 12},       // 1D + 6
        {W::stormWorld, {6, 6}, 12}, // 2D
        {W::iceworld, {1, 1}, 0},    // 2D - 2
    };
    for (const auto &row : rows) {
        for (const bool capped : {false, true}) {
            ScriptedDraws draws(7); // only the size is scripted
            for (const int face : row.faces)
                draws.die(face);
            ScopedRandomSource scope(draws);
            const UWP uwp = generateWorldProfile(row.kind, 15, true, TL::ttl15, 5, !capped);
            EXPECT_EQ(uwp.size, capped ? std::min<qint64>(row.uncapped, 5) : row.uncapped)
                << rawValue(row.kind).toStdString();
        }
    }
    ScriptedDraws worldlet(7); // r(3) + 1
    worldlet.expect(3, 2);
    ScopedRandomSource scope(worldlet);
    EXPECT_EQ(generateWorldProfile(W::worldlet, 15, true, TL::ttl15, 5, false).size, 3);
}

TEST(WorldProfileKinds, UnpopulatedKindsDrawNoSocialCodes)
{
    // An inferno: size, then only the density.
    ScriptedDraws inferno;
    inferno.die(2).flux(0);
    {
        ScopedRandomSource scope(inferno);
        const UWP uwp = generateWorldProfile(W::inferno, 15, true, TL::tl6, 20, false);
        EXPECT_EQ(uwp.size, 8);
        EXPECT_EQ(uwp.atmosphere, 11);
        EXPECT_EQ(uwp.hydrographics, 0);
        expectUnpopulated(uwp, TL::tl0, "inferno");
    }
    EXPECT_TRUE(inferno.scriptUsed());

    // A storm world held to size 0: atmosphere 4 without a flux, hydrographics from
    // a flux on size 0 (none), and the secondary population 2D - 4 (thin), - 1 (dry),
    // - 4 (storm).
    ScriptedDraws storm;
    storm.twoD(2);  // size 2, capped to 0
    storm.flux(5);  // hydrographics flux, no water on size 0
    storm.twoD(12); // population 12 - 4 - 1 - 4 = 3
    storm.flux(0);  // government 3
    storm.flux(0);  // law 3
    storm.die(1);   // spaceport: 3 - 1 = 2, H
    storm.die(3);   // tech: 3 + 2 (size 0) + 1 (population 3)
    storm.expect(9, 0);
    storm.flux(0);
    ScopedRandomSource scope(storm);
    const UWP uwp = generateWorldProfile(W::stormWorld, 15, true, TL::ttl15, 0, false);
    EXPECT_EQ(uwp.code(), u"H040333-6 \u2014"_s);
    EXPECT_EQ(uwp.populationMultiplier, 1);
    EXPECT_NEAR(uwp.density, 1.0, 1e-9);
    EXPECT_TRUE(storm.scriptUsed());
}

TEST(WorldProfileKinds, PopulationModifiersAndLimit)
{
    const struct
    {
        W kind;
        qint64 limit;
        qint64 population; // with atmosphere 6, hydrographics 5 and 2D = 12
    } rows[] = {
        {W::planet, 15, 10},  {W::bigWorld, 15, 10}, {W::innerWorld, 15, 6},
        {W::iceworld, 15, 4}, {W::worldlet, 15, 10}, {W::farSatelliteP, 15, 10},
        {W::planet, 7, 7},    {W::iceworld, 3, 3},   {W::worldlet, 0, 0},
    };
    for (const auto &row : rows) {
        // Size 6 from the kind's dice, atmosphere 6, hydrographics 5 (9 before an inner
        // world loses 4), then 2D = 12 for the population.
        ScriptedDraws draws;
        if (row.kind == W::bigWorld)
            draws.die(6).die(6); // 19, capped to 6
        else if (row.kind == W::worldlet)
            draws.expect(3, 2); // 3: no cap reached
        else
            draws.twoD(8);
        const qint64 size = row.kind == W::worldlet ? 3 : 6;
        draws.flux(6 - size);
        draws.flux(row.kind == W::innerWorld ? 3 : -1);
        draws.twoD(12);
        if (row.population > 0)
            draws.flux(0).flux(0).die(1).die(1).expect(9, 0);
        draws.flux(0);
        ScopedRandomSource scope(draws);
        const UWP uwp = generateWorldProfile(row.kind, row.limit, true, TL::ttl15, 6, false);
        const std::string kind = rawValue(row.kind).toStdString();
        EXPECT_EQ(uwp.atmosphere, 6) << kind;
        EXPECT_EQ(uwp.hydrographics, 5) << kind;
        EXPECT_EQ(uwp.population, row.population) << kind;
        EXPECT_TRUE(draws.scriptUsed()) << kind;
    }
}

TEST(WorldProfileKinds, BeltsAreEmptyRockWithAPossiblePopulation)
{
    for (const W belt : {W::asteroidBelt, W::planetoidBelt}) {
        ScriptedDraws draws;
        draws.twoD(12); // 12 - 2 - 1 (dry) = 9
        draws.flux(0).flux(0).die(1).die(1).expect(9, 8).flux(0);
        ScopedRandomSource scope(draws);
        const UWP uwp = generateWorldProfile(belt, 15, true, TL::tl6, 20, false);
        EXPECT_EQ(uwp.size + uwp.atmosphere + uwp.hydrographics, 0);
        EXPECT_EQ(uwp.population, 9);
        EXPECT_EQ(uwp.populationMultiplier, 9);
        EXPECT_NEAR(uwp.density, 0.5, 1e-9);
        EXPECT_TRUE(draws.scriptUsed());
    }
}

TEST(WorldProfileKinds, SecondaryProfileKeepsTheGivenCodes)
{
    ScriptedDraws draws;
    draws.twoD(9); // atmosphere 7 is thin: 9 - 4 = 5, plus 2
    draws.flux(-5).flux(-5).die(6).die(4).expect(9, 2).flux(0);
    ScopedRandomSource scope(draws);
    const UWP uwp = generateSecondaryWorldProfile(4, 7, 3, 2, 15, TL::tl6, true, W::iceworld);
    // Population 7, government 2, law -3 clamped to 0, spaceport 7 - 6 = 1: H,
    // tech 4 + 1 (size 4) = 5: coarse level 2.
    EXPECT_EQ(uwp.code(), u"H473720-2 \u2014"_s);
    EXPECT_EQ(uwp.populationMultiplier, 3);
    EXPECT_NEAR(uwp.density, 0.5, 1e-9);
    EXPECT_TRUE(draws.scriptUsed());
}

TEST(WorldProfileKinds, InvariantsOverManyRolls)
{
    for (const W kind : allCases<W>()) {
        const std::string name = rawValue(kind).toStdString();
        for (const TL cap : {TL::ttl9, TL::tl4Plus}) {
            for (int i = 0; i < 300; ++i) {
                const bool randomTL = i % 2 == 0;
                const qint64 maxSize = i % 7;
                const bool noSizeCap = i % 3 == 0;
                const qint64 limit = i % 5 == 0 ? 0 : 15;
                const UWP uwp = generateWorldProfile(kind, limit, randomTL, cap, maxSize, noSizeCap);

                EXPECT_TRUE(uwp.size >= 0 && (noSizeCap || uwp.size <= maxSize)) << name;
                EXPECT_TRUE(uwp.atmosphere >= 0 && uwp.atmosphere <= 15) << name;
                EXPECT_TRUE(uwp.hydrographics >= 0 && uwp.hydrographics <= 10) << name;
                EXPECT_TRUE(uwp.bases.isEmpty() && uwp.tags.isEmpty()) << name;
                EXPECT_GE(uwp.starport, Starport::typeF) << name; // a spaceport
                EXPECT_LE(static_cast<int>(uwp.techLevel), static_cast<int>(cap)) << name;
                EXPECT_EQ(technologyLevelSystem(uwp.techLevel), technologyLevelSystem(cap)) << name;
                EXPECT_GE(uwp.density, 0.05) << name;

                if (kind == W::inferno || kind == W::radWorld || limit == 0 || uwp.population == 0) {
                    expectUnpopulated(uwp, lowestTechLevel(cap), name);
                } else {
                    EXPECT_LE(uwp.population, limit) << name;
                    EXPECT_TRUE(uwp.government >= 0 && uwp.government <= 15) << name;
                    EXPECT_TRUE(uwp.lawLevel >= 0 && uwp.lawLevel <= 18) << name;
                    EXPECT_TRUE(uwp.populationMultiplier >= 1 && uwp.populationMultiplier <= 9) << name;
                    EXPECT_TRUE(randomTL || uwp.techLevel == cap) << name;
                    EXPECT_TRUE(uwp.population < 10 || uwp.starport == Starport::typeF) << name;
                    EXPECT_TRUE(uwp.population != 1 || uwp.starport == Starport::typeY) << name;
                }

                const bool noAir = uwp.atmosphere == 0 && uwp.hydrographics == 0;
                switch (kind) {
                case W::inferno: EXPECT_TRUE(uwp.atmosphere == 11 && uwp.hydrographics == 0); break;
                case W::innerWorld: EXPECT_LE(uwp.hydrographics, 6); break;
                case W::stormWorld:
                    EXPECT_GE(uwp.atmosphere, 4);
                    EXPECT_TRUE(uwp.size != 0 || (uwp.atmosphere == 4 && uwp.hydrographics == 0));
                    break;
                case W::asteroidBelt:
                case W::planetoidBelt: EXPECT_TRUE(uwp.size == 0 && noAir); break;
                case W::worldlet:
                    EXPECT_LE(uwp.size, 3);
                    EXPECT_TRUE(maxSize != 0 || noSizeCap || (uwp.size == 0 && noAir));
                    break;
                case W::bigWorld: EXPECT_TRUE(!noSizeCap || uwp.size >= 9); break;
                default: break;
                }
            }
        }
    }
}
