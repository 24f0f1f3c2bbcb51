#include "VocabularyTestSupport.h"

#include "model/UWP.h"

#include "JsonTestSupport.h"

#include <gtest/gtest.h>

#include <limits>

using namespace vocabulary_test;

namespace {

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

TEST(UWPTest, ProfileLineWithoutBasesEndsInADash)
{
    UWP uwp = sample();
    uwp.bases.clear();
    EXPECT_EQ(uwp.basesCode(), QString(QChar(0x2014)));
    EXPECT_EQ(uwp.code(), text("A8679AB-C \u2014"));
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

TEST(UWPTest, WritesEveryKeyAndNoLegacyFlags)
{
    const JsonObject object = sample().toJson();
    const QStringList keys{
        text("atmosphere"),    text("bases"),    text("density"),    text("government"),
        text("hydrographics"), text("lawLevel"), text("population"), text("populationMultiplier"),
        text("size"),          text("starport"), text("tags"),       text("techLevel")};
    QStringList written = object.keys();
    written.sort();
    EXPECT_EQ(written, keys);
    EXPECT_EQ(object.value(QLatin1StringView("starport")), JsonValue(text("Excellent")));
    EXPECT_EQ(object.value(QLatin1StringView("techLevel")), JsonValue(text("TL12")));
    EXPECT_EQ(object.value(QLatin1StringView("size")), JsonValue(8));
    EXPECT_EQ(object.value(QLatin1StringView("density")), JsonValue(0.95));
    EXPECT_EQ(object.value(QLatin1StringView("populationMultiplier")), JsonValue(3));
    EXPECT_EQ(object.value(QLatin1StringView("bases")), JsonValue(JsonArray{text("N"), text("S")}));
    EXPECT_EQ(object.value(QLatin1StringView("tags")), JsonValue(JsonArray{text("tas-facility"), text("civil-war")}));

    UWP bare = sample();
    bare.bases.clear();
    bare.tags.clear();
    EXPECT_EQ(bare.toJson().value(QLatin1StringView("bases")), JsonValue(JsonArray()));
    EXPECT_EQ(bare.toJson().value(QLatin1StringView("tags")), JsonValue(JsonArray()));
}

TEST(UWPTest, ReadsBackWhatItWrites)
{
    const UWP uwp = sample();
    EXPECT_EQ(readJson<UWP>(uwp.toJson()), uwp);
    UWP spaceport = uwp;
    spaceport.starport = Starport::typeY;
    spaceport.techLevel = TechnologyLevel::tl4Plus;
    spaceport.bases.clear();
    EXPECT_EQ(spaceport.toJson().value(QLatin1StringView("starport")), JsonValue(text("None (Sp)")));
    EXPECT_EQ(readJson<UWP>(spaceport.toJson()), spaceport);
}

TEST(UWPTest, OptionalKeysTakeTheirDefaults)
{
    const UWP uwp = readJson<UWP>(parse(kMinimal));
    EXPECT_EQ(uwp.starport, Starport::typeC);
    EXPECT_EQ(uwp.size, 5);
    EXPECT_EQ(uwp.atmosphere, 4);
    EXPECT_EQ(uwp.hydrographics, 3);
    EXPECT_EQ(uwp.population, 6);
    EXPECT_EQ(uwp.government, 2);
    EXPECT_EQ(uwp.lawLevel, 1);
    EXPECT_EQ(uwp.techLevel, TechnologyLevel::ttl9);
    EXPECT_EQ(uwp.density, 1.0);
    EXPECT_EQ(uwp.populationMultiplier, 0);
    EXPECT_TRUE(uwp.bases.isEmpty());
    EXPECT_TRUE(uwp.tags.isEmpty());
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

    const struct
    {
        const char *extra;
        QSet<Base> bases;
    } cases[] = {
        {R"("navalBase": true)", {Base::imperialNavalBase}},
        {R"("scoutBase": true, "navalBase": false)", {Base::scoutBase}},
        {R"("navalBase": null, "scoutBase": null)", {}},
        // The flags count only when there is no list.
        {R"("bases": [], "navalBase": true, "scoutBase": true)", {}},
        {R"("bases": ["K"], "navalBase": true)", {Base::navalBase}},
        {R"("bases": null, "scoutBase": true)", {Base::scoutBase}},
    };
    for (const auto &c : cases) {
        QByteArray json(kMinimal);
        json.chop(1);
        json += ", ";
        json += c.extra;
        json += '}';
        EXPECT_EQ(readJson<UWP>(parse(json.constData())).bases, c.bases) << c.extra;
    }
}

TEST(UWPTest, UnknownBaseLettersAreDropped)
{
    JsonObject object = parse(kMinimal);
    object.insert(QLatin1StringView("bases"), JsonArray{text("S"), text("Q"), text("N"), text("S"), text("n"), text("")});
    EXPECT_EQ(readJson<UWP>(object).bases, (QSet<Base>{Base::imperialNavalBase, Base::scoutBase}));
}

TEST(UWPTest, MissingRequiredKeysFailWithTheirName)
{
    const char *const required[] = {"starport",   "size",       "atmosphere", "hydrographics",
                                    "population", "government", "lawLevel",   "techLevel"};
    for (const char *key : required) {
        JsonObject object = parse(kMinimal);
        object.remove(QLatin1StringView(key));
        EXPECT_EQ(decodeFailure(object), text(key)) << key;
        object.insert(QLatin1StringView(key), JsonValue());
        EXPECT_EQ(decodeFailure(object), text(key)) << key;
    }
}

TEST(UWPTest, WrongTypesAndUnknownValuesFailWithTheKeyPath)
{
    const struct
    {
        const char *key;
        JsonValue value;
        const char *path;
    } cases[] = {
        {"size", text("8"), "size"},
        {"atmosphere", 6.5, "atmosphere"},
        {"hydrographics", true, "hydrographics"},
        {"lawLevel", JsonArray{1}, "lawLevel"},
        {"starport", text("A"), "starport"},
        {"starport", text("excellent"), "starport"},
        {"techLevel", text("TL23"), "techLevel"},
        {"techLevel", text("tl4"), "techLevel"},
        {"techLevel", 12, "techLevel"},
        {"density", text("1.0"), "density"},
        {"populationMultiplier", 1.5, "populationMultiplier"},
        {"tags", JsonArray{text("civil-war"), text("no-such-tag")}, "tags[1]"},
        {"tags", text("civil-war"), "tags"},
        {"bases", text("NS"), "bases"},
        {"bases", JsonArray{text("N"), 7}, "bases[1]"},
        {"navalBase", text("yes"), "navalBase"},
    };
    for (const auto &c : cases) {
        JsonObject object = parse(kMinimal);
        object.insert(QLatin1StringView(c.key), c.value);
        EXPECT_EQ(decodeFailure(object), text(c.path)) << c.key;
    }
}

struct ClampCase
{
    qint64 size, atmosphere, hydrographics, population, government, lawLevel;
    qint64 atmosphereAfter, hydrographicsAfter, governmentAfter, lawLevelAfter;
};

// Ranges from the rules: atmosphere max(size-5,0)..min(size+5,15) (0 below size 1);
// hydrographics 0 below size 2, else around the atmosphere (4 lower outside 2..9);
// government around the population; law around the government.
const ClampCase kClamps[] = {
    // Already in range: nothing moves.
    {8, 6, 7, 9, 10, 11, 6, 7, 10, 11},
    // Size 0 forces atmosphere 0, then hydrographics 0.
    {0, 7, 5, 5, 3, 3, 0, 0, 3, 3},
    // Size 1 allows atmosphere 0 to 6 but still forces hydrographics 0.
    {1, 6, 4, 5, 3, 3, 6, 0, 3, 3},
    {1, 9, 4, 5, 3, 3, 6, 0, 3, 3},
    // Size 8 allows atmosphere 3 to 13.
    {8, 0, 0, 5, 3, 3, 3, 0, 3, 3},
    {8, 15, 0, 5, 3, 3, 13, 4, 3, 3},
    // Atmosphere 10 with size 8: hydrographics 1 to 10.
    {8, 10, 0, 5, 3, 3, 10, 1, 3, 3},
    {8, 10, 10, 5, 3, 3, 10, 10, 3, 3},
    // Atmosphere 3 with size 5: hydrographics 0 to 8.
    {5, 3, 10, 5, 3, 3, 3, 8, 3, 3},
    // Hydrographics follow the clamped atmosphere: by the old atmosphere 0 the
    // second would be held to 1.
    {6, 0, 0, 5, 3, 3, 1, 0, 3, 3},
    {9, 0, 5, 5, 3, 3, 4, 5, 3, 3},
    // Size 25 forces atmosphere 15 and then hydrographics 6 to 10.
    {25, 2, 0, 5, 3, 3, 15, 6, 3, 3},
    {25, 15, 10, 5, 3, 3, 15, 10, 3, 3},
    // Population 0 allows government 0 to 5.
    {5, 5, 5, 0, 9, 3, 5, 5, 5, 3},
    // Government 15 allows law 10 to 18.
    {5, 5, 5, 12, 15, 2, 5, 5, 15, 10},
    {5, 5, 5, 12, 15, 25, 5, 5, 15, 18},
    // Law follows the clamped government (5, not 15).
    {5, 5, 5, 0, 15, 18, 5, 5, 5, 10},
    // Population 12 allows government 7 to 15.
    {5, 5, 5, 12, 0, 0, 5, 5, 7, 2},
    // Codes outside the usual ranges never give an inverted range.
    {-3, 4, 4, 25, 0, 0, 0, 0, 15, 10},
    {5, 5, 5, -8, 9, 30, 5, 5, 0, 5},
    {std::numeric_limits<qint64>::max(), std::numeric_limits<qint64>::min(), 99,
     std::numeric_limits<qint64>::max(), -4, std::numeric_limits<qint64>::max(), 15, 10, 15, 18},
    {std::numeric_limits<qint64>::min(), 3, 3, std::numeric_limits<qint64>::min(), 3,
     std::numeric_limits<qint64>::min(), 0, 0, 0, 0},
};

TEST(UWPTest, ClampingBringsDependentCodesIntoRangeInOrder)
{
    for (const auto &c : kClamps) {
        UWP uwp = sample();
        uwp.size = c.size;
        uwp.atmosphere = c.atmosphere;
        uwp.hydrographics = c.hydrographics;
        uwp.population = c.population;
        uwp.government = c.government;
        uwp.lawLevel = c.lawLevel;
        uwp.clampToAllowedRanges();
        SCOPED_TRACE(testing::Message()
                     << "size " << c.size << " atm " << c.atmosphere << " hyd " << c.hydrographics << " pop "
                     << c.population << " gov " << c.government << " law " << c.lawLevel);
        EXPECT_EQ(uwp.atmosphere, c.atmosphereAfter);
        EXPECT_EQ(uwp.hydrographics, c.hydrographicsAfter);
        EXPECT_EQ(uwp.government, c.governmentAfter);
        EXPECT_EQ(uwp.lawLevel, c.lawLevelAfter);
        // Everything else stays as it was.
        EXPECT_EQ(uwp.size, c.size);
        EXPECT_EQ(uwp.population, c.population);
        EXPECT_EQ(uwp.starport, sample().starport);
        EXPECT_EQ(uwp.techLevel, sample().techLevel);
        EXPECT_EQ(uwp.bases, sample().bases);
    }
}

TEST(UWPTest, HydrographicsRanges)
{
    const struct
    {
        qint64 size, atmosphere, low, high;
    } cases[] = {
        {0, 6, 0, 0},
        {1, 6, 0, 0},
        {8, 0, 0, 1},
        {8, 1, 0, 2},
        {8, 2, 0, 7},
        {8, 6, 1, 10},
        {8, 9, 4, 10},
        {8, 10, 1, 10},
        {8, 15, 6, 10},
        {8, 19, 10, 10},
        {8, -1, 0, 0},
        {2, 5, 0, 10},
        // Beyond the codes that have a range: still a range, never low above high.
        {8, 20, 10, 10},
        {8, 1000, 10, 10},
        {8, -7, 0, 0},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(UWP::hydrographicsRange(c.size, c.atmosphere), (UWP::CodeRange{c.low, c.high}))
            << c.size << "/" << c.atmosphere;
    }
}

TEST(UWPTest, PopulationCount)
{
    const struct
    {
        qint64 population, multiplier, count;
    } cases[] = {
        {3, 0, 1000},
        {3, 4, 4000},
        {3, 1, 1000},
        {3, -2, 1000},
        {0, 5, 0},
        {-1, 5, 0},
        {1, 9, 90},
        {9, 2, 2000000000},
        {18, 9, 9000000000000000000},
        {18, 1, 1000000000000000000},
    };
    for (const auto &c : cases) {
        UWP uwp;
        uwp.population = c.population;
        uwp.populationMultiplier = c.multiplier;
        EXPECT_EQ(uwp.populationCount(), c.count) << c.population << " x" << c.multiplier;
    }
}

TEST(UWPTest, PopulationCountSaturatesInsteadOfOverflowing)
{
    constexpr qint64 largest = std::numeric_limits<qint64>::max();
    const struct
    {
        qint64 population, multiplier;
    } cases[] = {{18, 10}, {19, 1}, {20, 0}, {100, 7}, {largest, largest}, {2, largest}};
    for (const auto &c : cases) {
        UWP uwp;
        uwp.population = c.population;
        uwp.populationMultiplier = c.multiplier;
        EXPECT_EQ(uwp.populationCount(), largest) << c.population << " x" << c.multiplier;
    }
}

} // namespace
