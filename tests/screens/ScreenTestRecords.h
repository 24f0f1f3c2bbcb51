#pragma once

// Builders shared by the screen tests.

#include "SeededSource.h"
#include "model/HexData.h"
#include "model/Random.h"
#include "model/StarSystem.h"
#include "model/TestRecords.h"
#include "model/WorldData.h"
#include "universe/TestMapObjects.h"

#include <QLocale>
#include <QStringList>

#include <initializer_list>
#include <ostream>

namespace screen_test {

using test_records::aFaction;
using test_records::aHex;
using test_records::aWorld;
using test_records::star;

// Every text that checks a number is written for US English.
inline void useEnglishNumbers()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

struct Codes
{
    qint64 size = 8;
    qint64 atmosphere = 6;
    qint64 hydrographics = 7;
    qint64 population = 8;
    qint64 government = 4;
    qint64 lawLevel = 4;

    friend bool operator==(const Codes &, const Codes &) = default;
    friend void PrintTo(const Codes &c, std::ostream *out)
    {
        *out << c.size << ' ' << c.atmosphere << ' ' << c.hydrographics << ' ' << c.population << ' '
             << c.government << ' ' << c.lawLevel;
    }
};

// A planet in orbit 3, in its habitable zone (climate zone 3), with the given codes:
// a builder, so that a test sets what else it needs.
inline test_records::WorldBuilder world(const Codes &codes = {})
{
    return aWorld()
        .orbit(Orbits::starOrbit3)
        .starport(Starport::typeB)
        .codes(codes.size, codes.atmosphere, codes.hydrographics, codes.population, codes.government,
               codes.lawLevel)
        .techLevel(TechnologyLevel::ttl12)
        .days(24, 2000);
}

inline QStringList strings(std::initializer_list<const char *> texts)
{
    QStringList list;
    for (const char *text : texts)
        list.append(QString::fromUtf8(text));
    return list;
}

// A hex whose system's main world has the tech level `level`, which decides the
// universe's rule flavour.
inline test_records::HexBuilder hexWithMainWorld(TechnologyLevel level,
                                                 const GalacticCoordinates &coordinates = {0, 0, 1, 1},
                                                 const QString &notes = {})
{
    return aHex(coordinates).notes(notes).worlds({world().main().techLevel(level)});
}

} // namespace screen_test
