#include "StarTestSupport.h"
#include "TestRecords.h"

#include "model/Star.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using test_records::star;

namespace {

constexpr qint64 kUniformBound = (qint64(1) << 53) + 1;

} // namespace

TEST(Star, Classification)
{
    using ST = SpectralType;
    using LC = LuminosityClass;
    EXPECT_EQ(star(Orbits::starOrbitP, ST::G, 2, LC::V).classification(), u"G2-V"_s);
    EXPECT_EQ(star(Orbits::starOrbit3, ST::M, 5, LC::V).classification(), u"M5-V.o3"_s);
    EXPECT_EQ(star(Orbits::starOrbit0, ST::K, 0, LC::Ia).classification(), u"K0-Ia.o0"_s);
    EXPECT_EQ(star(Orbits::starOrbit20, ST::B, 9, LC::III).classification(), u"B9-III.o20"_s);
    EXPECT_EQ(star(Orbits::starOrbitP, ST::A, 7, LC::D).classification(), u"A7-D"_s);
    EXPECT_EQ(star(Orbits::starOrbitP, ST::F, 1, LC::Ib).classification(), u"F1-Ib"_s);
}

TEST(Star, RandomStarFollowsTheDiceInOrder)
{
    ScriptedDraws draws;
    // Flux -5: type A; decimal 7; flux 0 on the A row: V; the lowest mass.
    draws.flux(-5).expect(10, 7).flux(0).expect(kUniformBound, 0);
    // Flux +5: type M; decimal 0; flux +5: white dwarf; the highest mass of its range.
    draws.flux(5).expect(10, 0).flux(5).expect(kUniformBound, kUniformBound - 1);
    // Flux 0: type K; decimal 7; flux -4 reads IV, which K7 turns into V; mid-range mass.
    draws.flux(0).expect(10, 7).flux(-4).expect(kUniformBound, qint64(1) << 52);
    ScopedRandomSource scope(draws);

    const Star a = Star::random(Orbits::starOrbit16);
    EXPECT_EQ(a.spectralType, SpectralType::A);
    EXPECT_EQ(a.temperature, 7);
    EXPECT_EQ(a.luminosity, LuminosityClass::V);
    EXPECT_DOUBLE_EQ(a.mass, 1.4);
    EXPECT_EQ(a.orbit, Orbits::starOrbit16);
    EXPECT_TRUE(a.name.isEmpty());
    EXPECT_TRUE(a.worlds.isEmpty());
    EXPECT_FALSE(a.id.isNull());

    const Star m = Star::random(Orbits::starOrbitP);
    EXPECT_EQ(m.spectralType, SpectralType::M);
    EXPECT_EQ(m.luminosity, LuminosityClass::D);
    EXPECT_DOUBLE_EQ(m.mass, 1.1);
    EXPECT_EQ(m.orbit, Orbits::starOrbitP);
    EXPECT_NE(m.id, a.id);

    const Star k = Star::random(Orbits::starOrbit2);
    EXPECT_EQ(k.spectralType, SpectralType::K);
    EXPECT_EQ(k.luminosity, LuminosityClass::V);
    EXPECT_DOUBLE_EQ(k.mass, 0.625); // halfway from 0.45 to 0.8
    EXPECT_EQ(draws.used(), draws.scripted());
}

TEST(Star, RandomStarsAreNeverOOrBAndWeighWithinTheirRange)
{
    SeededSource source(0x5eed);
    ScopedRandomSource scope(source);
    for (int i = 0; i < 2000; ++i) {
        const Star s = Star::random(Orbits::starOrbitP);
        EXPECT_NE(s.spectralType, SpectralType::O);
        EXPECT_NE(s.spectralType, SpectralType::B);
        EXPECT_NE(s.luminosity, LuminosityClass::Ia);
        EXPECT_GE(s.temperature, 0);
        EXPECT_LE(s.temperature, 9);
        const MassRange range = Star::massRange(s.spectralType, s.luminosity);
        EXPECT_GE(s.mass, range.low);
        EXPECT_LE(s.mass, range.high);
    }
}

TEST(Star, DescriptionAndAWrongTypeInAFile)
{
    EXPECT_EQ(star(Orbits::starOrbitP, SpectralType::O, 0, LuminosityClass::Ia).description(),
              u"Blue HL Supergiant"_s);
    EXPECT_EQ(star(Orbits::starOrbitP, SpectralType::M, 0, LuminosityClass::D).description(),
              u"Orange-Red White Dwarf"_s);
    JsonObject object = parseJsonObject(kStarJson);
    object.insert("worlds"_L1, JsonArray{JsonObject()});
    EXPECT_EQ(failurePath<Star>(object), u"worlds[0].id"_s);
}
