#pragma once

// Support for the generation and description tests: the scripted and seeded random
// sources (StarTestSupport.h), US English number formats, hand-made stars and the
// questions the tests ask of generated worlds.

#include "StarTestSupport.h"
#include "TestRecords.h"
#include "model/StarSystem.h"

#include <gtest/gtest.h>

#include <QLocale>

// A test whose texts are checked in US English number formats.
class EnglishNumbers : public ::testing::Test
{
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void TearDown() override { QLocale::setDefault(m_previous); }

private:
    QLocale m_previous;
};

// A star with a fresh id; by default a G2 V of one solar mass (habitable zone in orbit 3).
inline Star makeStar(SpectralType type = SpectralType::G, int decimal = 2,
                     LuminosityClass luminosity = LuminosityClass::V, double mass = 1.0,
                     Orbits orbit = Orbits::starOrbitP)
{
    Star star = test_records::star(orbit, type, decimal, luminosity, QStringLiteral("Sol"));
    star.mass = mass;
    return star;
}

inline bool isSatellite(const WorldData &world)
{
    return world.satelliteOrbit != PlanetOrbits::planetOrbit0;
}

inline bool isGasGiant(const WorldData &world)
{
    return world.type == WorldType::smallGasGiant || world.type == WorldType::largeGasGiant ||
           world.type == WorldType::iceGiant;
}
