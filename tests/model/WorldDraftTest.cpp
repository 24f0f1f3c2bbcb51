#include "model/WorldDraft.h"

#include "model/WorldTagCategory.h"

#include "SeededSource.h"

#include <gtest/gtest.h>

#include <QSet>

#include <algorithm>
#include <array>
#include <random>
#include <utility>

namespace {

using Engine = std::mt19937_64;

// The profile codes held as numbers.
const std::array<qint64 UWP::*, 6> kCodes{&UWP::size,       &UWP::atmosphere, &UWP::hydrographics,
                                          &UWP::population, &UWP::government, &UWP::lawLevel};

qint64 between(Engine &engine, qint64 low, qint64 high)
{
    return std::uniform_int_distribution<qint64>(low, high)(engine);
}

template <typename E> E anyCase(Engine &engine)
{
    const auto cases = allCases<E>();
    return cases[static_cast<std::size_t>(between(engine, 0, qint64(cases.size()) - 1))];
}

// A stored world as an import or an old file may hold it: codes beyond what the
// editor offers, trade classes that no longer follow from the profile.
WorldData storedWorld(Engine &engine)
{
    WorldData w;
    w.id = QUuid::createUuid();
    w.type = anyCase<WorldType>(engine);
    w.sunOrbit = anyCase<Orbits>(engine);
    w.hzOffset = between(engine, -3, 3);
    w.tideLocked = between(engine, 0, 1) == 1;
    UWP &uwp = w.uwp;
    uwp.starport = anyCase<Starport>(engine);
    for (qint64 UWP::*code : kCodes)
        uwp.*code = between(engine, -3, 25);
    uwp.density = double(between(engine, 1, 300)) / 100.0;
    uwp.techLevel = anyCase<TechnologyLevel>(engine);
    uwp.bases = {anyCase<Base>(engine)};
    w.worldTags = {anyCase<WorldTag>(engine), anyCase<WorldTag>(engine)};
    w.tradeClasses = {anyCase<TradeClass>(engine)};
    w.factionIDs = {QUuid::createUuid()};
    return w;
}

// The world without the eight codes a profile edit may set and the trade classes.
WorldData beyondTheProfileCodes(WorldData w)
{
    const UWP blank;
    for (qint64 UWP::*code : kCodes)
        w.uwp.*code = blank.*code;
    w.uwp.starport = blank.starport;
    w.uwp.techLevel = blank.techLevel;
    w.tradeClasses.clear();
    return w;
}

} // namespace

TEST(WorldDraftTest, AProfileEditSetsItsCodeAndMovesOnlyTheCodesOutsideTheirNewRange)
{
    Engine engine(20240611);
    for (int run = 0; run < 300; ++run) {
        const WorldData stored = storedWorld(engine);
        WorldDraft draft(stored);
        ASSERT_EQ(draft.world, stored); // loading clamps nothing
        for (int step = 0; step < 12; ++step) {
            const WorldData before = draft.world;
            UWP given = before.uwp; // the profile with the new value, before any clamping
            const qint64 which = between(engine, 0, 7);
            if (which < 6) {
                const qint64 value = between(engine, -3, 25);
                given.*kCodes[std::size_t(which)] = value;
                draft.setCode(kCodes[std::size_t(which)], value);
            } else if (which == 6) {
                given.starport = anyCase<Starport>(engine);
                draft.setCode(&UWP::starport, given.starport);
            } else {
                given.techLevel = anyCase<TechnologyLevel>(engine);
                draft.setCode(&UWP::techLevel, given.techLevel);
            }
            const WorldData &after = draft.world;
            SCOPED_TRACE(testing::Message() << "run " << run << " step " << step << " edit " << which);
            EXPECT_EQ(after.uwp.size, given.size);
            EXPECT_EQ(after.uwp.population, given.population);
            EXPECT_EQ(after.uwp.starport, given.starport);
            EXPECT_EQ(after.uwp.techLevel, given.techLevel);
            // A code inside the range the others now allow stays; one outside it goes to
            // the nearer end.
            const UWP &u = after.uwp;
            const std::pair<qint64 UWP::*, UWP::CodeRange> dependents[] = {
                {&UWP::atmosphere, UWP::atmosphereRange(u.size)},
                {&UWP::hydrographics, UWP::hydrographicsRange(u.size, u.atmosphere)},
                {&UWP::government, UWP::governmentRange(u.population)},
                {&UWP::lawLevel, UWP::lawLevelRange(u.government)}};
            for (const auto &[code, range] : dependents)
                EXPECT_EQ(u.*code, std::clamp(given.*code, range.low, range.high));
            EXPECT_EQ(after.tradeClasses, tradeClasses(after.uwp, after.climateZone(), after.tideLocked));
            EXPECT_EQ(beyondTheProfileCodes(after), beyondTheProfileCodes(before));
        }
    }
}

TEST(WorldDraftTest, GravityAndBaseEditsChangeOnlyTheirFieldAndNeitherClampNorDecideTradeClassesAgain)
{
    Engine engine(7);
    for (int run = 0; run < 300; ++run) {
        const WorldData stored = storedWorld(engine);
        SCOPED_TRACE(run);

        WorldDraft gravity(stored);
        const double g = double(between(engine, 1, 400)) / 100.0;
        EXPECT_EQ(gravity.setGravity(g), stored.uwp.size >= 1); // nothing to weigh below size 1
        if (stored.uwp.size >= 1) {
            EXPECT_NEAR(gravity.world.uwp.density * double(stored.uwp.size) / 8.0, g, 1e-9);
        }
        WorldData rest = gravity.world;
        rest.uwp.density = stored.uwp.density;
        EXPECT_EQ(rest, stored);

        WorldDraft bases(stored);
        const Base base = anyCase<Base>(engine);
        bases.toggleBase(base);
        const QSet<Base> &after = bases.world.uwp.bases;
        EXPECT_EQ((after + stored.uwp.bases) - (after & stored.uwp.bases), QSet<Base>{base});
        rest = bases.world;
        rest.uwp.bases = stored.uwp.bases;
        EXPECT_EQ(rest, stored);
        bases.toggleBase(base);
        EXPECT_EQ(bases.world, stored);
    }
}

TEST(WorldDraftTest, ToggleTagRemovesOnlyTheFirstOccurrenceAndAppendsAnAbsentTag)
{
    WorldData w;
    w.worldTags = {WorldTag::civilWar, WorldTag::hatred, WorldTag::civilWar};
    WorldDraft draft(w);
    draft.toggleTag(WorldTag::civilWar);
    EXPECT_EQ(draft.world.worldTags, (QList<WorldTag>{WorldTag::hatred, WorldTag::civilWar}));
    draft.toggleTag(WorldTag::gov7);
    draft.toggleTag(WorldTag::hatred);
    EXPECT_EQ(draft.world.worldTags, (QList<WorldTag>{WorldTag::civilWar, WorldTag::gov7}));
}

TEST(WorldDraftTest, RandomTagsAreTwoDifferentMenuTagsAndAnyMenuTagCanComeInEitherPlace)
{
    QList<WorldTag> offered;
    for (const WorldTagCategory category : kWorldTagPickerCases)
        offered.append(tags(category));
    Engine engine(3);
    WorldData w = storedWorld(engine);
    w.worldTags = {WorldTag::gov3, WorldTag::civilWar, WorldTag::hatred};
    QSet<WorldTag> drawnFirst, drawnSecond;
    for (quint64 seed = 1; seed <= 3000; ++seed) {
        SeededSource source(seed);
        ScopedRandomSource scope(source);
        WorldDraft draft(w);
        draft.randomTags();
        const QList<WorldTag> drawn = std::exchange(draft.world.worldTags, w.worldTags);
        ASSERT_EQ(drawn.size(), 2);
        EXPECT_NE(drawn.at(0), drawn.at(1));
        EXPECT_TRUE(offered.contains(drawn.at(0)) && offered.contains(drawn.at(1)));
        drawnFirst.insert(drawn.at(0));
        drawnSecond.insert(drawn.at(1));
        EXPECT_EQ(draft.world, w);
    }
    const QSet<WorldTag> all(offered.begin(), offered.end());
    EXPECT_EQ(drawnFirst, all);
    EXPECT_EQ(drawnSecond, all);
}
