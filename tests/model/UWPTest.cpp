#include "model/UWP.h"

#include "json/DecodeError.h"

#include "JsonTestSupport.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

QString text(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

UWP sample()
{
    UWP uwp;
    uwp.starport = Starport::typeA;
    uwp.size = 8;
    uwp.density = 0.95;
    uwp.atmosphere = 6;
    uwp.hydrographics = 7;
    uwp.population = 9;
    uwp.government = 10;
    uwp.lawLevel = 11;
    uwp.techLevel = TechnologyLevel::ttl12;
    uwp.bases = {Base::scoutBase, Base::imperialNavalBase};
    uwp.populationMultiplier = 3;
    uwp.tags = {*enumFromRaw<WorldTag>(text("tas-facility")), *enumFromRaw<WorldTag>(text("civil-war"))};
    return uwp;
}

JsonObject parse(const char *json)
{
    return parseJsonObject(json);
}

// The error's key path when reading fails, or no value.
std::optional<QString> decodeFailure(const JsonObject &object)
{
    try {
        readJson<UWP>(object);
    } catch (const DecodeError &error) {
        return error.path();
    }
    return std::nullopt;
}

const char *const kMinimal = R"({"starport": "Routine", "size": 5, "atmosphere": 4, "hydrographics": 3,
    "population": 6, "government": 2, "lawLevel": 1, "techLevel": "TL9"})";

TEST(UWPTest, ProfileLineWithBases)
{
    EXPECT_EQ(sample().code(), text("A8679AB-C NS"));
    UWP uwp = sample();
    uwp.bases = {Base::scoutBase, Base::navalBase, Base::imperialNavalBase};
    EXPECT_EQ(uwp.basesCode(), text("KNS"));
    uwp.bases = {Base::wayStation, Base::corsairBase, Base::tlaukhuBase, Base::explorationBase};
    EXPECT_EQ(uwp.basesCode(), text("CTVW"));
    // Written in letter order too.
    EXPECT_EQ(uwp.toJson().value(QLatin1StringView("bases")),
              JsonValue(JsonArray{text("C"), text("T"), text("V"), text("W")}));
}

TEST(UWPTest, ProfileLineDigitsOnBothScalesAndSpaceports)
{
    UWP uwp;
    uwp.starport = Starport::typeY;
    uwp.size = 0;
    uwp.atmosphere = 15;
    uwp.hydrographics = 10;
    uwp.population = 12;
    uwp.government = 15;
    uwp.lawLevel = 18;
    uwp.techLevel = TechnologyLevel::tl4Plus;
    EXPECT_EQ(uwp.code(), text("Y0FACFJ-4 \u2014"));
    uwp.techLevel = TechnologyLevel::ttl22;
    uwp.starport = Starport::typeH;
    EXPECT_EQ(uwp.code(), text("H0FACFJ-N \u2014"));
    // A stored code far outside any profile range shows the placeholder, not a crash.
    uwp.size = -100;
    uwp.lawLevel = std::numeric_limits<qint64>::max();
    EXPECT_EQ(uwp.code(), text("H?FACF?-N \u2014"));
}

TEST(UWPTest, OptionalKeysTakeTheirDefaultsAndAWrongTypeFailsAtItsKey)
{
    const UWP uwp = readJson<UWP>(parse(kMinimal));
    EXPECT_EQ(uwp.density, 1.0);
    EXPECT_EQ(uwp.populationMultiplier, 0);
    EXPECT_TRUE(uwp.bases.isEmpty());
    EXPECT_TRUE(uwp.tags.isEmpty());
    JsonObject object = parse(kMinimal);
    object.insert(QLatin1StringView("tags"), JsonArray{text("civil-war"), text("no-such-tag")});
    EXPECT_EQ(decodeFailure(object), text("tags[1]"));
}

TEST(UWPTest, LegacyBaseFlagsAreReadAndNeverWritten)
{
    JsonObject object = parse(kMinimal);
    object.insert(QLatin1StringView("navalBase"), true);
    object.insert(QLatin1StringView("scoutBase"), true);
    const UWP uwp = readJson<UWP>(object);
    EXPECT_EQ(uwp.bases, (QSet<Base>{Base::imperialNavalBase, Base::scoutBase}));
    const JsonObject written = uwp.toJson();
    EXPECT_EQ(written.value(QLatin1StringView("bases")), JsonValue(JsonArray{text("N"), text("S")}));
    EXPECT_FALSE(written.contains(QLatin1StringView("navalBase")));
    EXPECT_FALSE(written.contains(QLatin1StringView("scoutBase")));

    // The flags count only when there is no list.
    object.insert(QLatin1StringView("bases"), JsonArray{text("K")});
    EXPECT_EQ(readJson<UWP>(object).bases, QSet<Base>{Base::navalBase});
    object.insert(QLatin1StringView("bases"), JsonValue());
    object.insert(QLatin1StringView("navalBase"), false);
    EXPECT_EQ(readJson<UWP>(object).bases, QSet<Base>{Base::scoutBase});
}

TEST(UWPTest, RangesAtTheirEndsAndBeyond)
{
    using R = UWP::CodeRange;
    EXPECT_EQ(UWP::atmosphereRange(0), (R{0, 0}));
    EXPECT_EQ(UWP::atmosphereRange(1), (R{0, 6}));
    EXPECT_EQ(UWP::atmosphereRange(8), (R{3, 13}));
    EXPECT_EQ(UWP::atmosphereRange(25), (R{15, 15}));
    const struct
    {
        qint64 size, atmosphere, low, high;
    } hydrographics[] = {{1, 6, 0, 0},   {8, 1, 0, 2},    {8, 2, 0, 7},      {8, 9, 4, 10},
                         {8, 10, 1, 10}, {8, 19, 10, 10}, {8, 1000, 10, 10}, {8, -7, 0, 0}};
    for (const auto &c : hydrographics)
        EXPECT_EQ(UWP::hydrographicsRange(c.size, c.atmosphere), (R{c.low, c.high})) << c.atmosphere;
    EXPECT_EQ(UWP::governmentRange(0), (R{0, 5}));
    EXPECT_EQ(UWP::governmentRange(12), (R{7, 15}));
    EXPECT_EQ(UWP::lawLevelRange(15), (R{10, 18}));
    EXPECT_EQ(UWP::lawLevelRange(std::numeric_limits<qint64>::min()), (R{0, 0}));
}

TEST(UWPTest, ClampingMovesOnlyCodesOutsideTheirRangeAndFollowsTheClampedCodes)
{
    constexpr qint64 extremes[] = {std::numeric_limits<qint64>::min(), -3, 0, 1, 5, 9, 12, 25,
                                   std::numeric_limits<qint64>::max()};
    for (const qint64 a : extremes) {
        for (const qint64 b : extremes) {
            UWP uwp = sample();
            uwp.size = a;
            uwp.atmosphere = b;
            uwp.hydrographics = a;
            uwp.population = b;
            uwp.government = a;
            uwp.lawLevel = b;
            const UWP before = uwp;
            uwp.clampToAllowedRanges();
            EXPECT_EQ(uwp.atmosphere, UWP::atmosphereRange(a).clamp(b));
            EXPECT_EQ(uwp.hydrographics, UWP::hydrographicsRange(a, uwp.atmosphere).clamp(a));
            EXPECT_EQ(uwp.government, UWP::governmentRange(b).clamp(a));
            EXPECT_EQ(uwp.lawLevel, UWP::lawLevelRange(uwp.government).clamp(b));
            EXPECT_EQ(uwp.size, before.size);
            EXPECT_EQ(uwp.population, before.population);
            UWP again = uwp;
            again.clampToAllowedRanges();
            EXPECT_EQ(again, uwp);
        }
    }
    // Hydrographics follow the clamped atmosphere (by atmosphere 0 they would be held to 1).
    UWP uwp = sample();
    uwp.size = 6;
    uwp.atmosphere = 0;
    uwp.hydrographics = 0;
    uwp.clampToAllowedRanges();
    EXPECT_EQ(uwp.atmosphere, 1);
    EXPECT_EQ(uwp.hydrographics, 0);
}

TEST(UWPTest, PopulationCountSaturates)
{
    const struct
    {
        qint64 population, multiplier, count;
    } cases[] = {{3, 0, 1000},
                 {3, 4, 4000},
                 {3, -2, 1000},
                 {0, 5, 0},
                 {-1, 5, 0},
                 {18, 9, 9000000000000000000},
                 {18, 10, std::numeric_limits<qint64>::max()},
                 {100, 7, std::numeric_limits<qint64>::max()}};
    for (const auto &c : cases) {
        UWP uwp;
        uwp.population = c.population;
        uwp.populationMultiplier = c.multiplier;
        EXPECT_EQ(uwp.populationCount(), c.count) << c.population << " x" << c.multiplier;
    }
}

} // namespace
