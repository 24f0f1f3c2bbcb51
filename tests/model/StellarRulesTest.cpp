#include "StarTestSupport.h"

#include "model/StellarRules.h"

#include <gtest/gtest.h>

#include <limits>

using LC = LuminosityClass;
using ST = SpectralType;

namespace {

struct ZoneCase
{
    ST type;
    LC luminosity;
    Orbits orbit;
};

struct SizeCase
{
    ST type;
    LC luminosity;
    double size;
};

struct MassCase
{
    ST type;
    LC luminosity;
    double low;
    double high;
};

struct FluxCase
{
    ST type;
    int decimal;
    int flux;
    LC expected;
};

} // namespace

TEST(StellarRules, HabitableZoneAtTheTableEdges)
{
    const ZoneCase cases[] = {
        {ST::O, LC::Ia, Orbits::starOrbit15}, {ST::O, LC::V, Orbits::starOrbit11},
        {ST::O, LC::D, Orbits::starOrbit1},   {ST::B, LC::Ia, Orbits::starOrbit13},
        {ST::A, LC::Ib, Orbits::starOrbit11}, {ST::F, LC::VI, Orbits::starOrbit3},
        {ST::G, LC::V, Orbits::starOrbit3},   {ST::G, LC::VI, Orbits::starOrbit2},
        {ST::K, LC::III, Orbits::starOrbit8}, {ST::K, LC::VI, Orbits::starOrbit1},
        {ST::M, LC::Ia, Orbits::starOrbit12}, {ST::M, LC::III, Orbits::starOrbit9},
    };
    for (const ZoneCase &c : cases) {
        EXPECT_EQ(StellarRules::habitableZoneOrbit(c.type, c.luminosity), c.orbit)
            << rawValue(c.type).toStdString() << " " << rawValue(c.luminosity).toStdString();
    }
}

TEST(StellarRules, HabitableZoneInOrbitZeroForDimStarsAndWhiteDwarfsButOD)
{
    for (const LC luminosity : {LC::IV, LC::V, LC::VI})
        EXPECT_EQ(StellarRules::habitableZoneOrbit(ST::M, luminosity), Orbits::starOrbit0);
    for (const ST type : {ST::O, ST::B, ST::A})
        EXPECT_EQ(StellarRules::habitableZoneOrbit(type, LC::VI), Orbits::starOrbit0);
    for (const ST type : allCases<ST>()) {
        const Orbits expected = type == ST::O ? Orbits::starOrbit1 : Orbits::starOrbit0;
        EXPECT_EQ(StellarRules::habitableZoneOrbit(type, LC::D), expected) << rawValue(type).toStdString();
    }
}

TEST(StellarRules, MassRangeScalesTheTypeBoundsByTheClassFactor)
{
    const MassCase cases[] = {
        {ST::G, LC::V, 0.8, 1.04},   {ST::O, LC::Ia, 48.0, 180.0}, {ST::M, LC::VI, 0.064, 0.36},
        {ST::B, LC::Ib, 5.25, 40.0}, {ST::K, LC::IV, 0.54, 0.96},  {ST::A, LC::II, 2.8, 4.2},
        {ST::F, LC::III, 1.56, 2.1},
    };
    for (const MassCase &c : cases) {
        const MassRange range = StellarRules::massRange(c.type, c.luminosity);
        EXPECT_DOUBLE_EQ(range.low, c.low)
            << rawValue(c.type).toStdString() << rawValue(c.luminosity).toStdString();
        EXPECT_DOUBLE_EQ(range.high, c.high)
            << rawValue(c.type).toStdString() << rawValue(c.luminosity).toStdString();
    }
}

TEST(StellarRules, WhiteDwarfsShareOneMassRangeAndSize)
{
    for (const ST type : allCases<ST>()) {
        EXPECT_EQ(StellarRules::massRange(type, LC::D), (MassRange{0.6, 1.1}))
            << rawValue(type).toStdString();
        EXPECT_DOUBLE_EQ(StellarRules::relativeSize(type, LC::D), 0.011) << rawValue(type).toStdString();
    }
}

TEST(StellarRules, RelativeSizeAtTheTableEdges)
{
    const SizeCase cases[] = {
        {ST::O, LC::Ia, 20},  {ST::O, LC::VI, 6},   {ST::M, LC::Ia, 800}, {ST::M, LC::VI, 0.25},
        {ST::A, LC::V, 1.7},  {ST::K, LC::V, 0.75}, {ST::G, LC::V, 1.0},  {ST::K, LC::Ia, 300},
        {ST::F, LC::VI, 1.0}, {ST::B, LC::III, 8},
    };
    for (const SizeCase &c : cases)
        EXPECT_DOUBLE_EQ(StellarRules::relativeSize(c.type, c.luminosity), c.size);
}

TEST(StellarRules, OrbitalPeriodFollowsKeplersLawInWholeHours)
{
    EXPECT_EQ(StellarRules::orbitalPeriodHours(1.0, Orbits::starOrbit3), 8766);
    // sqrt(0.008 / 0.8) * 8766 = 876.6, rounded up.
    EXPECT_EQ(StellarRules::orbitalPeriodHours(0.8, Orbits::starOrbit0), 877);
    // 10 AU around ten solar masses: sqrt(1000 / 10) years.
    EXPECT_EQ(StellarRules::orbitalPeriodHours(10.0, Orbits::starOrbit7), 87660);
    // 0.4 AU cubed is 0.064: one year around a star of that mass.
    EXPECT_EQ(StellarRules::orbitalPeriodHours(0.064, Orbits::starOrbit1), 8766);
}

TEST(StellarRules, OrbitalPeriodIsZeroWithoutDistanceOrMass)
{
    for (const Orbits orbit : allCases<Orbits>()) {
        EXPECT_EQ(StellarRules::orbitalPeriodHours(0.0, orbit), 0) << enumRow(orbit).raw;
        EXPECT_EQ(StellarRules::orbitalPeriodHours(-1.0, orbit), 0) << enumRow(orbit).raw;
    }
    EXPECT_EQ(StellarRules::orbitalPeriodHours(1.0, Orbits::starOrbitP), 0);
    EXPECT_EQ(StellarRules::orbitalPeriodHours(std::numeric_limits<double>::quiet_NaN(), Orbits::starOrbit3),
              0);
}

TEST(StellarRules, OrbitalPeriodSaturatesForAStoredStarOfNearlyNoMass)
{
    EXPECT_EQ(StellarRules::orbitalPeriodHours(1e-300, Orbits::starOrbit20),
              std::numeric_limits<qint64>::max());
    EXPECT_EQ(StellarRules::orbitalPeriodHours(std::numeric_limits<double>::denorm_min(), Orbits::starOrbit0),
              std::numeric_limits<qint64>::max());
}

TEST(StellarRules, SpectralTypeOfARandomStarByFlux)
{
    const ST expected[] = {ST::A, ST::A, ST::F, ST::F, ST::G, ST::K, ST::K, ST::M, ST::M, ST::M, ST::M};
    for (int flux = -5; flux <= 5; ++flux)
        EXPECT_EQ(StellarRules::spectralTypeForFlux(flux), expected[flux + 5]) << flux;
}

TEST(StellarRules, SizeClassTableAtItsEdges)
{
    const FluxCase cases[] = {
        {ST::O, 0, -5, LC::Ib}, {ST::O, 0, 0, LC::V},    {ST::O, 0, 3, LC::IV},  {ST::O, 0, 5, LC::D},
        {ST::B, 0, 0, LC::III}, {ST::B, 0, 1, LC::V},    {ST::A, 0, -2, LC::IV}, {ST::A, 0, 3, LC::V},
        {ST::A, 0, 4, LC::D},   {ST::G, 0, -5, LC::III}, {ST::G, 0, 3, LC::VI},  {ST::M, 0, -5, LC::II},
        {ST::M, 0, -4, LC::II}, {ST::M, 0, -3, LC::III}, {ST::M, 0, -2, LC::V},  {ST::M, 9, 3, LC::VI},
        {ST::M, 9, 5, LC::D},
    };
    for (const FluxCase &c : cases) {
        EXPECT_EQ(StellarRules::sizeClass(c.type, c.decimal, c.flux), c.expected)
            << rawValue(c.type).toStdString() << c.decimal << " flux " << c.flux;
    }
}

TEST(StellarRules, SizeClassAdjustmentsByDecimal)
{
    const FluxCase cases[] = {
        {ST::K, 7, -4, LC::V},
        {ST::K, 5, -4, LC::V},
        {ST::K, 4, -4, LC::IV},
        {ST::K, 3, -4, LC::IV},
        {ST::F, 2, 3, LC::V},
        {ST::F, 4, 3, LC::V},
        {ST::F, 5, 3, LC::VI},
        {ST::F, 6, 3, LC::VI},
        // The adjustments belong to K and F alone.
        {ST::G, 7, -4, LC::IV},
        {ST::G, 2, 3, LC::VI},
        {ST::M, 2, 3, LC::VI},
    };
    for (const FluxCase &c : cases) {
        EXPECT_EQ(StellarRules::sizeClass(c.type, c.decimal, c.flux), c.expected)
            << rawValue(c.type).toStdString() << c.decimal << " flux " << c.flux;
    }
}

TEST(StellarRules, RandomSizeClassIsNeverIa)
{
    for (const ST type : allCases<ST>()) {
        for (int decimal = 0; decimal <= 9; ++decimal) {
            for (int flux = -5; flux <= 5; ++flux)
                EXPECT_NE(StellarRules::sizeClass(type, decimal, flux), LC::Ia);
        }
    }
}

TEST(StellarRules, RandomSizeClassRollsFluxOnTheTypesRow)
{
    ScriptedDraws draws;
    draws.flux(-4).flux(-4).flux(3);
    ScopedRandomSource scope(draws);
    EXPECT_EQ(StellarRules::randomSizeClass(ST::K, 7), LC::V);
    EXPECT_EQ(StellarRules::randomSizeClass(ST::K, 3), LC::IV);
    EXPECT_EQ(StellarRules::randomSizeClass(ST::F, 6), LC::VI);
    EXPECT_EQ(draws.used(), draws.scripted());
}

TEST(StellarRules, CompanionOrbitIsOneDiePlusFourteen)
{
    ScriptedDraws draws;
    draws.die(1).die(6).die(3);
    ScopedRandomSource scope(draws);
    EXPECT_EQ(StellarRules::randomCompanionOrbit(), Orbits::starOrbit15);
    EXPECT_EQ(StellarRules::randomCompanionOrbit(), Orbits::starOrbit20);
    EXPECT_EQ(StellarRules::randomCompanionOrbit(), Orbits::starOrbit17);
}
