// Word capitalisation of raw values: where words start and what happens to the
// letters in between.
#include "model/CapitalizedWords.h"

#include <gtest/gtest.h>

#include <utility>

TEST(CapitalizedWordsTest, AWordStartsAfterABlankOrAHyphen)
{
    const std::pair<const char *, const char *> cases[] = {
        {"amber-zone", "Amber-Zone"},
        {"abandoned-colony", "Abandoned-Colony"},
        {"out-of-contact", "Out-Of-Contact"},
        {"area-51", "Area-51"},     // a digit starts a word but has no case
        {"x-51b", "X-51b"},         // only the first character of a word is raised
        {"orangeRed", "Orangered"}, // inner capitals are lowered
        {"NO GOVERNMENT", "No Government"},
        {"Captive Government/Colony", "Captive Government/colony"}, // a slash joins
        {"tab\tnew\nline", "Tab\tNew\nLine"},
        {"  two  blanks ", "  Two  Blanks "},
        {"-leading", "-Leading"},
        {"a--b", "A--B"},
        {"trailing-", "Trailing-"},
        {"-", "-"},
        {"", ""},
        {"\u00e4rger-\u00f6l", "\u00c4rger-\u00d6l"},
    };
    for (const auto &[raw, shown] : cases)
        EXPECT_EQ(capitalizedWords(QString::fromUtf8(raw)), QString::fromUtf8(shown)) << raw;
}

TEST(CapitalizedWordsTest, CapitalizingTwiceChangesNothingMore)
{
    for (const char *raw :
         {"sathar-homeworld", "Self-Perpetuating Oligarchy", "mIxEd-CaSe words", "1-a b-2"}) {
        const QString once = capitalizedWords(QString::fromUtf8(raw));
        EXPECT_EQ(capitalizedWords(once), once) << raw;
        EXPECT_EQ(once.size(), qsizetype(strlen(raw))) << raw;
        EXPECT_EQ(once.toLower(), QString::fromUtf8(raw).toLower()) << raw;
    }
}
