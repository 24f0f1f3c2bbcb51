#pragma once

// Builders of stars, bodies and systems for the travel tests.

#include "model/StarSystem.h"
#include "model/TestRecords.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace travel_test {

using test_records::star;

// Numbers are checked as US English writes them.
inline void useEnglishNumbers()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

class EnglishNumbersTest : public ::testing::Test
{
protected:
    void SetUp() override { useEnglishNumbers(); }
};

inline WorldData body(Orbits orbit, qint64 size, WorldType type = WorldType::planet,
                      const QString &name = QString(),
                      PlanetOrbits satelliteOrbit = PlanetOrbits::planetOrbit0)
{
    WorldData w;
    w.id = QUuid::createUuid();
    w.name = name;
    w.type = type;
    w.sunOrbit = orbit;
    w.satelliteOrbit = satelliteOrbit;
    w.uwp.size = size;
    return w;
}

inline StarSystem system(QList<Star> stars, const QString &name = QStringLiteral("Regina"))
{
    StarSystem s;
    s.id = QUuid::createUuid();
    s.name = name;
    s.stars = std::move(stars);
    return s;
}

} // namespace travel_test
