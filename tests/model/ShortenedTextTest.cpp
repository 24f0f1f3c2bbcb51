#include "model/ShortenedText.h"

#include <gtest/gtest.h>

TEST(ShortenedTextTest, CutsWithAnEllipsisAndNeverSplitsACharacter)
{
    EXPECT_EQ(shortened(QStringLiteral("abcdef"), 6), QStringLiteral("abcdef"));
    EXPECT_EQ(shortened(QStringLiteral("abcdefg"), 6), QStringLiteral("abcde\u2026"));
    EXPECT_EQ(shortened(QString(), 3), QString());
    EXPECT_EQ(shortened(QStringLiteral("abc"), 0), QStringLiteral("\u2026"));
    // A character outside the basic plane takes two code units: cutting between them
    // would leave half a character.
    const QString stars = QString::fromUtf8("\U0001F31F\U0001F31F\U0001F31F\U0001F31F");
    for (qsizetype longest = 1; longest < stars.size(); ++longest) {
        const QString cut = shortened(stars, longest);
        EXPECT_LE(cut.size(), longest) << longest;
        EXPECT_FALSE(cut.chopped(1).back().isHighSurrogate()) << longest;
        EXPECT_TRUE(cut.chopped(1).toUcs4().size() * 2 == cut.chopped(1).size()) << longest;
    }
}
