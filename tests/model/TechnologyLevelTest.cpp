#include "VocabularyTestSupport.h"

#include "model/TechnologyLevel.h"

#include <gtest/gtest.h>

using namespace vocabulary_test;

namespace {

struct LevelCase
{
    TechnologyLevel value;
    const char *raw;
    const char *name;
};
// Coarse levels first, then the Traveller scale.
const LevelCase kLevels[] = {
    {TechnologyLevel::tl0, "0", "Neolithic"},
    {TechnologyLevel::tl1, "1", "Pre-Gunpowder"},
    {TechnologyLevel::tl2, "2", "Early Industrial"},
    {TechnologyLevel::tl3, "3", "21st Century"},
    {TechnologyLevel::tl4, "4", "Postech"},
    {TechnologyLevel::tl4Plus, "4+", "Postech-Plus"},
    {TechnologyLevel::tl5, "5", "Pretech"},
    {TechnologyLevel::tl6, "6", "Pretech-Plus"},
    {TechnologyLevel::ttl0, "TL0", "Primitive"},
    {TechnologyLevel::ttl1, "TL1", "Primitive"},
    {TechnologyLevel::ttl2, "TL2", "Primitive"},
    {TechnologyLevel::ttl3, "TL3", "Primitive"},
    {TechnologyLevel::ttl4, "TL4", "Industrial"},
    {TechnologyLevel::ttl5, "TL5", "Industrial"},
    {TechnologyLevel::ttl6, "TL6", "Industrial"},
    {TechnologyLevel::ttl7, "TL7", "Pre-Stellar"},
    {TechnologyLevel::ttl8, "TL8", "Pre-Stellar"},
    {TechnologyLevel::ttl9, "TL9", "Pre-Stellar"},
    {TechnologyLevel::ttl10, "TL10", "Early Stellar"},
    {TechnologyLevel::ttl11, "TL11", "Early Stellar"},
    {TechnologyLevel::ttl12, "TL12", "Average Stellar"},
    {TechnologyLevel::ttl13, "TL13", "Average Stellar"},
    {TechnologyLevel::ttl14, "TL14", "Average Stellar"},
    {TechnologyLevel::ttl15, "TL15", "High Stellar"},
    {TechnologyLevel::ttl16, "TL16", "Artificial Personality"},
    {TechnologyLevel::ttl17, "TL17", "Personality Transfer"},
    {TechnologyLevel::ttl18, "TL18", "Exotic Collectors"},
    {TechnologyLevel::ttl19, "TL19", "Limited Matter Transport"},
    {TechnologyLevel::ttl20, "TL20", "Global Matter Transport"},
    {TechnologyLevel::ttl21, "TL21", "Mass Matter Transport"},
    {TechnologyLevel::ttl22, "TL22", "Fantastic Technology"},
};

TEST(TechnologyLevelTest, EveryLevelInOrderWithRawValueAndName)
{
    expectCasesAndRawValues<TechnologyLevel>(kLevels);
    for (const auto &row : kLevels)
        EXPECT_EQ(name(row.value), text(row.name)) << row.raw;
    expectRejected<TechnologyLevel>({"tl4", "ttl0", "tl0", "TL23", "TL-1", "7", "4 +", "+4", "tl12", ""});
    EXPECT_EQ(enumFromRaw<TechnologyLevel>(text("4+")), TechnologyLevel::tl4Plus);
    EXPECT_EQ(enumFromRaw<TechnologyLevel>(text("TL0")), TechnologyLevel::ttl0);
}

TEST(TechnologyLevelTest, LevelsOfEachRuleFlavour)
{
    const QList<TechnologyLevel> coarse = technologyLevels(TechnologyLevelSystem::swn);
    ASSERT_EQ(coarse.size(), 8);
    EXPECT_EQ(coarse.front(), TechnologyLevel::tl0);
    EXPECT_EQ(coarse[4], TechnologyLevel::tl4);
    EXPECT_EQ(coarse[5], TechnologyLevel::tl4Plus);
    EXPECT_EQ(coarse[6], TechnologyLevel::tl5);
    EXPECT_EQ(coarse.back(), TechnologyLevel::tl6);

    const QList<TechnologyLevel> traveller = technologyLevels(TechnologyLevelSystem::traveller);
    ASSERT_EQ(traveller.size(), 23);
    for (int i = 0; i < traveller.size(); ++i)
        EXPECT_EQ(rawValue(traveller[i]), QStringLiteral("TL%1").arg(i));

    for (const auto &row : kLevels) {
        const bool isTraveller = text(row.raw).startsWith(QStringLiteral("TL"));
        EXPECT_EQ(technologyLevelSystem(row.value),
                  isTraveller ? TechnologyLevelSystem::traveller : TechnologyLevelSystem::swn)
            << row.raw;
    }
}

TEST(TechnologyLevelTest, NumericValueAndProfileDigit)
{
    const struct
    {
        TechnologyLevel level;
        int number;
        const char *digit;
    } cases[] = {
        {TechnologyLevel::tl0, 0, "0"},    {TechnologyLevel::tl3, 3, "3"},
        {TechnologyLevel::tl4, 4, "4"},    {TechnologyLevel::tl4Plus, 4, "4"},
        {TechnologyLevel::tl5, 5, "5"},    {TechnologyLevel::tl6, 6, "6"},
        {TechnologyLevel::ttl0, 0, "0"},   {TechnologyLevel::ttl9, 9, "9"},
        {TechnologyLevel::ttl10, 10, "A"}, {TechnologyLevel::ttl15, 15, "F"},
        {TechnologyLevel::ttl17, 17, "H"}, {TechnologyLevel::ttl18, 18, "J"},
        {TechnologyLevel::ttl22, 22, "N"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(numericValue(c.level), c.number) << rawValue(c.level).toStdString();
        EXPECT_EQ(uwpDigit(c.level), text(c.digit)) << rawValue(c.level).toStdString();
    }
    // Every Traveller level counts its own number.
    const QList<TechnologyLevel> traveller = technologyLevels(TechnologyLevelSystem::traveller);
    for (int i = 0; i < traveller.size(); ++i)
        EXPECT_EQ(numericValue(traveller[i]), i);
}

TEST(TechnologyLevelTest, OrderFollowsTheCaseOrder)
{
    EXPECT_TRUE(TechnologyLevel::tl6 < TechnologyLevel::ttl0);
    EXPECT_FALSE(TechnologyLevel::ttl0 < TechnologyLevel::tl6);
    EXPECT_TRUE(TechnologyLevel::tl4 < TechnologyLevel::tl4Plus);
    EXPECT_TRUE(TechnologyLevel::tl4Plus < TechnologyLevel::tl5);
    for (std::size_t i = 1; i < std::size(kLevels); ++i) {
        EXPECT_LT(kLevels[i - 1].value, kLevels[i].value);
        EXPECT_GT(kLevels[i].value, kLevels[i - 1].value);
    }
}

} // namespace
