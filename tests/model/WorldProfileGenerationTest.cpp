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
    } rows[] = {{S::typeD, 5, 5, 5, 6, 6, 0},  {S::typeA, 5, 5, 5, 6, 6, 6},  {S::typeC, 5, 5, 5, 6, 6, 2},
                {S::typeD, 1, 5, 5, 6, 6, 2},  {S::typeD, 2, 5, 5, 6, 6, 1},  {S::typeD, 5, 3, 5, 6, 6, 1},
                {S::typeD, 5, 4, 5, 6, 6, 0},  {S::typeD, 5, 10, 5, 6, 6, 1}, {S::typeD, 5, 5, 9, 6, 6, 1},
                {S::typeD, 5, 5, 10, 6, 6, 2}, {S::typeD, 5, 5, 5, 5, 6, 1},  {S::typeD, 5, 5, 5, 9, 6, 2},
                {S::typeD, 5, 5, 5, 10, 6, 4}, {S::typeD, 5, 5, 5, 6, 5, 1},  {S::typeC, 5, 5, 5, 6, 13, 0}};
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
