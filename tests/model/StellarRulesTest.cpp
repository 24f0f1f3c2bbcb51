#include "StarTestSupport.h"

#include "model/StellarRules.h"

#include <gtest/gtest.h>

#include <limits>

using LC = LuminosityClass;
using ST = SpectralType;

TEST(StellarRules, TableCornersAndTheWhiteDwarfRows)
{
    const std::tuple<ST, LC, Orbits> zones[] = {
        {ST::O, LC::Ia, Orbits::starOrbit15}, {ST::O, LC::D, Orbits::starOrbit1},
        {ST::F, LC::VI, Orbits::starOrbit3},  {ST::G, LC::V, Orbits::starOrbit3},
        {ST::K, LC::V, Orbits::starOrbit2},   {ST::K, LC::VI, Orbits::starOrbit1},
        {ST::M, LC::Ia, Orbits::starOrbit12}, {ST::M, LC::V, Orbits::starOrbit0},
        {ST::B, LC::D, Orbits::starOrbit0}};
    for (const auto &[type, luminosity, orbit] : zones)
        EXPECT_EQ(StellarRules::habitableZoneOrbit(type, luminosity), orbit) << rawValue(type).toStdString();

    const std::tuple<ST, LC, double, double> masses[] = {{ST::G, LC::V, 0.8, 1.04},
                                                         {ST::O, LC::Ia, 48.0, 180.0},
                                                         {ST::M, LC::VI, 0.064, 0.36},
                                                         {ST::K, LC::D, 0.6, 1.1}};
    for (const auto &[type, luminosity, low, high] : masses) {
        EXPECT_DOUBLE_EQ(StellarRules::massRange(type, luminosity).low, low) << rawValue(type).toStdString();
        EXPECT_DOUBLE_EQ(StellarRules::massRange(type, luminosity).high, high)
            << rawValue(type).toStdString();
    }
    EXPECT_DOUBLE_EQ(StellarRules::relativeSize(ST::M, LC::Ia), 800);
    EXPECT_DOUBLE_EQ(StellarRules::relativeSize(ST::A, LC::D), 0.011);
}

TEST(StellarRules, OrbitalPeriodInWholeHoursAndZeroWithoutDistanceOrMass)
{
    EXPECT_EQ(StellarRules::orbitalPeriodHours(1.0, Orbits::starOrbit3), 8766);
    EXPECT_EQ(StellarRules::orbitalPeriodHours(0.8, Orbits::starOrbit0), 877); // 876.6
    EXPECT_EQ(StellarRules::orbitalPeriodHours(10.0, Orbits::starOrbit7), 87660);
    EXPECT_EQ(StellarRules::orbitalPeriodHours(1.0, Orbits::starOrbitP), 0);
    for (const double mass : {0.0, -1.0, std::numeric_limits<double>::quiet_NaN()})
        EXPECT_EQ(StellarRules::orbitalPeriodHours(mass, Orbits::starOrbit3), 0) << mass;
    // A stored star of nearly no mass saturates instead of overflowing.
    EXPECT_EQ(StellarRules::orbitalPeriodHours(1e-300, Orbits::starOrbit20),
              std::numeric_limits<qint64>::max());
}

TEST(StellarRules, SizeClassByFluxWithTheKAndFAdjustments)
{
    const std::tuple<ST, int, int, LC> cases[] = {
        {ST::O, 0, -5, LC::Ib}, {ST::O, 0, 5, LC::D},   {ST::M, 0, -5, LC::II}, {ST::M, 9, 3, LC::VI},
        {ST::K, 5, -4, LC::V},  {ST::K, 4, -4, LC::IV}, {ST::F, 4, 3, LC::V},   {ST::F, 5, 3, LC::VI},
        {ST::G, 7, -4, LC::IV}, {ST::G, 2, 3, LC::VI}, // the adjustments belong to K and F alone
    };
    for (const auto &[type, decimal, flux, expected] : cases)
        EXPECT_EQ(StellarRules::sizeClass(type, decimal, flux), expected)
            << rawValue(type).toStdString() << decimal << " flux " << flux;

    ScriptedDraws draws;
    draws.flux(-4).flux(3);
    ScopedRandomSource scope(draws);
    EXPECT_EQ(StellarRules::randomSizeClass(ST::K, 7), LC::V);
    EXPECT_EQ(StellarRules::randomSizeClass(ST::F, 6), LC::VI);
    EXPECT_TRUE(draws.scriptUsed());
}
