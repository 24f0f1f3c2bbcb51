#pragma once

// The dice rules that give generated worlds their profiles: the main world's starport,
// bases, size and hydrographics, the tech-level roll on either rule system with its
// cap, the populations and spaceports of secondary worlds, the profile of each kind of
// body, and the size classes of gas giants. Every function draws only from the
// thread's random source and keeps no state.

#include "model/Base.h"
#include "model/Starport.h"
#include "model/TechnologyLevel.h"
#include "model/UWP.h"
#include "model/WorldType.h"

#include <QSet>
#include <QString>

// A gas giant's diameter, class text ("Saturn", "4 Mj" or empty) and surface-gravity
// factor, by its size code.
struct GasGiantSizeClass
{
    qint64 miles = 0;
    QString classText;
    double gravity = 0.0;

    friend bool operator==(const GasGiantSizeClass &, const GasGiantSizeClass &) = default;
};

GasGiantSizeClass gasGiantSizeClass(qint64 size);

// A main world's starport and the bases the starport allows.
struct StarportAndBases
{
    Starport starport = Starport::typeX;
    QSet<Base> bases;
};

StarportAndBases rollStarportAndBases();
// 2D - 2, with a 10 rerolled as 1D + 9: 0 to 15.
qint64 rollWorldSize();
// 0 to 10: none for sizes 0 and 1, else flux plus the atmosphere (less 4 outside
// atmospheres 2 to 9). The flux is always rolled.
qint64 rollHydrographics(qint64 size, qint64 atmosphere);

// The lowest tech level of the rule system `maxTechLevel` belongs to.
TechnologyLevel lowestTechLevel(TechnologyLevel maxTechLevel);
// The rolled tech level of a populated world, capped by `maxTechLevel`; with
// `randomTL` off, `maxTechLevel` itself without a roll.
TechnologyLevel rollTechLevel(Starport starport, qint64 size, qint64 atmosphere, qint64 hydrographics,
                              qint64 population, qint64 government, TechnologyLevel maxTechLevel,
                              bool randomTL);
// `rolled`, unless `maxTechLevel` comes earlier in the case order.
TechnologyLevel cappedTechLevel(TechnologyLevel rolled, TechnologyLevel maxTechLevel);

// A main world's population (2D, a 12 raised by r(4)) or, with `mainWorld` off, a
// secondary world's (2D - 2, or 2D - 4 for the thin and exotic atmospheres, one less
// when dry; never below 0).
qint64 rollPopulation(qint64 atmosphere, qint64 hydrographics, bool mainWorld);
// F, G, H or Y from the population less 1D.
Starport rollSpaceport(qint64 population);

// The profile of a secondary world whose size, atmosphere and hydrographics are
// chosen: population from the secondary roll plus `populationModifier`, at most
// `maxPopulation`, then government, law, spaceport, tech level and multiplier.
UWP generateSecondaryWorldProfile(qint64 size, qint64 atmosphere, qint64 hydrographics,
                                  qint64 populationModifier, qint64 maxPopulation,
                                  TechnologyLevel maxTechLevel, bool randomTL, WorldType kind);

// The profile of a generated world of `kind`. Sizes are limited to `maxSize` unless
// `noSizeCap` is set; populations to `maxPopulation`.
UWP generateWorldProfile(WorldType kind, qint64 maxPopulation, bool randomTL, TechnologyLevel maxTechLevel,
                         qint64 maxSize, bool noSizeCap);
