#include "model/WorldProfileGeneration.h"

#include "StarTestSupport.h"

#include <gtest/gtest.h>

#include <QLocale>

using namespace Qt::StringLiterals;

namespace {

// Two dice that add up to `total`, the first die as low as it can be.
ScriptedDraws &twoD(ScriptedDraws &draws, int total)
{
    const int first = total <= 7 ? 1 : total - 6;
    return draws.die(first).die(total - first);
}

struct Profile
{
    Starport starport;
    qint64 size;
    qint64 atmosphere;
    qint64 hydrographics;
    qint64 population;
    qint64 government;
};

constexpr Profile kNeutral{Starport::typeD, 5, 5, 5, 6, 6}; // no modifier at all

TechnologyLevel rollWithDie(const Profile &p, int die, TechnologyLevel maxTechLevel)
{
    ScriptedDraws draws;
    draws.die(die);
    ScopedRandomSource scope(draws);
    const TechnologyLevel level = rollTechLevel(p.starport, p.size, p.atmosphere, p.hydrographics,
                                                p.population, p.government, maxTechLevel, true);
    EXPECT_EQ(draws.used(), 1);
    return level;
}

int index(TechnologyLevel level)
{
    return static_cast<int>(level);
}

bool isSpaceport(Starport port)
{
    return port == Starport::typeF || port == Starport::typeG || port == Starport::typeH ||
           port == Starport::typeY;
}

void expectUnpopulated(const UWP &uwp, TechnologyLevel lowest, const std::string &context)
{
    EXPECT_EQ(uwp.population, 0) << context;
    EXPECT_EQ(uwp.government, 0) << context;
    EXPECT_EQ(uwp.lawLevel, 0) << context;
    EXPECT_EQ(uwp.populationMultiplier, 0) << context;
    EXPECT_EQ(uwp.starport, Starport::typeY) << context;
    EXPECT_EQ(uwp.techLevel, lowest) << context;
}

} // namespace

TEST(WorldProfileRolls, StarportAndBases)
{
    struct Row
    {
        int port;
        std::vector<int> baseRolls;
        Starport starport;
        bool naval;
        bool scout;
    };
    const Row rows[] = {
        {4, {4, 3}, Starport::typeA, true, true},
        {2, {7, 5}, Starport::typeA, false, false},
        {3, {6, 4}, Starport::typeA, true, true},
        {5, {5, 6}, Starport::typeB, true, false},
        {6, {6, 5}, Starport::typeB, false, true},
        {7, {6}, Starport::typeC, false, true}, // a C port rolls for a scout base only
        {8, {7}, Starport::typeC, false, false},
        {9, {7}, Starport::typeD, false, true},
        {9, {8}, Starport::typeD, false, false},
        {10, {}, Starport::typeE, false, false},
        {11, {}, Starport::typeE, false, false},
        {12, {}, Starport::typeX, false, false},
    };
    for (const Row &row : rows) {
        ScriptedDraws draws;
        twoD(draws, row.port);
        for (const int roll : row.baseRolls)
            twoD(draws, roll);
        ScopedRandomSource scope(draws);
        const StarportAndBases result = rollStarportAndBases();
        EXPECT_EQ(result.starport, row.starport) << row.port;
        EXPECT_EQ(result.bases.contains(Base::imperialNavalBase), row.naval) << row.port;
        EXPECT_EQ(result.bases.contains(Base::scoutBase), row.scout) << row.port;
        EXPECT_EQ(result.bases.size(), int(row.naval) + int(row.scout)) << row.port;
        EXPECT_EQ(draws.used(), draws.scripted()) << row.port;
    }
}

TEST(WorldProfileRolls, WorldSizeRerollsTen)
{
    struct Row
    {
        int roll;
        int reroll; // 0: none expected
        qint64 size;
    };
    const Row rows[] = {{2, 0, 0}, {7, 0, 5}, {11, 0, 9}, {12, 1, 10}, {12, 6, 15}};
    for (const Row &row : rows) {
        ScriptedDraws draws;
        twoD(draws, row.roll);
        if (row.reroll)
            draws.die(row.reroll);
        ScopedRandomSource scope(draws);
        EXPECT_EQ(rollWorldSize(), row.size) << row.roll;
        EXPECT_EQ(draws.used(), draws.scripted());
    }
}

TEST(WorldProfileRolls, Hydrographics)
{
    struct Row
    {
        qint64 size;
        qint64 atmosphere;
        int flux;
        qint64 hydrographics;
    };
    const Row rows[] = {
        {0, 6, 5, 0}, {1, 6, 5, 0},                 // too small to hold water, the flux still rolled
        {5, 2, 3, 5}, {5, 9, 0, 9},  {5, 9, 5, 10}, // atmospheres 2 to 9: flux + atmosphere
        {5, 1, 5, 2}, {5, 10, 0, 6}, {5, 0, -2, 0}, {8, 15, 0, 10}, // others lose 4
    };
    for (const Row &row : rows) {
        ScriptedDraws draws;
        draws.flux(row.flux);
        ScopedRandomSource scope(draws);
        EXPECT_EQ(rollHydrographics(row.size, row.atmosphere), row.hydrographics)
            << row.size << " " << row.atmosphere << " " << row.flux;
        EXPECT_EQ(draws.used(), 2);
    }
}

TEST(WorldProfileRolls, TechLevelModifiers)
{
    // On the Traveller scale with die 1 the level is 1 + the modifiers.
    struct Row
    {
        Profile profile;
        int modifier;
    };
    const Row rows[] = {
        {kNeutral, 0},
        {{Starport::typeA, 5, 5, 5, 6, 6}, 6},
        {{Starport::typeB, 5, 5, 5, 6, 6}, 4},
        {{Starport::typeC, 5, 5, 5, 6, 6}, 2},
        {{Starport::typeE, 5, 5, 5, 6, 6}, 0},
        {{Starport::typeF, 5, 5, 5, 6, 6}, 0},
        {{Starport::typeY, 5, 5, 5, 6, 6}, 0},
        {{Starport::typeD, 0, 5, 5, 6, 6}, 2},
        {{Starport::typeD, 1, 5, 5, 6, 6}, 2},
        {{Starport::typeD, 2, 5, 5, 6, 6}, 1},
        {{Starport::typeD, 4, 5, 5, 6, 6}, 1},
        {{Starport::typeD, 5, 0, 5, 6, 6}, 1},
        {{Starport::typeD, 5, 3, 5, 6, 6}, 1},
        {{Starport::typeD, 5, 4, 5, 6, 6}, 0},
        {{Starport::typeD, 5, 10, 5, 6, 6}, 1},
        {{Starport::typeD, 5, 15, 5, 6, 6}, 1},
        {{Starport::typeD, 5, 5, 8, 6, 6}, 0},
        {{Starport::typeD, 5, 5, 9, 6, 6}, 1},
        {{Starport::typeD, 5, 5, 10, 6, 6}, 2},
        {{Starport::typeD, 5, 5, 5, 1, 6}, 1},
        {{Starport::typeD, 5, 5, 5, 5, 6}, 1},
        {{Starport::typeD, 5, 5, 5, 8, 6}, 0},
        {{Starport::typeD, 5, 5, 5, 9, 6}, 2},
        {{Starport::typeD, 5, 5, 5, 10, 6}, 4},
        {{Starport::typeD, 5, 5, 5, 15, 6}, 4},
        {{Starport::typeD, 5, 5, 5, 6, 0}, 1},
        {{Starport::typeD, 5, 5, 5, 6, 5}, 1},
        {{Starport::typeD, 5, 5, 5, 6, 12}, 0},
        {{Starport::typeC, 5, 5, 5, 6, 13}, 0}, // +2 - 2
    };
    for (const Row &row : rows) {
        const TechnologyLevel level = rollWithDie(row.profile, 1, TechnologyLevel::ttl22);
        EXPECT_EQ(numericValue(level), 1 + row.modifier) << "modifier " << row.modifier;
        EXPECT_EQ(technologyLevelSystem(level), TechnologyLevelSystem::traveller);
    }
}

TEST(WorldProfileRolls, TechLevelTravellerScaleClampsAndCaps)
{
    // Everything that raises the roll: 6 + 2 + 1 + 2 + 4 + 1 and a six.
    const Profile best{Starport::typeA, 0, 0, 10, 10, 0};
    EXPECT_EQ(rollWithDie(best, 6, TechnologyLevel::ttl22), TechnologyLevel::ttl22);
    EXPECT_EQ(rollWithDie(best, 6, TechnologyLevel::ttl12), TechnologyLevel::ttl12);
    // An X port with a low die totals below 0: the lowest level.
    EXPECT_EQ(rollWithDie({Starport::typeX, 5, 5, 5, 6, 13}, 1, TechnologyLevel::ttl22),
              TechnologyLevel::ttl0);
    // Below the cap the roll stands.
    EXPECT_EQ(rollWithDie(kNeutral, 4, TechnologyLevel::ttl12), TechnologyLevel::ttl4);
}

TEST(WorldProfileRolls, TechLevelCoarseScale)
{
    struct Row
    {
        Profile profile;
        int die;
        TechnologyLevel level;
    };
    const Row rows[] = {
        {{Starport::typeX, 5, 5, 5, 6, 6}, 1, TechnologyLevel::tl0}, // total -3
        {{Starport::typeX, 5, 5, 5, 6, 6}, 4, TechnologyLevel::tl0}, // total 0
        {kNeutral, 1, TechnologyLevel::tl1},
        {kNeutral, 2, TechnologyLevel::tl1},
        {kNeutral, 3, TechnologyLevel::tl2},
        {{Starport::typeA, 5, 5, 5, 6, 6}, 3, TechnologyLevel::tl2},  // 9
        {{Starport::typeA, 5, 5, 5, 6, 6}, 4, TechnologyLevel::tl3},  // 10
        {{Starport::typeA, 5, 5, 5, 6, 6}, 5, TechnologyLevel::tl4},  // 11
        {{Starport::typeA, 0, 0, 5, 6, 6}, 6, TechnologyLevel::tl4},  // 15
        {{Starport::typeA, 0, 0, 9, 6, 6}, 6, TechnologyLevel::tl5},  // 16
        {{Starport::typeA, 0, 0, 10, 9, 6}, 5, TechnologyLevel::tl5}, // 18
        {{Starport::typeA, 0, 0, 10, 9, 6}, 6, TechnologyLevel::tl6}, // 19
    };
    for (const Row &row : rows)
        EXPECT_EQ(rollWithDie(row.profile, row.die, TechnologyLevel::tl6), row.level) << row.die;

    // Capped by case order: "4+" lies between 4 and 5.
    const Profile sixteen{Starport::typeA, 0, 0, 9, 6, 6};
    EXPECT_EQ(rollWithDie(sixteen, 6, TechnologyLevel::tl4Plus), TechnologyLevel::tl4Plus);
    EXPECT_EQ(rollWithDie({Starport::typeA, 5, 5, 5, 6, 6}, 5, TechnologyLevel::tl4Plus),
              TechnologyLevel::tl4);
    EXPECT_EQ(rollWithDie(sixteen, 6, TechnologyLevel::tl2), TechnologyLevel::tl2);
}

TEST(WorldProfileRolls, TechLevelWithoutRandomTLDrawsNothing)
{
    ScriptedDraws draws;
    ScopedRandomSource scope(draws);
    EXPECT_EQ(rollTechLevel(Starport::typeA, 8, 6, 7, 9, 4, TechnologyLevel::tl3, false),
              TechnologyLevel::tl3);
    EXPECT_EQ(rollTechLevel(Starport::typeX, 8, 6, 7, 9, 4, TechnologyLevel::ttl9, false),
              TechnologyLevel::ttl9);
    EXPECT_EQ(draws.used(), 0);
}

TEST(WorldProfileRolls, LowestTechLevelFollowsTheScale)
{
    EXPECT_EQ(lowestTechLevel(TechnologyLevel::ttl15), TechnologyLevel::ttl0);
    EXPECT_EQ(lowestTechLevel(TechnologyLevel::ttl0), TechnologyLevel::ttl0);
    EXPECT_EQ(lowestTechLevel(TechnologyLevel::tl4Plus), TechnologyLevel::tl0);
    EXPECT_EQ(lowestTechLevel(TechnologyLevel::tl6), TechnologyLevel::tl0);
}

TEST(WorldProfileRolls, Population)
{
    struct Row
    {
        qint64 atmosphere;
        qint64 hydrographics;
        int roll;
        qint64 population;
    };
    const Row rows[] = {
        {5, 5, 7, 5}, {6, 1, 12, 10}, {3, 5, 7, 5}, {10, 5, 7, 5},                               // 2D - 2
        {2, 5, 7, 3}, {4, 5, 7, 3},   {7, 5, 7, 3}, {9, 5, 7, 3},  {11, 5, 7, 3}, {12, 5, 7, 3}, // 2D - 4
        {5, 0, 7, 4}, {5, -1, 7, 4},  {2, 0, 7, 2}, // dry: one less
        {2, 0, 3, 0}, {5, 5, 2, 0},                 // never below 0
    };
    for (const Row &row : rows) {
        ScriptedDraws draws;
        twoD(draws, row.roll);
        ScopedRandomSource scope(draws);
        EXPECT_EQ(rollPopulation(row.atmosphere, row.hydrographics, false), row.population)
            << row.atmosphere << " " << row.hydrographics << " " << row.roll;
    }

    // A main world: 2D, a 12 raised by r(4).
    ScriptedDraws main;
    twoD(main, 11);
    twoD(main, 12).expect(4, 3);
    twoD(main, 2);
    ScopedRandomSource scope(main);
    EXPECT_EQ(rollPopulation(2, 0, true), 11);
    EXPECT_EQ(rollPopulation(2, 0, true), 15);
    EXPECT_EQ(rollPopulation(2, 0, true), 2);
    EXPECT_EQ(main.used(), main.scripted());
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
    struct Row
    {
        qint64 size;
        qint64 miles;
        const char *text;
        double gravity;
    };
    const Row rows[] = {
        {-4, 20000, "", 1.1},          {0, 20000, "", 1.1},        {20, 20000, "", 1.1},
        {21, 30000, "Neptune", 1.2},   {22, 40000, "", 1.2},       {23, 50000, "", 1.3},
        {24, 60000, "", 1.4},          {25, 70000, "Saturn", 1.2}, {26, 80000, "", 1.5},
        {27, 90000, "Jupiter", 2.5},   {28, 125000, "2 Mj", 2.6},  {29, 180000, "4 Mj", 2.5},
        {30, 220000, "6 Mj", 2.5},     {31, 250000, "8 Mj", 2.6},  {32, 350000, ">10 Mj", 2.4},
        {1000, 350000, ">10 Mj", 2.4},
    };
    for (const Row &row : rows) {
        const GasGiantSizeClass sizeClass = gasGiantSizeClass(row.size);
        EXPECT_EQ(sizeClass.miles, row.miles) << row.size;
        EXPECT_EQ(sizeClass.classText, QString::fromUtf8(row.text)) << row.size;
        EXPECT_DOUBLE_EQ(sizeClass.gravity, row.gravity) << row.size;
    }
}

TEST(WorldProfileKinds, APopulatedPlanetDrawsEveryCodeInTurn)
{
    ScriptedDraws draws;
    twoD(draws, 9);     // size 7
    draws.flux(1);      // atmosphere 8
    draws.flux(0);      // hydrographics 8
    twoD(draws, 10);    // population 8
    draws.flux(-1);     // government 7
    draws.flux(2);      // law 9
    draws.die(3);       // spaceport: 8 - 3 = 5, F
    draws.die(2);       // tech: 2 + 0 (F port, size 7, atmosphere 8, hydro 8, population 8, government 7)
    draws.expect(9, 4); // multiplier 5
    draws.flux(5);      // density 0.95 + 0.1
    ScopedRandomSource scope(draws);
    const UWP uwp = generateWorldProfile(WorldType::planet, 15, true, TechnologyLevel::ttl12, 20, false);
    EXPECT_EQ(draws.used(), draws.scripted());
    EXPECT_EQ(uwp.size, 7);
    EXPECT_EQ(uwp.atmosphere, 8);
    EXPECT_EQ(uwp.hydrographics, 8);
    EXPECT_EQ(uwp.population, 8);
    EXPECT_EQ(uwp.government, 7);
    EXPECT_EQ(uwp.lawLevel, 9);
    EXPECT_EQ(uwp.starport, Starport::typeF);
    EXPECT_EQ(uwp.techLevel, TechnologyLevel::ttl2);
    EXPECT_EQ(uwp.populationMultiplier, 5);
    EXPECT_NEAR(uwp.density, 1.05, 1e-9);
    EXPECT_TRUE(uwp.bases.isEmpty());
    EXPECT_TRUE(uwp.tags.isEmpty());
}

TEST(WorldProfileKinds, SizeDiceByKind)
{
    // The size roll of each kind with the highest dice, uncapped and capped at 5.
    struct Row
    {
        WorldType kind;
        std::vector<std::pair<qint64, qint64>> sizeDraws; // bound, result
        qint64 uncapped;
    };
    const Row rows[] = {
        {WorldType::planet, {{6, 5}, {6, 5}, {6, 5}}, 15}, // 2D - 2 = 10, then 1D + 9
        {WorldType::bigWorld, {{6, 5}, {6, 5}}, 19},       // 2D + 7
        {WorldType::worldlet, {{3, 2}}, 3},                // r(3) + 1
        {WorldType::radWorld, {{6, 5}, {6, 5}}, 12},       // 2D
        {WorldType::inferno, {{6, 5}}, 12},                // 1D + 6
        {WorldType::stormWorld, {{6, 5}, {6, 5}}, 12},     // 2D
        {WorldType::iceworld, {{6, 0}, {6, 0}}, 0},        // 2D - 2
    };
    for (const Row &row : rows) {
        for (const bool capped : {false, true}) {
            // Only the size is checked; later draws come from a seeded source.
            struct SizeFirst : RandomSource
            {
                std::vector<std::pair<qint64, qint64>> script;
                std::size_t next = 0;
                SeededSource rest{7};
                quint64 next64() override { return rest.next64(); }
                qint64 below(qint64 bound) override
                {
                    if (next < script.size()) {
                        EXPECT_EQ(bound, script[next].first);
                        return script[next++].second;
                    }
                    return rest.below(bound);
                }
            } source;
            source.script = row.sizeDraws;
            ScopedRandomSource scope(source);
            const UWP uwp = generateWorldProfile(row.kind, 15, true, TechnologyLevel::ttl15, 5, !capped);
            EXPECT_EQ(uwp.size, capped ? std::min<qint64>(row.uncapped, 5) : row.uncapped)
                << rawValue(row.kind).toStdString();
        }
    }
}

TEST(WorldProfileKinds, UnpopulatedKindsDrawNoSocialCodes)
{
    // An inferno: size, then only the density.
    ScriptedDraws inferno;
    inferno.die(2).flux(0);
    {
        ScopedRandomSource scope(inferno);
        const UWP uwp = generateWorldProfile(WorldType::inferno, 15, true, TechnologyLevel::tl6, 20, false);
        EXPECT_EQ(uwp.size, 8);
        EXPECT_EQ(uwp.atmosphere, 11);
        EXPECT_EQ(uwp.hydrographics, 0);
        expectUnpopulated(uwp, TechnologyLevel::tl0, "inferno");
    }
    EXPECT_EQ(inferno.used(), inferno.scripted());

    // A storm world held to size 0: atmosphere 4 without a flux, hydrographics from
    // a flux on size 0 (none), and the secondary population 2D - 4 (thin), - 1 (dry),
    // - 4 (storm).
    ScriptedDraws storm;
    twoD(storm, 2);  // size 2, capped to 0
    storm.flux(5);   // hydrographics flux, no water on size 0
    twoD(storm, 12); // population 12 - 4 - 1 - 4 = 3
    storm.flux(0);   // government 3
    storm.flux(0);   // law 3
    storm.die(1);    // spaceport: 3 - 1 = 2, H
    storm.die(3);    // tech: 3 + 2 (size 0) + 1 (population 3)
    storm.expect(9, 0);
    storm.flux(0);
    {
        ScopedRandomSource scope(storm);
        const UWP uwp =
            generateWorldProfile(WorldType::stormWorld, 15, true, TechnologyLevel::ttl15, 0, false);
        EXPECT_EQ(uwp.size, 0);
        EXPECT_EQ(uwp.atmosphere, 4);
        EXPECT_EQ(uwp.hydrographics, 0);
        EXPECT_EQ(uwp.population, 3);
        EXPECT_EQ(uwp.government, 3);
        EXPECT_EQ(uwp.lawLevel, 3);
        EXPECT_EQ(uwp.starport, Starport::typeH);
        EXPECT_EQ(uwp.techLevel, TechnologyLevel::ttl6);
        EXPECT_EQ(uwp.populationMultiplier, 1);
        EXPECT_NEAR(uwp.density, 1.0, 1e-9);
    }
    EXPECT_EQ(storm.used(), storm.scripted());
}

TEST(WorldProfileKinds, PopulationModifiersAndLimit)
{
    struct Row
    {
        WorldType kind;
        qint64 limit;
        qint64 population; // with atmosphere 6, hydrographics 5 and 2D = 12
    };
    const Row rows[] = {
        {WorldType::planet, 15, 10},  {WorldType::bigWorld, 15, 10}, {WorldType::innerWorld, 15, 6},
        {WorldType::iceworld, 15, 4}, {WorldType::worldlet, 15, 10}, {WorldType::farSatelliteP, 15, 10},
        {WorldType::planet, 7, 7},    {WorldType::iceworld, 3, 3},   {WorldType::worldlet, 0, 0},
    };
    for (const Row &row : rows) {
        // Size 6 from the kind's dice, atmosphere 6, hydrographics 5 (9 before an inner
        // world loses 4), then 2D = 12 for the population.
        ScriptedDraws draws;
        switch (row.kind) {
        case WorldType::bigWorld: draws.die(6).die(6); break; // 19, capped to 6
        case WorldType::worldlet: draws.expect(3, 2); break;  // 3: no cap reached
        default: twoD(draws, 8); break;
        }
        const qint64 size = row.kind == WorldType::worldlet ? 3 : 6;
        draws.flux(6 - size);
        draws.flux(row.kind == WorldType::innerWorld ? 3 : -1);
        twoD(draws, 12);
        if (row.population > 0) {
            draws.flux(0).flux(0).die(1).die(1).expect(9, 0);
        }
        draws.flux(0);
        ScopedRandomSource scope(draws);
        const UWP uwp = generateWorldProfile(row.kind, row.limit, true, TechnologyLevel::ttl15, 6, false);
        EXPECT_EQ(uwp.atmosphere, 6) << rawValue(row.kind).toStdString();
        EXPECT_EQ(uwp.hydrographics, 5) << rawValue(row.kind).toStdString();
        EXPECT_EQ(uwp.population, row.population) << rawValue(row.kind).toStdString();
        EXPECT_EQ(draws.used(), draws.scripted()) << rawValue(row.kind).toStdString();
    }
}

TEST(WorldProfileKinds, BeltsAreEmptyRockWithAPossiblePopulation)
{
    for (const WorldType belt : {WorldType::asteroidBelt, WorldType::planetoidBelt}) {
        ScriptedDraws draws;
        twoD(draws, 12); // 12 - 2 - 1 (dry) = 9
        draws.flux(0).flux(0).die(1).die(1).expect(9, 8).flux(0);
        ScopedRandomSource scope(draws);
        const UWP uwp = generateWorldProfile(belt, 15, true, TechnologyLevel::tl6, 20, false);
        EXPECT_EQ(uwp.size, 0);
        EXPECT_EQ(uwp.atmosphere, 0);
        EXPECT_EQ(uwp.hydrographics, 0);
        EXPECT_EQ(uwp.population, 9);
        EXPECT_EQ(uwp.populationMultiplier, 9);
        EXPECT_NEAR(uwp.density, 0.5, 1e-9);
        EXPECT_EQ(draws.used(), draws.scripted());
    }
}

TEST(WorldProfileKinds, SecondaryProfileKeepsTheGivenCodes)
{
    ScriptedDraws draws;
    twoD(draws, 9); // atmosphere 7 is thin: 9 - 4 = 5, plus 2
    draws.flux(-5).flux(-5).die(6).die(4).expect(9, 2).flux(0);
    ScopedRandomSource scope(draws);
    const UWP uwp =
        generateSecondaryWorldProfile(4, 7, 3, 2, 15, TechnologyLevel::tl6, true, WorldType::iceworld);
    EXPECT_EQ(uwp.size, 4);
    EXPECT_EQ(uwp.atmosphere, 7);
    EXPECT_EQ(uwp.hydrographics, 3);
    EXPECT_EQ(uwp.population, 7);
    EXPECT_EQ(uwp.government, 2);
    EXPECT_EQ(uwp.lawLevel, 0);                     // -3, clamped at 0
    EXPECT_EQ(uwp.starport, Starport::typeH);       // 7 - 6 = 1
    EXPECT_EQ(uwp.techLevel, TechnologyLevel::tl2); // 4 + 1 (size 4) = 5
    EXPECT_EQ(uwp.populationMultiplier, 3);
    EXPECT_EQ(draws.used(), draws.scripted());
    EXPECT_NEAR(uwp.density, 0.5, 1e-9);
}

TEST(WorldProfileKinds, InvariantsOverManyRolls)
{
    const TechnologyLevel caps[] = {TechnologyLevel::ttl9, TechnologyLevel::tl4Plus};
    for (const WorldType kind : allCases<WorldType>()) {
        const std::string name = rawValue(kind).toStdString();
        for (const TechnologyLevel cap : caps) {
            const TechnologyLevel lowest = lowestTechLevel(cap);
            for (int i = 0; i < 300; ++i) {
                const bool randomTL = i % 2 == 0;
                const qint64 maxSize = i % 7;
                const bool noSizeCap = i % 3 == 0;
                const qint64 limit = i % 5 == 0 ? 0 : 15;
                const UWP uwp = generateWorldProfile(kind, limit, randomTL, cap, maxSize, noSizeCap);

                EXPECT_GE(uwp.size, 0) << name;
                if (!noSizeCap) {
                    EXPECT_LE(uwp.size, maxSize) << name;
                }
                EXPECT_TRUE(uwp.atmosphere >= 0 && uwp.atmosphere <= 15) << name;
                EXPECT_TRUE(uwp.hydrographics >= 0 && uwp.hydrographics <= 10) << name;
                EXPECT_TRUE(uwp.bases.isEmpty() && uwp.tags.isEmpty()) << name;
                EXPECT_TRUE(isSpaceport(uwp.starport)) << name;
                EXPECT_LE(index(uwp.techLevel), index(cap)) << name;
                EXPECT_EQ(technologyLevelSystem(uwp.techLevel), technologyLevelSystem(cap)) << name;
                EXPECT_GE(uwp.density, 0.05) << name;

                const bool neverPopulated =
                    kind == WorldType::inferno || kind == WorldType::radWorld || limit == 0;
                if (neverPopulated || uwp.population == 0) {
                    expectUnpopulated(uwp, lowest, name);
                } else {
                    EXPECT_LE(uwp.population, limit) << name;
                    EXPECT_TRUE(uwp.government >= 0 && uwp.government <= 15) << name;
                    EXPECT_TRUE(uwp.lawLevel >= 0 && uwp.lawLevel <= 18) << name;
                    EXPECT_TRUE(uwp.populationMultiplier >= 1 && uwp.populationMultiplier <= 9) << name;
                    if (!randomTL) {
                        EXPECT_EQ(uwp.techLevel, cap) << name;
                    }
                    if (uwp.population >= 10) {
                        EXPECT_EQ(uwp.starport, Starport::typeF) << name;
                    }
                    if (uwp.population == 1) {
                        EXPECT_EQ(uwp.starport, Starport::typeY) << name;
                    }
                }

                switch (kind) {
                case WorldType::inferno:
                    EXPECT_EQ(uwp.atmosphere, 11);
                    EXPECT_EQ(uwp.hydrographics, 0);
                    break;
                case WorldType::innerWorld: EXPECT_LE(uwp.hydrographics, 6); break;
                case WorldType::stormWorld:
                    EXPECT_GE(uwp.atmosphere, 4);
                    if (uwp.size == 0) {
                        EXPECT_EQ(uwp.atmosphere, 4);
                        EXPECT_EQ(uwp.hydrographics, 0);
                    }
                    break;
                case WorldType::asteroidBelt:
                case WorldType::planetoidBelt:
                    EXPECT_EQ(uwp.size, 0);
                    EXPECT_EQ(uwp.atmosphere, 0);
                    EXPECT_EQ(uwp.hydrographics, 0);
                    break;
                case WorldType::worldlet:
                    EXPECT_LE(uwp.size, 3);
                    if (maxSize == 0 && !noSizeCap) {
                        EXPECT_EQ(uwp.size, 0);
                        EXPECT_EQ(uwp.atmosphere, 0);
                        EXPECT_EQ(uwp.hydrographics, 0);
                    }
                    break;
                case WorldType::bigWorld:
                    if (noSizeCap) {
                        EXPECT_GE(uwp.size, 9);
                    }
                    break;
                default: break;
                }
            }
        }
    }
}
