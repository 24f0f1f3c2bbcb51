#include "StarTestSupport.h"

#include "model/Star.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

Star star(SpectralType type, qint64 decimal, LuminosityClass luminosity, Orbits orbit = Orbits::starOrbitP)
{
    Star value;
    value.spectralType = type;
    value.temperature = decimal;
    value.luminosity = luminosity;
    value.orbit = orbit;
    return value;
}

constexpr qint64 kUniformBound = (qint64(1) << 53) + 1;

} // namespace

TEST(Star, Classification)
{
    using ST = SpectralType;
    using LC = LuminosityClass;
    EXPECT_EQ(star(ST::G, 2, LC::V).classification(), u"G2-V"_s);
    EXPECT_EQ(star(ST::M, 5, LC::V, Orbits::starOrbit3).classification(), u"M5-V.o3"_s);
    EXPECT_EQ(star(ST::K, 0, LC::Ia, Orbits::starOrbit0).classification(), u"K0-Ia.o0"_s);
    EXPECT_EQ(star(ST::B, 9, LC::III, Orbits::starOrbit20).classification(), u"B9-III.o20"_s);
    EXPECT_EQ(star(ST::A, 7, LC::D).classification(), u"A7-D"_s);
    EXPECT_EQ(star(ST::F, 1, LC::Ib).classification(), u"F1-Ib"_s);
}

TEST(Star, DescriptionIsColourAndLuminosityName)
{
    using ST = SpectralType;
    using LC = LuminosityClass;
    const struct
    {
        ST type;
        LC luminosity;
        const char16_t *text;
    } cases[] = {
        {ST::O, LC::Ia, u"Blue HL Supergiant"},
        {ST::B, LC::Ib, u"Blue-White LL Supergiant"},
        {ST::A, LC::II, u"White (blue-white) Bright Giant"},
        {ST::F, LC::III, u"White (yellow-white) Giant"},
        {ST::G, LC::V, u"Yellow Main Sequence"},
        {ST::K, LC::IV, u"Orange Subgiant"},
        {ST::M, LC::VI, u"Orange-Red Subdwarf"},
        {ST::M, LC::D, u"Orange-Red White Dwarf"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(star(c.type, 0, c.luminosity).description(), QString::fromUtf16(c.text));
}

TEST(Star, RulesReadTheStarsOwnTypeClassAndMass)
{
    Star sun = star(SpectralType::G, 2, LuminosityClass::V);
    EXPECT_EQ(sun.habitableZoneOrbit(), Orbits::starOrbit3);
    EXPECT_DOUBLE_EQ(sun.relativeSize(), 1.0);
    sun.mass = 0.8;
    EXPECT_EQ(sun.orbitalPeriodHours(Orbits::starOrbit0), 877);
    sun.mass = 0.0;
    EXPECT_EQ(sun.orbitalPeriodHours(Orbits::starOrbit3), 0);
    const Star dwarf = star(SpectralType::O, 0, LuminosityClass::D);
    EXPECT_EQ(dwarf.habitableZoneOrbit(), Orbits::starOrbit1);
    EXPECT_DOUBLE_EQ(dwarf.relativeSize(), 0.011);
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

TEST(Star, JsonRequiresEveryKey)
{
    const Star read = readJson<Star>(JsonValue(parseObject(kStarJson)));
    EXPECT_EQ(read.classification(), u"G2-V"_s);
    EXPECT_EQ(read.orbit, Orbits::starOrbitP);
    for (const char *key :
         {"id", "name", "spectralType", "temperature", "luminosity", "mass", "orbit", "worlds"}) {
        JsonObject object = parseObject(kStarJson);
        object.remove(QLatin1StringView(key));
        EXPECT_EQ(failurePath<Star>(object), QString::fromLatin1(key));
    }
}

TEST(Star, JsonRejectsUnknownValuesAndWrongTypes)
{
    const struct
    {
        const char *key;
        JsonValue value;
        const char *path;
    } cases[] = {
        {"spectralType", u"Q"_s, "spectralType"},
        {"luminosity", u"iii"_s, "luminosity"},
        {"luminosity", u"I"_s, "luminosity"},
        {"orbit", 21, "orbit"},
        {"orbit", -2, "orbit"},
        {"orbit", u"3"_s, "orbit"},
        {"temperature", 2.5, "temperature"},
        {"mass", u"1.0"_s, "mass"},
        {"worlds", JsonArray{JsonObject()}, "worlds[0].id"},
    };
    for (const auto &c : cases) {
        JsonObject object = parseObject(kStarJson);
        object.insert(QLatin1StringView(c.key), c.value);
        EXPECT_EQ(failurePath<Star>(object), QString::fromLatin1(c.path)) << c.key;
    }
}

TEST(Star, JsonWritesEveryKeyAndReadsBack)
{
    Star s = star(SpectralType::M, 5, LuminosityClass::VI, Orbits::starOrbit15);
    s.id = QUuid::fromString(u"0A1B2C3D-4E5F-4061-8273-94A5B6C7D8E9");
    s.name = u"B"_s;
    s.mass = 0.3;
    const JsonObject written = s.toJson();
    EXPECT_EQ(sortedKeys(written), sortedNames({"id", "name", "spectralType", "temperature", "luminosity",
                                                "mass", "orbit", "worlds"}));
    EXPECT_EQ(written.value("orbit"_L1), JsonValue(15));
    EXPECT_EQ(written.value("luminosity"_L1), JsonValue(u"VI"_s));
    EXPECT_EQ(written.value("worlds"_L1), JsonValue(JsonArray()));
    EXPECT_EQ(readJson<Star>(JsonValue(written)), s);
    EXPECT_EQ(star(SpectralType::G, 2, LuminosityClass::V).toJson().value("orbit"_L1), JsonValue(-1));
}
