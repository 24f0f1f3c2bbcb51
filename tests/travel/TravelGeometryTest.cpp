#include "travel/TravelGeometry.h"

#include "TravelTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace TravelGeometry;
using namespace travel_test;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();
// Kilometres in one astronomical unit, written out here so that a wrong constant in the
// travel arithmetic cannot also move what the tests expect.
constexpr double kOneAUKm = 149'597'870.7;

using TravelGeometryTest = EnglishNumbersTest;

TEST_F(TravelGeometryTest, oneAstronomicalUnitAtEachThrust)
{
    EXPECT_EQ(std::llround(travelTimeSeconds(kOneAUKm, 1.0)), 246'978);
    EXPECT_EQ(formatDuration(travelTimeSeconds(kOneAUKm, 1.0)), QStringLiteral("2d 20h"));
    EXPECT_EQ(std::llround(travelTimeSeconds(kOneAUKm, 6.0)), 100'828);
    EXPECT_EQ(formatDuration(travelTimeSeconds(kOneAUKm, 6.0)), QStringLiteral("28h 0m"));
    // Four times the thrust halves the time at every distance.
    for (int g = 1; g <= 6; ++g)
        EXPECT_NEAR(travelTimeSeconds(7.5e8, g) / travelTimeSeconds(7.5e8, 4.0 * g), 2.0, 1e-12);
}

TEST_F(TravelGeometryTest, noDistanceOrNoThrustTakesNoTimeAndShowsADash)
{
    for (const auto &[distance, thrust] :
         {std::pair{0.0, 1.0}, {1e6, 0.0}, {1e6, -2.0}, {-5.0, 1.0}, {1e6, kNaN}}) {
        EXPECT_EQ(travelTimeSeconds(distance, thrust), 0.0) << distance << " km at " << thrust << " G";
        EXPECT_EQ(formatDuration(travelTimeSeconds(distance, thrust)), QStringLiteral("\u2014"));
    }
}

TEST_F(TravelGeometryTest, durationsRoundToWholeMinutesBeforeChoosingTheirForm)
{
    const std::pair<double, const char *> cases[] = {
        {59, "<1 min"},       {60, "1m"},
        {89, "1m"},           {90, "2m"},
        {3'569, "59m"},       {3'570, "1h 0m"},
        {172'769, "47h 59m"}, {172'770, "2d 0h"},
        {90'000, "25h 0m"},   {1'000'000, "11d 13h"},
    };
    for (const auto &[seconds, text] : cases)
        EXPECT_EQ(formatDuration(seconds), QString::fromUtf8(text)) << seconds;
}

TEST_F(TravelGeometryTest, durationsBeyondTheMinuteRangeShowADash)
{
    for (const double seconds : {kNaN, kInfinity, -kInfinity, 9.3e18 * 60.0, 1e300})
        EXPECT_EQ(formatDuration(seconds), QStringLiteral("\u2014")) << seconds;
    // A tiny custom thrust across the widest orbit (78,643.6 AU) overflows the minutes.
    EXPECT_EQ(formatDuration(travelTimeSeconds(78'643.6 * kOneAUKm, 1e-27)), QStringLiteral("\u2014"));
    EXPECT_EQ(formatKilometres(1e19), QStringLiteral("\u2014"));
}

TEST_F(TravelGeometryTest, aWorldsOwnHundredDiametersGovernUnlessAStarReachesFarther)
{
    const Star sun = star(Orbits::starOrbitP);
    StarSystem s = system({sun});
    const JumpClearance world = jumpClearance(s, aWorld().orbit(Orbits::starOrbit3).size(8), sun);
    EXPECT_EQ(world, (JumpClearance{1'287'475.2, std::nullopt}));
    EXPECT_EQ(formatKilometres(world.distanceKm), QStringLiteral("1,287,475 km"));

    // A small gas giant close in lies within the sun's 100-diameter shadow:
    // 100 x 1,392,700 km less 0.2 AU.
    const JumpClearance giant =
        jumpClearance(s, aWorld().orbit(Orbits::starOrbit0).size(20).type(WorldType::smallGasGiant), sun);
    EXPECT_NEAR(giant.distanceKm, 109'350'425.86, 1e-3);
    EXPECT_EQ(giant.governingStarID, sun.id);
    // A gas giant's size code names a size class, not thousands of miles; any gas giant
    // has a surface, and no other body of size 0 or below.
    EXPECT_NEAR(bodyDiameterKm(aWorld().orbit(Orbits::starOrbit3).size(25).type(WorldType::largeGasGiant)),
                112'654.08, 1e-6);
    EXPECT_TRUE(hasSurface(aWorld().orbit(Orbits::starOrbit3).size(0).type(WorldType::iceGiant)));
    EXPECT_FALSE(hasSurface(aWorld().orbit(Orbits::starOrbit3).size(-1)));
}

TEST_F(TravelGeometryTest, aSupergiantPrimaryShadowsItsCompanionsWorlds)
{
    const Star primary = star(Orbits::starOrbitP, SpectralType::M, 2, LuminosityClass::Ia);
    const Star companion = star(Orbits::starOrbit5, SpectralType::K, 2, LuminosityClass::V);
    const StarSystem s = system({primary, companion});
    const QList<StarShadow> shadows = starShadows(s, companion);
    ASSERT_EQ(shadows.size(), 2);
    // An M2 Ia is 800 times the Sun's 1,392,700 km.
    EXPECT_EQ(shadows[0], (StarShadow{primary.id, 2.8, 1'114'160'000.0}));
    EXPECT_EQ(shadows[1].separationAU, 0.0);

    const JumpClearance clearance = jumpClearance(s, aWorld().orbit(Orbits::starOrbit0).size(5), companion);
    EXPECT_EQ(clearance.governingStarID, primary.id);
    // 100 of the primary's diameters less the 2.6 AU between its place and the world's orbit.
    EXPECT_NEAR(clearance.distanceKm, 111'027'045'536.18, 1e-2);
}

TEST_F(TravelGeometryTest, closestApproachBetweenBodiesOfOneOrTwoStars)
{
    const Star primary = star(Orbits::starOrbitP);
    const Star atFive = star(Orbits::starOrbit5);
    const Star atThree = star(Orbits::starOrbit3);
    const WorldData planet = aWorld().orbit(Orbits::starOrbit3).size(6);
    const WorldData moon = aWorld()
                               .orbit(Orbits::starOrbit3)
                               .size(2)
                               .type(WorldType::closeSatelliteP)
                               .satelliteOrbit(PlanetOrbits::planetOrbitA);

    const double apart =
        closestApproachKm(planet, primary, aWorld().orbit(Orbits::starOrbit1).size(4), atFive);
    EXPECT_NEAR(apart, 209'437'018.98, 0.01);
    EXPECT_EQ(formatKilometres(apart), QStringLiteral("209,437,019 km"));
    // The gap between the orbits is wider than the stars' separation.
    EXPECT_NEAR(closestApproachKm(aWorld().orbit(Orbits::starOrbit4).size(5), primary,
                                  aWorld().orbit(Orbits::starOrbit0).size(3), atThree),
                59'839'148.28, 1e-3);
    // Crossing orbits touch.
    EXPECT_EQ(closestApproachKm(planet, primary, aWorld().orbit(Orbits::starOrbit0).size(3), atThree), 0.0);
    EXPECT_EQ(closestApproachKm(planet, primary, planet, primary), 0.0);
    EXPECT_EQ(closestApproachKm(planet, primary, moon, primary), 0.0);
}

} // namespace
