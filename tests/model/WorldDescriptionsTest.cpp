#include "model/WorldDescriptions.h"

#include "GenerationTestSupport.h"

#include <gtest/gtest.h>

#include <limits>

using namespace Qt::StringLiterals;
using test_records::aHex;
using test_records::aWorld;

namespace {

using WorldDescriptions = EnglishNumbers;

// The profile "A8679AB-C NS": an excellent port, an Earth-sized garden world of
// billions under a charismatic dictator, naval and scout bases.
WorldData regina()
{
    return aWorld()
        .named(u"Regina"_s)
        .main()
        .type(WorldType::planet)
        .orbit(Orbits::starOrbit3)
        .starport(Starport::typeA)
        .codes(8, 6, 7, 9, 10, 11)
        .density(1.0)
        .techLevel(TechnologyLevel::ttl12)
        .bases({Base::scoutBase, Base::imperialNavalBase})
        .populationMultiplier(3)
        .days(24, 2000)
        .tradeClasses({TradeClass::highPopulation, TradeClass::industrial});
}

} // namespace

TEST_F(WorldDescriptions, DurationsAtEveryThreshold)
{
    struct Row
    {
        qint64 hours;
        const char *longText;
        const char *compactText;
    };
    const Row rows[] = {{std::numeric_limits<qint64>::min(), "\u2014", "\u2014"},
                        {0, "\u2014", "\u2014"},
                        {1, "1 Std. hr", "1h"},
                        {47, "47 Std. hr", "47h"},
                        {48, "2 Std. days", "2d"},
                        {60, "3 Std. days", "3d"},              // 2.5 days: halves away from zero
                        {8759, "365 Std. days", "365d"},        // 364.96 days, still under a year of days
                        {8760, "1.0 Std. years", "1.0y"},       // exactly 365 days
                        {876599, "100.0 Std. years", "100.0y"}, // 99.99999 years: below 100, one digit
                        {876600, "100 Std. years", "100y"}};
    for (const Row &row : rows) {
        EXPECT_EQ(formatDuration(row.hours), QString::fromUtf8(row.longText)) << row.hours;
        EXPECT_EQ(formatDurationCompact(row.hours), QString::fromUtf8(row.compactText)) << row.hours;
    }
}

TEST_F(WorldDescriptions, DayYearSummary)
{
    WorldData world = aWorld().type(WorldType::planet).size(8);
    world.dayLength = 24;
    world.yearLength = 2000;
    EXPECT_EQ(dayYearSummary(world), u"D:24h\\Y:83d"_s);

    world.tideLocked = true;
    world.dayLength = 720;
    world.yearLength = 18409;
    EXPECT_EQ(dayYearSummary(world), u"D:30d(L)\\Y:2.1y"_s);

    world.dayLength = world.yearLength = 2112;
    EXPECT_EQ(dayYearSummary(world), u"D:Tz\\Y:88d"_s);

    // A day equal to the year only reads "Tz" when the world is locked.
    world.tideLocked = false;
    EXPECT_EQ(dayYearSummary(world), u"D:88d\\Y:88d"_s);

    world.dayLength = 0;
    world.yearLength = 0;
    EXPECT_EQ(dayYearSummary(world), u"D:\u2014\\Y:\u2014"_s);

    for (const WorldType belt : {WorldType::asteroidBelt, WorldType::planetoidBelt}) {
        WorldData beltWorld = aWorld().type(belt).size(0);
        beltWorld.dayLength = 30;
        beltWorld.yearLength = 8766;
        EXPECT_EQ(dayYearSummary(beltWorld), u"Y:1.0y"_s);
    }
}

TEST_F(WorldDescriptions, MainWorldUWPLine)
{
    StarSystem system;
    system.planetoidBelts = 1;
    system.gasGiant = 2;
    EXPECT_EQ(mainWorldUWPLine(system, regina()), u"A8679AB-C NS 312 D:24h\\Y:83d [Hi In]"_s);

    // Counts past 9 take their extended-hex digits; no trade classes leave the brackets.
    system.planetoidBelts = 10;
    WorldData world = regina();
    world.tradeClasses.clear();
    EXPECT_EQ(mainWorldUWPLine(system, world), u"A8679AB-C NS 3A2 D:24h\\Y:83d []"_s);
}

TEST_F(WorldDescriptions, MarkdownOfAFullWorld)
{
    WorldData world = regina();
    world.worldTags = {WorldTag::civilWar, WorldTag::gov3, WorldTag::reserved};
    world.notes = u"Capital.\nSecond line"_s;
    const QList<FactionLabel> factions{{u"Third Imperium"_s, u"Im"_s}, {u"Zhodani Consulate"_s, u"Zh"_s}};

    const QString expected =
        u"**WORLD**:\t`REGINA`\n"
        u"**HEX**:\t`00-1203 Subsector-B`\n"
        u"**UWP**:\t`A8679AB-C NS 312 D:24h\\Y:83d [Hi In]`\n"
        u"**Prevalent Race**: Human\n"
        u"**Starport**: Excellent\n"
        u"**Bases**: N: Imperial Naval Base, S: Scout Base\n"
        u"**Size**: 12,800 km (Earth)\n"
        u"**Density**: 1 \u03C1\u2295\n"
        u"**Gravity**: 1.00 G\n"
        u"**Day length**: 24 Std. hr\n"
        u"**Year length**: 83 Std. days\n"
        u"**Atmosphere**: Standard\n"
        u"**Pressure**: 0.71-1.49\n"
        u"**Gear Required**: \u2013\n"
        u"**Hydrographics**: Earth-like world (66%-75%)\n"
        u"**Population**: 3B\n"
        u"**Government**: Charismatic Dictatorship. Government by a single leader enjoying the "
        u"confidence of the citizens.\n"
        u"**Law Level**: Extreme Law. Continental passports required.\n"
        u"**Tech Level**: Average Stellar\n"
        u"**Trade Classes**: High Population, Industrial\n"
        u"**World Tags**: Civil War, Self-Perpetuating Oligarchy, Reserved\n"
        u"**Factions**: Third Imperium (Im), Zhodani Consulate (Zh)\n"
        u"**Notes**:\nCapital.\nSecond line\n"
        u"\n---\n"_s;
    EXPECT_EQ(markdownExport(world, 1, 2, factions, aHex({0, 0, 12, 3})), expected);
}

namespace {

// The text after "**World Tags**: " in the summary of `world`; empty without the line.
QString worldTagsLine(const WorldData &world)
{
    const QString prefix = u"**World Tags**: "_s;
    for (const QString &line : markdownExport(world, 0, 0, {}, aHex({0, 0, 1, 1})).split(u'\n')) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size());
    }
    return {};
}

} // namespace

TEST_F(WorldDescriptions, MarkdownTagsOfEveryCategoryAreCapitalisedAndGovernmentTypesKeptAsStored)
{
    WorldData world = regina();
    // Zones, peoples and economy tags whose texts sort after the government names
    // ("No Government", "Totalitarian Oligarchy") among tags that sort before them.
    world.worldTags = {WorldTag::amberZone,  WorldTag::redZone,         WorldTag::gov0,
                       WorldTag::unbrakedAI, WorldTag::satharHW,        WorldTag::civilWar,
                       WorldTag::gov15,      WorldTag::tasFacility,     WorldTag::zombies,
                       WorldTag::area51,     WorldTag::sophontHomeworld};
    EXPECT_EQ(worldTagsLine(world), u"Amber Zone, Red Zone, No Government, Unbraked Ai, Sathar Homeworld, "
                                    u"Civil War, Totalitarian Oligarchy, Tas Facility, Zombies, Area 51, "
                                    u"Sophont Homeworld"_s);
}

TEST_F(WorldDescriptions, MarkdownWritesEachTagByItsCategoryWhateverItsText)
{
    WorldData world = regina();
    for (const WorldTag tag : allCases<WorldTag>()) {
        world.worldTags = {tag};
        const QString raw = rawValue(tag);
        const QString text = worldTagsLine(world);
        if (category(tag) == WorldTagCategory::government) {
            EXPECT_EQ(text, raw);
            continue;
        }
        // The same words as the raw value, blank-separated, each starting upper-case.
        EXPECT_EQ(text.toLower(), QString(raw).replace(u'-', u' ')) << raw.toStdString();
        for (const QString &word : text.split(u' '))
            EXPECT_TRUE(!word.isEmpty() && !word.at(0).isLower()) << text.toStdString();
    }
}
