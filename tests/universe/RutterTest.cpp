// A rutter's far end seen from each hex: the other end from either end, itself for a
// route that starts and ends on one hex, and nothing from a hex it does not touch.
#include "TestMapObjects.h"

#include <gtest/gtest.h>

TEST(RutterTest, TheFarEndIsTheOtherEndFromEitherEndAndNothingElsewhere)
{
    const GalacticCoordinates a{0, 0, 1, 1}, b{-1, 2, 32, 40}, elsewhere{0, 0, 1, 2};
    const Rutter route = test_records::rutter(QUuid::createUuid(), a, b);
    EXPECT_EQ(route.farEnd(a), b);
    EXPECT_EQ(route.farEnd(b), a);
    EXPECT_EQ(route.farEnd(elsewhere), std::nullopt);
    // The same column and row in another sector is another hex.
    EXPECT_EQ(route.farEnd(GalacticCoordinates{1, 0, 1, 1}), std::nullopt);

    const Rutter loop = test_records::rutter(QUuid::createUuid(), a, a);
    EXPECT_EQ(loop.farEnd(a), a);
}
