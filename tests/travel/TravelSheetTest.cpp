#include "travel/TravelSheet.h"

#include "TravelTestSupport.h"

#include <gtest/gtest.h>

using namespace travel_test;

namespace {

using TravelSheetTest = EnglishNumbersTest;

QStringList titles(const TravelSheet &sheet, const QList<const WorldData *> &bodies)
{
    QStringList result;
    for (const WorldData *b : bodies)
        result.append(sheet.jumpClearanceRow(*b, *sheet.body(b->id)->star).title);
    return result;
}

TEST_F(TravelSheetTest, starsAreOrderedAndLetteredByOrbit)
{
    const Star companion = star(Orbits::starOrbit5, SpectralType::M);
    const Star primary = star(Orbits::starOrbitP);
    const TravelSheet sheet(system({companion, primary}));
    EXPECT_EQ(sheet.starsInOrder(), (QList<const Star *>{sheet.star(primary.id), sheet.star(companion.id)}));
    EXPECT_EQ(sheet.starLabel(primary), QStringLiteral("A"));
    EXPECT_EQ(sheet.starTitle(companion), QStringLiteral("B \u00B7 M2-V.o5"));

    // Past the alphabet an unnamed star is known by its position, counted from 1.
    QList<Star> many;
    for (int i = 0; i < 28; ++i)
        many.append(star(Orbits::starOrbit15));
    many[25].name = QStringLiteral("Named");
    const TravelSheet crowded(system(many));
    EXPECT_EQ(crowded.starLabel(many[24]), QStringLiteral("Y"));
    EXPECT_EQ(crowded.starLabel(many[25]), QStringLiteral("Named"));
    EXPECT_EQ(crowded.starLabel(many[26]), QStringLiteral("27"));
}

TEST_F(TravelSheetTest, satellitesFollowTheirPlanetAndBeltsLeaveTheJumpTable)
{
    Star sun = star(Orbits::starOrbitP);
    const WorldData moon = aWorld()
                               .orbit(Orbits::starOrbit3)
                               .size(2)
                               .type(WorldType::closeSatelliteP)
                               .satelliteOrbit(PlanetOrbits::planetOrbitA);
    const WorldData belt = aWorld().orbit(Orbits::starOrbit1).size(0).type(WorldType::asteroidBelt);
    const WorldData planet = aWorld().orbit(Orbits::starOrbit3).size(8).named(QStringLiteral("Terra"));
    const WorldData inner = aWorld().orbit(Orbits::starOrbitP).size(4).type(WorldType::inferno);
    sun.worlds = {moon, belt, planet, inner};
    const TravelSheet sheet(system({sun}));

    EXPECT_EQ(titles(sheet, sheet.listedBodies()),
              QStringList({QStringLiteral("-1 \u00B7 Inferno"), QStringLiteral("3 \u00B7 Terra"),
                           QStringLiteral("\u21B3A \u00B7 Close Satellite Orbiting A Planet")}));
    EXPECT_EQ(sheet.surfaceBodies(sheet.system().stars[0]).size(), 3);
    // The belt can still be picked.
    const QList<BodyMenuSection> menus = sheet.menuSections();
    ASSERT_EQ(menus.size(), 1);
    EXPECT_TRUE(menus[0].title.isEmpty());
    ASSERT_EQ(menus[0].entries.size(), 4);
    EXPECT_EQ(menus[0].entries[0].text, QStringLiteral("-1 \u00B7 Inferno \u2014 star"));
    EXPECT_EQ(menus[0].entries[1],
              (BodyMenuEntry{belt.id, QStringLiteral("1 \u00B7 Asteroid Belt \u2014 0.4 AU")}));
    EXPECT_EQ(sheet.bodyLabel(planet.id), QStringLiteral("Terra"));
    EXPECT_EQ(sheet.bodyLabel(QUuid::createUuid()), QStringLiteral("\u2014"));
    EXPECT_EQ(sheet.bodyLabel(std::nullopt), QStringLiteral("\u2014"));
}

TEST_F(TravelSheetTest, twoStarsLabelBodiesWithTheirStar)
{
    Star primary = star(Orbits::starOrbitP, SpectralType::G, 2, LuminosityClass::V, QStringLiteral("Sol"));
    Star companion = star(Orbits::starOrbit5, SpectralType::G, 2, LuminosityClass::V);
    const WorldData giant = aWorld().orbit(Orbits::starOrbit0).size(20).type(WorldType::smallGasGiant);
    const WorldData rock = aWorld().orbit(Orbits::starOrbit1).size(4).named(QStringLiteral("Rock"));
    primary.worlds = {giant};
    companion.worlds = {rock};
    const TravelSheet sheet(system({primary, companion}));

    EXPECT_EQ(sheet.bodyLabel(rock.id), QStringLiteral("B/1 \u00B7 Rock"));
    const QList<BodyMenuSection> menus = sheet.menuSections();
    ASSERT_EQ(menus.size(), 2);
    EXPECT_EQ(menus[1].title, QStringLiteral("B \u00B7 G2-V.o5"));
    EXPECT_EQ(menus[1].entries[0].text, QStringLiteral("B.1 \u00B7 Rock \u2014 0.4 AU"));
    EXPECT_EQ(sheet.jumpClearanceRow(giant, primary).subtitle,
              QStringLiteral("109,350,426 km \u00B7 clears Sol\u2019s 100 D"));
    EXPECT_EQ(sheet.jumpClearanceRow(rock, companion).subtitle,
              QStringLiteral("79,430,852 km \u00B7 clears B\u2019s 100 D"));
    EXPECT_NEAR(sheet.interplanetaryDistanceKm({giant.id, rock.id}), 2.2 * 149'597'870.7, 1e-3);
    EXPECT_EQ(sheet.interplanetaryDistanceKm({giant.id, QUuid::createUuid()}), 0.0);
}

TEST_F(TravelSheetTest, defaultPicksFillOnlyWhatIsMissing)
{
    Star sun = star(Orbits::starOrbitP);
    EXPECT_EQ(TravelSheet(system({sun})).withDefaultPicks({}), BodyPicks{});
    const WorldData outer = aWorld().orbit(Orbits::starOrbit6).size(3);
    const WorldData inner = aWorld().orbit(Orbits::starOrbit2).size(3);
    sun.worlds = {outer};
    EXPECT_EQ(TravelSheet(system({sun})).withDefaultPicks({}), (BodyPicks{outer.id, outer.id}));
    sun.worlds = {outer, inner};
    const TravelSheet sheet(system({sun}));
    EXPECT_EQ(sheet.withDefaultPicks({}), (BodyPicks{inner.id, outer.id}));
    const QUuid gone = QUuid::createUuid();
    EXPECT_EQ(sheet.withDefaultPicks({gone, std::nullopt}), (BodyPicks{gone, outer.id}));
}

} // namespace
