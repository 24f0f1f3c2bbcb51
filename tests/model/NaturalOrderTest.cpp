#include "model/NaturalOrder.h"

#include <gtest/gtest.h>

TEST(NaturalOrder, IgnoresCaseAndComparesDigitRunsByValue)
{
    struct Case
    {
        const char *a;
        const char *b;
        int expected;
    };
    const Case cases[] = {{"World 9", "world 10", -1},
                          {"world 10", "World 9", 1},
                          {"alpha", "Beta", -1},
                          {"ALPHA", "alpha", 0},
                          {"Sector 007", "Sector 7", 0},
                          {"Sector 7b", "Sector 7a", 1},
                          {"a2", "a10", -1},
                          {"", "a", -1},
                          {"a", "", 1},
                          {"x99999999999999999999999", "x100000000000000000000000", -1},
                          {"10", "9", 1}};
    for (const Case &c : cases) {
        EXPECT_EQ(naturalCompare(QString::fromLatin1(c.a), QString::fromLatin1(c.b)), c.expected)
            << c.a << " vs " << c.b;
    }
}
