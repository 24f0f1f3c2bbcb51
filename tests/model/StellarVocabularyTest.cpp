#include "VocabularyTestSupport.h"

#include "model/LuminosityClass.h"
#include "model/Orbits.h"
#include "model/PlanetOrbits.h"
#include "model/SpectralType.h"

#include <gtest/gtest.h>

using namespace vocabulary_test;

namespace {

struct SpectralCase
{
    SpectralType value;
    const char *raw;
};
const SpectralCase kSpectralTypes[] = {{SpectralType::O, "O"}, {SpectralType::B, "B"}, {SpectralType::A, "A"},
                                       {SpectralType::F, "F"}, {SpectralType::G, "G"}, {SpectralType::K, "K"},
                                       {SpectralType::M, "M"}};

struct LuminosityCase
{
    LuminosityClass value;
    const char *raw;
    const char *description;
};
const LuminosityCase kLuminosityClasses[] = {
    {LuminosityClass::Ia, "Ia", "HL Supergiant"}, {LuminosityClass::Ib, "Ib", "LL Supergiant"},
    {LuminosityClass::II, "II", "Bright Giant"},  {LuminosityClass::III, "III", "Giant"},
    {LuminosityClass::IV, "IV", "Subgiant"},      {LuminosityClass::V, "V", "Main Sequence"},
    {LuminosityClass::VI, "VI", "Subdwarf"},      {LuminosityClass::D, "D", "White Dwarf"},
};

TEST(StellarVocabularyTest, SpectralTypesAndLuminosityClasses)
{
    expectCasesAndRawValues<SpectralType>(kSpectralTypes);
    expectRejected<SpectralType>({"Q", "g", "G2"});
    expectCasesAndRawValues<LuminosityClass>(kLuminosityClasses);
    for (const auto &row : kLuminosityClasses)
        EXPECT_EQ(description(row.value), text(row.description)) << row.raw;
    expectRejected<LuminosityClass>({"iii", "I", "Main Sequence", "v"});
}

TEST(StellarVocabularyTest, OrbitsRawValuesAndDistances)
{
    const double au[] = {0.2,   0.4,   0.7,   1.0,    1.6,    2.8,    5.2,    10.0,    19.6,    38.8,   77.2,
                         154.0, 307.6, 614.8, 1229.2, 2458.0, 4915.6, 9830.8, 19661.2, 39322.0, 78643.6};
    const auto cases = allCases<Orbits>();
    ASSERT_EQ(cases.size(), 22u);
    EXPECT_EQ(cases.front(), Orbits::starOrbitP);
    EXPECT_EQ(rawValue(Orbits::starOrbitP), -1);
    EXPECT_EQ(jsonValue(Orbits::starOrbitP), JsonValue(-1));
    EXPECT_EQ(distanceAU(Orbits::starOrbitP), 0.0);
    for (int orbit = 0; orbit <= 20; ++orbit) {
        const Orbits value = cases[orbit + 1];
        EXPECT_EQ(rawValue(value), orbit);
        EXPECT_EQ(enumFromRaw<Orbits>(orbit), value);
        EXPECT_EQ(readJson<Orbits>(JsonValue(orbit)), value);
        EXPECT_DOUBLE_EQ(distanceAU(value), au[orbit]) << orbit;
    }
    EXPECT_EQ(enumFromRaw<Orbits>(-1), Orbits::starOrbitP);
    EXPECT_EQ(enumFromRaw<Orbits>(20), Orbits::starOrbit20);
    EXPECT_EQ(distanceAU(Orbits::starOrbit3), 1.0);
    EXPECT_EQ(enumFromRaw<Orbits>(21), std::nullopt);
    EXPECT_EQ(enumFromRaw<Orbits>(-2), std::nullopt);
    // Stored as a number: out of range, fractional or text fails at its key.
    for (const JsonValue &stored : {JsonValue(21), JsonValue(-2), JsonValue(3.5), JsonValue(text("3"))})
        EXPECT_EQ(nestedDecodeFailure<Orbits>(stored), QStringLiteral("systems[2].field"));
}

TEST(StellarVocabularyTest, PlanetOrbitsAreZeroThenEveryLetter)
{
    struct Row
    {
        PlanetOrbits value;
        const char *raw;
    };
    Row rows[27];
    static const char *const raws[] = {"0", "A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M",
                                       "N", "O", "P", "Q", "R", "S", "T", "U", "V", "W", "X", "Y", "Z"};
    for (int i = 0; i < 27; ++i)
        rows[i] = {static_cast<PlanetOrbits>(i), raws[i]};
    expectCasesAndRawValues<PlanetOrbits>(rows);
    EXPECT_EQ(enumFromRaw<PlanetOrbits>(text("I")), PlanetOrbits::planetOrbitI);
    EXPECT_EQ(enumFromRaw<PlanetOrbits>(text("O")), PlanetOrbits::planetOrbitO);
    EXPECT_EQ(enumFromRaw<PlanetOrbits>(text("Z")), PlanetOrbits::planetOrbitZ);
    expectRejected<PlanetOrbits>({"a", "00", "", "AA"});
}

} // namespace
