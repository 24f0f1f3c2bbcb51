#include "model/WorldTag.h"

#include <gtest/gtest.h>

#include <QLocale>
#include <QSet>
#include <QStringList>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// The tags of each category as the rules list them, each list in case order.
struct CategoryList
{
    WorldTagCategory category;
    int raw;
    const char *title;
    QStringList tags;
};

const QList<CategoryList> &categoryLists()
{
    static const QList<CategoryList> lists{
        {WorldTagCategory::environment,
         0,
         "Environment",
         {u"badlands-world"_s, u"bubble-cities"_s, u"cyclical-doom"_s, u"desert-world"_s, u"doomed-world"_s,
          u"flying-cities"_s, u"freak-weather"_s, u"hostile-biosphere"_s, u"hostile-space"_s,
          u"night-world"_s, u"oceanic-world"_s, u"radioactive-world"_s, u"seagoing-cities"_s,
          u"seismic-instability"_s, u"terraform-failure"_s, u"tomb-world"_s, u"urbanized-surface"_s,
          u"ring-system"_s, u"twin-world"_s}},
        {WorldTagCategory::society,
         1,
         "Society & Politics",
         {u"anarchists"_s,
          u"cheap-life"_s,
          u"colonized-population"_s,
          u"cultural-power"_s,
          u"cybercommunists"_s,
          u"eugenic-cult"_s,
          u"mandarinate"_s,
          u"misandry-misogyny"_s,
          u"pleasure-world"_s,
          u"police-state"_s,
          u"post-scarcity"_s,
          u"pretech-cultists"_s,
          u"psionics-fear"_s,
          u"psionics-worship"_s,
          u"restrictive-laws"_s,
          u"rigid-culture"_s,
          u"secret-masters"_s,
          u"sectarians"_s,
          u"shackled-world"_s,
          u"societal-despair"_s,
          u"theocracy"_s,
          u"tyranny"_s,
          u"utopia"_s,
          u"xenophobes"_s,
          u"client-state"_s,
          u"puppet-state"_s,
          u"frontier-world"_s,
          u"contested-world"_s,
          u"corporate-enclave"_s,
          u"caste-society"_s}},
        {WorldTagCategory::powerConflict,
         2,
         "Power & Conflict",
         {u"battleground"_s, u"civil-war"_s, u"fallen-hegemon"_s, u"former-warriors"_s, u"friendly-foe"_s,
          u"hatred"_s, u"holy-war"_s, u"mercenaries"_s, u"minimal-contact"_s, u"out-of-contact"_s,
          u"prison-planet"_s, u"quarantined-world"_s, u"regional-hegemon"_s, u"revanchists"_s,
          u"revolutionaries"_s, u"rising-hegemon"_s, u"ritual-combat"_s, u"warlords"_s}},
        {WorldTagCategory::people,
         3,
         "People & Species",
         {u"altered-humanity"_s, u"anthropomorphs"_s, u"beastmasters"_s, u"cyborgs"_s, u"dying-race"_s,
          u"hivemind"_s, u"immortals"_s, u"maneaters"_s, u"nomads"_s, u"primitive-aliens"_s, u"refugees"_s,
          u"robots"_s, u"unbraked-ai"_s, u"zombies"_s, u"sophont-homeworld"_s, u"sophont-minority"_s,
          u"sophont-majority"_s, u"multispecies-world"_s}},
        {WorldTagCategory::economyTech,
         4,
         "Economy & Tech",
         {u"abandoned-colony"_s, u"feral-world"_s,     u"forbidden-tech"_s, u"gold-rush"_s,
          u"great-work"_s,       u"heavy-industry"_s,  u"heavy-mining"_s,   u"local-specialty"_s,
          u"local-tech"_s,       u"major-spaceyard"_s, u"megacorps"_s,      u"outpost-world"_s,
          u"sole-supplier"_s,    u"trade-hub"_s,       u"lost-world"_s,     u"highport"_s,
          u"tas-facility"_s,     u"refueling-stop"_s,  u"startown"_s,       u"free-port"_s}},
        {WorldTagCategory::mystery,
         5,
         "Mystery & Peril",
         {u"alien-ruins"_s, u"area-51"_s, u"exchange-consulate"_s, u"mandate-base"_s, u"perimeter-agency"_s,
          u"pilgrimage-site"_s, u"preceptor-archive"_s, u"psionics-academy"_s, u"sealed-menace"_s,
          u"taboo-treasure"_s, u"ancient-site"_s, u"ruined-world"_s, u"derelict-fleet"_s,
          u"crashed-starship"_s, u"haunted-world"_s}},
        {WorldTagCategory::zone,
         6,
         "Travel Zones",
         {u"plague"_s, u"amber-zone"_s, u"red-zone"_s, u"slf-scc"_s, u"sathar-scc"_s, u"sathar-base"_s,
          u"sathar-homeworld"_s}},
        {WorldTagCategory::government,
         7,
         "Government",
         {u"No Government"_s, u"Governed by corporation"_s, u"Participating democracy"_s,
          u"Self-Perpetuating Oligarchy"_s, u"Representative Democracy"_s, u"Feudal Technocracy"_s,
          u"Captive Government/Colony"_s, u"Balkanization"_s, u"Civil Service Bureaucracy"_s,
          u"Impersonal Bureaucracy"_s, u"Charismatic Dictatorship"_s, u"Non-Charismatic Dictatorship"_s,
          u"Charismatic Oligarchy"_s, u"Religious Dictatorship"_s, u"Religious Autocracy"_s,
          u"Totalitarian Oligarchy"_s, u"Reserved"_s}},
    };
    return lists;
}

qsizetype casePosition(WorldTag tag)
{
    const auto cases = allCases<WorldTag>();
    return std::find(cases.begin(), cases.end(), tag) - cases.begin();
}

class WorldTagTest : public ::testing::Test
{
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
};

} // namespace

TEST_F(WorldTagTest, everyListedRawValueNamesATagOfItsCategoryAndRoundTrips)
{
    for (const CategoryList &list : categoryLists()) {
        for (const QString &raw : list.tags) {
            const auto tag = enumFromRaw<WorldTag>(raw);
            ASSERT_TRUE(tag.has_value()) << raw.toStdString();
            EXPECT_EQ(category(*tag), list.category) << raw.toStdString();
            EXPECT_EQ(rawValue(*tag), raw);
        }
    }
}

TEST_F(WorldTagTest, categoryListsFollowCaseOrderAndCoverEveryTagOnce)
{
    QSet<WorldTag> seen;
    for (const CategoryList &list : categoryLists()) {
        qsizetype previous = -1;
        for (const QString &raw : list.tags) {
            const WorldTag tag = *enumFromRaw<WorldTag>(raw);
            EXPECT_GT(casePosition(tag), previous) << raw.toStdString();
            previous = casePosition(tag);
            EXPECT_FALSE(seen.contains(tag)) << raw.toStdString();
            seen.insert(tag);
        }
    }
    EXPECT_EQ(seen.size(), 144);
    EXPECT_EQ(allCases<WorldTag>().size(), 144u);
}

TEST_F(WorldTagTest, caseOrderEndsWithTheLaterTagsAndTheGovernments)
{
    // After the 97 tags in alphabetical order come these, in this order.
    const QStringList tail{u"plague"_s,
                           u"amber-zone"_s,
                           u"red-zone"_s,
                           u"slf-scc"_s,
                           u"sathar-scc"_s,
                           u"sathar-base"_s,
                           u"sathar-homeworld"_s,
                           u"lost-world"_s,
                           u"ancient-site"_s,
                           u"sophont-homeworld"_s,
                           u"sophont-minority"_s,
                           u"sophont-majority"_s,
                           u"multispecies-world"_s,
                           u"client-state"_s,
                           u"puppet-state"_s,
                           u"frontier-world"_s,
                           u"contested-world"_s,
                           u"corporate-enclave"_s,
                           u"caste-society"_s,
                           u"highport"_s,
                           u"tas-facility"_s,
                           u"refueling-stop"_s,
                           u"startown"_s,
                           u"free-port"_s,
                           u"ruined-world"_s,
                           u"derelict-fleet"_s,
                           u"crashed-starship"_s,
                           u"haunted-world"_s,
                           u"ring-system"_s,
                           u"twin-world"_s};
    const auto cases = allCases<WorldTag>();
    for (qsizetype i = 0; i < tail.size(); ++i)
        EXPECT_EQ(rawValue(cases[97 + i]), tail[i]) << i;
    const QStringList &governments = categoryLists().last().tags;
    for (qsizetype i = 0; i < governments.size(); ++i)
        EXPECT_EQ(rawValue(cases[127 + i]), governments[i]) << i;

    // The first 97 are alphabetical by case name, which for these tags is also
    // alphabetical by raw value.
    EXPECT_EQ(cases.front(), WorldTag::abandonedColony);
    EXPECT_EQ(cases[96], WorldTag::zombies);
    for (int i = 1; i < 97; ++i)
        EXPECT_LT(rawValue(cases[i - 1]), rawValue(cases[i])) << i;
}

TEST_F(WorldTagTest, namedCasesWhoseRawValueDepartsFromTheirName)
{
    const std::pair<WorldTag, const char16_t *> expected[] = {
        {WorldTag::civilWar, u"civil-war"},
        {WorldTag::tasFacility, u"tas-facility"},
        {WorldTag::area51, u"area-51"},
        {WorldTag::soleSuplier, u"sole-supplier"},
        {WorldTag::unbrakedAI, u"unbraked-ai"},
        {WorldTag::slfSCC, u"slf-scc"},
        {WorldTag::satharSCC, u"sathar-scc"},
        {WorldTag::satharHW, u"sathar-homeworld"},
        {WorldTag::freeport, u"free-port"},
        {WorldTag::gov0, u"No Government"},
        {WorldTag::gov15, u"Totalitarian Oligarchy"},
        {WorldTag::reserved, u"Reserved"},
    };
    for (const auto &[tag, raw] : expected) {
        EXPECT_EQ(rawValue(tag), QString::fromUtf16(raw));
        EXPECT_EQ(enumFromRaw<WorldTag>(QString::fromUtf16(raw)), tag);
    }
}

TEST_F(WorldTagTest, rawValuesMatchExactlyOrNotAtAll)
{
    const QStringList unknown{u"Civil-War"_s,  u"civil war"_s,    u"Civil War"_s, u"CIVIL-WAR"_s,
                              u" civil-war"_s, u"civilWar"_s,     u"reserved"_s,  u"no government"_s,
                              u"area51"_s,     u"sole-suplier"_s, u""_s};
    for (const QString &raw : unknown)
        EXPECT_FALSE(enumFromRaw<WorldTag>(raw).has_value()) << raw.toStdString();
}

TEST_F(WorldTagTest, categoriesRoundTripByPositionWithTheirTitles)
{
    for (const CategoryList &list : categoryLists()) {
        EXPECT_EQ(rawValue(list.category), list.raw);
        EXPECT_EQ(enumFromRaw<WorldTagCategory>(list.raw), list.category);
        EXPECT_EQ(title(list.category), QString::fromUtf8(list.title));
    }
    for (const qint64 raw : {-1LL, 8LL, 100LL})
        EXPECT_FALSE(enumFromRaw<WorldTagCategory>(raw).has_value()) << raw;
}

TEST_F(WorldTagTest, tagsOfACategoryAreItsListSortedByLowerCasedRawValue)
{
    qsizetype total = 0;
    for (const CategoryList &list : categoryLists()) {
        const QList<WorldTag> sorted = tags(list.category);
        ASSERT_EQ(sorted.size(), list.tags.size());
        total += sorted.size();
        QStringList expected = list.tags;
        std::sort(expected.begin(), expected.end(),
                  [](const QString &a, const QString &b) { return a.toLower() < b.toLower(); });
        for (qsizetype i = 0; i < sorted.size(); ++i)
            EXPECT_EQ(rawValue(sorted[i]), expected[i]);
    }
    EXPECT_EQ(total, 144);
}

TEST_F(WorldTagTest, zoneAndGovernmentListsReadAsDocumented)
{
    const QList<WorldTag> zone = tags(WorldTagCategory::zone);
    const QList<WorldTag> expectedZone{WorldTag::amberZone,  WorldTag::plague,   WorldTag::redZone,
                                       WorldTag::satharBase, WorldTag::satharHW, WorldTag::satharSCC,
                                       WorldTag::slfSCC};
    EXPECT_EQ(zone, expectedZone);

    // "Balkanization", "Captive Government/Colony", "Charismatic Dictatorship".
    const QList<WorldTag> government = tags(WorldTagCategory::government);
    ASSERT_GE(government.size(), 3);
    EXPECT_EQ(government[0], WorldTag::gov7);
    EXPECT_EQ(government[1], WorldTag::gov6);
    EXPECT_EQ(government[2], WorldTag::gov10);
}

TEST_F(WorldTagTest, orderingIgnoresLetterCaseAndCasePosition)
{
    // Compared without lower-casing, every capitalised government name would sort
    // before every hyphenated tag ("B" < "a").
    EXPECT_TRUE(WorldTag::abandonedColony < WorldTag::gov7);
    EXPECT_FALSE(WorldTag::gov7 < WorldTag::abandonedColony);
    EXPECT_TRUE(WorldTag::gov7 > WorldTag::abandonedColony);
    EXPECT_TRUE(sortsBefore(WorldTag::gov10, WorldTag::civilWar));
    EXPECT_TRUE(sortsBefore(WorldTag::civilWar, WorldTag::gov1));

    // plague comes after zombies in case order, but "plague" < "zombies".
    EXPECT_TRUE(WorldTag::plague < WorldTag::zombies);
    EXPECT_TRUE(WorldTag::zombies > WorldTag::plague);
    EXPECT_FALSE(WorldTag::zombies <= WorldTag::plague);
    EXPECT_TRUE(WorldTag::plague <= WorldTag::zombies);
    EXPECT_FALSE(WorldTag::plague >= WorldTag::zombies);

    // Equal tags are not less than each other.
    EXPECT_FALSE(sortsBefore(WorldTag::civilWar, WorldTag::civilWar));
    EXPECT_TRUE(WorldTag::civilWar <= WorldTag::civilWar);
    EXPECT_TRUE(WorldTag::civilWar >= WorldTag::civilWar);
}

TEST_F(WorldTagTest, pickerCasesAreEveryCategoryButGovernmentInCaseOrder)
{
    const auto categories = allCases<WorldTagCategory>();
    ASSERT_EQ(kWorldTagPickerCases.size(), 7u);
    EXPECT_EQ(
        std::find(kWorldTagPickerCases.begin(), kWorldTagPickerCases.end(), WorldTagCategory::government),
        kWorldTagPickerCases.end());
    for (std::size_t i = 0; i < kWorldTagPickerCases.size(); ++i)
        EXPECT_EQ(kWorldTagPickerCases[i], categories[i]);
}
