#include "screens/WorldEditOptions.h"
#include "ScreenTestRecords.h"
#include "model/UWP.h"
#include "model/WorldType.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

using namespace screen_test;

namespace {

template <typename T> QList<T> heldValues(const EditOptions<T> &options)
{
    QList<T> held;
    for (const EditOption<T> &option : options) {
        if (option.held)
            held.append(option.value);
    }
    return held;
}

template <typename T> bool offers(const EditOptions<T> &options, const T &value)
{
    return std::any_of(options.begin(), options.end(),
                       [&value](const EditOption<T> &option) { return option.value == value; });
}

// The code rows, with the code each one shows and whether its range depends on
// another code (and so is what the profile's clamp keeps the code within).
struct CodeRow
{
    const char *title;
    EditOptions<qint64> (*options)(const WorldData &);
    qint64 UWP::*code;
    bool clamped;
};

constexpr CodeRow kCodeRows[] = {
    {"size", WorldEditOptions::size, &UWP::size, false},
    {"atmosphere", WorldEditOptions::atmosphere, &UWP::atmosphere, true},
    {"hydrographics", WorldEditOptions::hydrographics, &UWP::hydrographics, true},
    {"population", WorldEditOptions::population, &UWP::population, false},
    {"government", WorldEditOptions::government, &UWP::government, true},
    {"law level", WorldEditOptions::lawLevel, &UWP::lawLevel, true}};

} // namespace

// ---- Code rows ----

// Whatever a stored world holds, every row offers something and marks at most its own
// code; once the profile is clamped to the allowed ranges, every row that depends on
// another code marks exactly its code, so the rows and the clamp never disagree.
TEST(WorldEditOptionsRules, CodeRowsAreNeverEmptyAndMarkExactlyTheClampedCode)
{
    std::mt19937 random(2024);
    std::uniform_int_distribution<qint64> code(-2, 20);
    for (int sample = 0; sample < 2000; ++sample) {
        WorldData w =
            world({code(random), code(random), code(random), code(random), code(random), code(random)});
        for (const CodeRow &row : kCodeRows) {
            const EditOptions<qint64> options = row.options(w);
            ASSERT_FALSE(options.isEmpty()) << row.title;
            const QList<qint64> held = heldValues(options);
            EXPECT_LE(held.size(), 1) << row.title;
            EXPECT_EQ(held.size(), offers(options, w.uwp.*row.code) ? 1 : 0) << row.title;
        }
        w.uwp.clampToAllowedRanges();
        for (const CodeRow &row : kCodeRows) {
            if (row.clamped) {
                EXPECT_EQ(heldValues(row.options(w)), QList<qint64>{w.uwp.*row.code}) << row.title;
            }
        }
    }
}

TEST(WorldEditOptionsRules, CodeRowsFollowTheCodesTheyDependOn)
{
    // Size 3 allows atmosphere up to 8; population 2 allows government up to 7.
    const WorldData w = world({3, 8, 9, 2, 7, 12});
    EXPECT_EQ(WorldEditOptions::atmosphere(w).last().value, 8);
    EXPECT_EQ(WorldEditOptions::government(w).last().value, 7);
    // A larger size widens the atmospheres offered; no atmosphere widens them further.
    WorldData larger = w;
    larger.uwp.size = 10;
    EXPECT_EQ(WorldEditOptions::atmosphere(larger).last().value, 15);
    larger.uwp.atmosphere = 0;
    EXPECT_EQ(WorldEditOptions::atmosphere(larger).last().value, 15);
    // No atmosphere (or a thin exotic one) narrows the waters offered.
    EXPECT_LT(WorldEditOptions::hydrographics(larger).last().value,
              WorldEditOptions::hydrographics(world({10, 6, 0, 0, 0, 0})).last().value);
}

// ---- Picked values ----

TEST(WorldEditOptionsRules, StarportBasesAndTechLevelMarkWhatTheWorldHolds)
{
    WorldData w = world();
    w.uwp.bases = {Base::scoutBase, Base::navalBase};
    EXPECT_EQ(heldValues(WorldEditOptions::starport(w)), QList<Starport>{Starport::typeB});
    EXPECT_EQ(WorldEditOptions::starport(w).size(), allCases<Starport>().size());

    const EditOptions<Base> bases = WorldEditOptions::bases(w);
    EXPECT_EQ(bases.size(), allCases<Base>().size());
    EXPECT_EQ(heldValues(bases), (QList<Base>{Base::navalBase, Base::scoutBase}));
    w.uwp.bases.clear();
    EXPECT_TRUE(heldValues(WorldEditOptions::bases(w)).isEmpty());

    // The tech level rows offer the scale of the world's own level only.
    for (const TechnologyLevel level : {TechnologyLevel::ttl12, TechnologyLevel::tl4}) {
        w.uwp.techLevel = level;
        const EditOptions<TechnologyLevel> levels = WorldEditOptions::techLevel(w);
        EXPECT_EQ(heldValues(levels), QList<TechnologyLevel>{level});
        for (const EditOption<TechnologyLevel> &option : levels)
            EXPECT_EQ(technologyLevelSystem(option.value), technologyLevelSystem(level));
    }
}

TEST(WorldEditOptionsRules, GravityIsOfferedOnlyFromSizeOneToSixteen)
{
    for (const qint64 size : {-1, 0, 17, 40})
        EXPECT_TRUE(WorldEditOptions::gravity(world({size, 0, 0, 0, 0, 0})).isEmpty()) << size;
    for (const qint64 size : {1, 16})
        EXPECT_FALSE(WorldEditOptions::gravity(world({size, 0, 0, 0, 0, 0})).isEmpty()) << size;

    // Size 4: gravity is half the density.
    WorldData w = world({4, 3, 2, 5, 5, 5});
    w.uwp.density = 1.0;
    const EditOptions<double> options = WorldEditOptions::gravity(w);
    ASSERT_EQ(heldValues(options).size(), 1);
    EXPECT_NEAR(heldValues(options).first(), 0.5, 1e-9);
    const auto held = std::find_if(options.begin(), options.end(), [](const auto &o) { return o.held; });
    EXPECT_EQ(held->text, QStringLiteral("0.50 G"));
}

// The density nearest the stored one is marked, whatever the stored density: below,
// between or above the densities the world type allows.
TEST(WorldEditOptionsRules, GravityMarksTheDensityNearestTheStoredOne)
{
    WorldData w = world({8, 6, 7, 8, 4, 4});
    const QList<double> densities = densityOptions(w.type, 0.05);
    ASSERT_FALSE(densities.isEmpty());
    const double perDensity = 8 * 0.125;
    for (double stored = densities.first() - 0.5; stored < densities.last() + 0.5; stored += 0.013) {
        w.uwp.density = stored;
        const EditOptions<double> options = WorldEditOptions::gravity(w);
        ASSERT_EQ(options.size(), densities.size());
        const QList<double> held = heldValues(options);
        ASSERT_EQ(held.size(), 1) << stored;
        const double heldDistance = std::abs(held.first() / perDensity - stored);
        for (const double density : densities)
            EXPECT_LE(heldDistance, std::abs(density - stored) + 1e-9) << stored;
    }
}

// ---- Texts ----

TEST(WorldEditOptionsRules, BasesReadInBaseOrderAndNoneWithout)
{
    UWP uwp;
    EXPECT_EQ(WorldEditOptions::basesText(uwp), QStringLiteral("None"));
    uwp.bases = {Base::scoutBase, Base::navalBase};
    EXPECT_EQ(WorldEditOptions::basesText(uwp), QStringLiteral("Naval Base, Scout Base"));
}

TEST(WorldEditOptionsRules, TradeClassesReadInStoredOrder)
{
    WorldData w = world();
    EXPECT_TRUE(WorldEditOptions::tradeClassNames(w).isEmpty());
    w.tradeClasses = {TradeClass::rich, TradeClass::agricultural};
    const QString forward = WorldEditOptions::tradeClassNames(w);
    w.tradeClasses = {TradeClass::agricultural, TradeClass::rich};
    const QString backward = WorldEditOptions::tradeClassNames(w);
    EXPECT_EQ(forward, name(TradeClass::rich) + QStringLiteral(", ") + name(TradeClass::agricultural));
    EXPECT_EQ(backward, name(TradeClass::agricultural) + QStringLiteral(", ") + name(TradeClass::rich));
}

TEST(WorldEditOptionsRules, TheDayTellsATideLockedDayFromAFreeOne)
{
    WorldData w = world();
    w.yearLength = 2000;
    w.dayLength = 720;
    w.tideLocked = false;
    EXPECT_EQ(WorldEditOptions::dayText(w), QStringLiteral("30 Std. days"));
    w.tideLocked = true;
    EXPECT_EQ(WorldEditOptions::dayText(w), QStringLiteral("30 Std. days (tide-locked)"));
    w.dayLength = w.yearLength;
    EXPECT_EQ(WorldEditOptions::dayText(w), QStringLiteral("Tide-locked (no day/night)"));
    // A day as long as the year without tide-locking is only a long day.
    w.tideLocked = false;
    EXPECT_EQ(WorldEditOptions::dayText(w), QStringLiteral("83 Std. days"));
}

TEST(WorldEditOptionsRules, PeoplesAreThoseOfTheFlavourByNameWithCaseIgnored)
{
    for (const TechnologyLevelSystem system :
         {TechnologyLevelSystem::swn, TechnologyLevelSystem::traveller}) {
        const QList<Race> peoples = WorldEditOptions::peoples(system);
        const QList<Race> offered = races(system);
        ASSERT_FALSE(peoples.isEmpty());
        EXPECT_TRUE(std::is_permutation(peoples.begin(), peoples.end(), offered.begin(), offered.end()));
        for (qsizetype i = 1; i < peoples.size(); ++i)
            EXPECT_LE(description(peoples[i - 1]).toLower(), description(peoples[i]).toLower()) << i;
    }
    EXPECT_NE(WorldEditOptions::peoples(TechnologyLevelSystem::swn).size(),
              WorldEditOptions::peoples(TechnologyLevelSystem::traveller).size());
}
