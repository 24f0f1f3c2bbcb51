#include "VocabularyTestSupport.h"

#include "model/Race.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <algorithm>

using namespace vocabulary_test;

namespace {

struct RaceCase
{
    Race value;
    const char *raw;
    const char *description;
    bool swn;
    bool traveller;
};
const RaceCase kRaces[] = {
    {Race::corporation, "corporation", "Corporation", true, true},
    {Race::human, "human", "Human", true, true},
    {Race::mixed, "mixed", "Mixed", true, true},
    {Race::none, "none", "None", true, true},
    {Race::unknown, "unknown", "Unknown", true, true},
    {Race::dralasite, "dralasite", "Dralasite", true, false},
    {Race::humma, "humma", "Humma", true, false},
    {Race::ifshnits, "ifshnits", "Ifshnit", true, false},
    {Race::mechanon, "mechanon", "Mechanon", true, false},
    {Race::mhemne, "mhemne", "Mhemne", true, false},
    {Race::mixedRIM, "mixedRIM", "Mixed (RIM)", true, false},
    {Race::osakar, "osakar", "Osakar", true, false},
    {Race::sathar, "sathar", "Sathar", true, false},
    {Race::vrusk, "vrusk", "Vrusk", true, false},
    {Race::yazirian, "yazirian", "Yazirian", true, false},
    {Race::aslan, "aslan", "Aslan", false, true},
    {Race::droyne, "droyne", "Droyne", false, true},
    {Race::hiver, "hiver", "Hiver", false, true},
    {Race::kkree, "kkree", "K'kree", false, true},
    {Race::solomani, "solomani", "Solomani", false, true},
    {Race::vargr, "vargr", "Vargr", false, true},
    {Race::vilani, "vilani", "Vilani", false, true},
    {Race::zhodani, "zhodani", "Zhodani", false, true},
};

TEST(RaceTest, EveryPeopleInOrderWithRawValueAndName)
{
    expectCasesAndRawValues<Race>(kRaces);
    for (const auto &row : kRaces)
        EXPECT_EQ(description(row.value), text(row.description)) << row.raw;
    expectRejected<Race>({"Human", "ifshnit", "K'kree", "mixedrim", "Zhodani"});
    EXPECT_EQ(enumFromRaw<Race>(text("kkree")), Race::kkree);
}

TEST(RaceTest, PeoplesOfferedUnderEachFlavour)
{
    for (const TechnologyLevelSystem system :
         {TechnologyLevelSystem::swn, TechnologyLevelSystem::traveller}) {
        QList<Race> expected;
        for (const auto &row : kRaces) {
            if (system == TechnologyLevelSystem::swn ? row.swn : row.traveller)
                expected.append(row.value);
        }
        EXPECT_EQ(races(system), expected);
    }
    const QList<Race> swn = races(TechnologyLevelSystem::swn);
    ASSERT_EQ(swn.size(), 15);
    EXPECT_EQ(swn.mid(0, 6), (QList<Race>{Race::corporation, Race::human, Race::mixed, Race::none,
                                          Race::unknown, Race::dralasite}));
    EXPECT_EQ(swn.back(), Race::yazirian);
    const QList<Race> traveller = races(TechnologyLevelSystem::traveller);
    ASSERT_EQ(traveller.size(), 13);
    EXPECT_EQ(traveller.back(), Race::zhodani);
    EXPECT_FALSE(traveller.contains(Race::sathar));
}

class RaceOrderTest : public ::testing::Test
{
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }
};

TEST_F(RaceOrderTest, SortingFollowsTheDisplayNames)
{
    auto all = allCases<Race>();
    std::sort(all.begin(), all.end());
    EXPECT_EQ(all.front(), Race::aslan);
    EXPECT_EQ(all.back(), Race::zhodani);
    const auto at = [&all](Race race) { return std::find(all.begin(), all.end(), race) - all.begin(); };
    EXPECT_LT(at(Race::ifshnits), at(Race::kkree));
    EXPECT_LT(at(Race::kkree), at(Race::mechanon));
    EXPECT_LT(at(Race::mixed), at(Race::mixedRIM));
    // The case order is not the sort order.
    EXPECT_TRUE(Race::aslan < Race::corporation);
    EXPECT_FALSE(Race::corporation < Race::aslan);
    EXPECT_TRUE(Race::zhodani > Race::yazirian);
    EXPECT_FALSE(Race::human < Race::human);
    EXPECT_TRUE(Race::human <= Race::human);
    EXPECT_TRUE(Race::human >= Race::human);
    // Neighbours stand in ascending order of their lower-cased names.
    for (std::size_t i = 1; i < all.size(); ++i)
        EXPECT_LT(description(all[i - 1]).toLower(), description(all[i]).toLower());
}

} // namespace
