#pragma once

// Fills the orbits of a system's stars around a main world: the main world's parent
// when it is a moon, the gas giants, the planetoid belts and the other worlds, the
// satellites of each, and finally every world's day, year and tide lock. Bodies are
// stored flat: a moon is a world of its star with its parent's orbit and offset and a
// satellite letter. Every function is pure apart from the dice, which come from the
// thread's random source, and returns new records.

#include "model/Orbits.h"
#include "model/PlanetOrbits.h"
#include "model/Star.h"
#include "model/StarSystem.h"
#include "model/TechnologyLevel.h"
#include "model/WorldData.h"
#include "model/WorldType.h"

#include <QList>
#include <QSet>

#include <array>
#include <optional>

// The moon letters of close orbits (B to L) and of far orbits (O to Y), nearest first.
inline constexpr std::array<PlanetOrbits, 11> kCloseSatelliteOrbits{
    PlanetOrbits::planetOrbitB, PlanetOrbits::planetOrbitC, PlanetOrbits::planetOrbitD,
    PlanetOrbits::planetOrbitE, PlanetOrbits::planetOrbitF, PlanetOrbits::planetOrbitG,
    PlanetOrbits::planetOrbitH, PlanetOrbits::planetOrbitI, PlanetOrbits::planetOrbitJ,
    PlanetOrbits::planetOrbitK, PlanetOrbits::planetOrbitL,
};
inline constexpr std::array<PlanetOrbits, 11> kFarSatelliteOrbits{
    PlanetOrbits::planetOrbitO, PlanetOrbits::planetOrbitP, PlanetOrbits::planetOrbitQ,
    PlanetOrbits::planetOrbitR, PlanetOrbits::planetOrbitS, PlanetOrbits::planetOrbitT,
    PlanetOrbits::planetOrbitU, PlanetOrbits::planetOrbitV, PlanetOrbits::planetOrbitW,
    PlanetOrbits::planetOrbitX, PlanetOrbits::planetOrbitY,
};

// Where an orbit lies relative to its star's habitable zone.
enum class OrbitZone { inner, habitable, outer };

// Inner up to two orbits inside the zone's orbit, habitable within one orbit of it,
// outer from two orbits beyond.
OrbitZone orbitZone(int orbit, int habitableZoneOrbit);

// The orbit number of an orbit (-1 for the primary's own place) and back; numbers
// outside -1 ... 20 are clamped into it.
int orbitNumber(Orbits orbit);
Orbits orbitFromNumber(int number);

// The 2D tables that place gas giants (as offsets from the habitable zone) and other
// worlds (as orbit numbers).
enum class OrbitTable { largeGasGiant, smallGasGiant, iceGiant, otherWorld, lastOtherWorld };

// The table's entry for a 2D roll; rolls outside 2 ... 12 read the nearest end.
int orbitOffset(int roll, OrbitTable table);

// The free orbit nearest to `preferred` within 0 ... maxOrbit (itself kept within
// 0 ... 20), the lower one first on a tie; none when every orbit is taken.
std::optional<int> nearestFreeOrbit(int preferred, const QSet<int> &occupied, int maxOrbit);

// How many moons a body gets: a gas giant 1D - 1, other bodies fewer the closer
// they lie to the star; never below 0.
int rollSatelliteCount(bool gasGiant, OrbitZone zone);

// A moon's letter: the close (B ... L) or far (O ... Y) list's entry at flux + 5, or
// the first free one of that list, or of the other list; none when all are taken.
std::optional<PlanetOrbits> firstFreeSatelliteOrbit(bool preferClose, int flux,
                                                    const QSet<PlanetOrbits> &taken);

// The kind of a world other than the main world, its parent and the giants.
WorldType rollOuterWorldKind(OrbitZone zone);
// The kind of a moon (storm worlds also appear in the outer zone).
WorldType rollSatelliteKind(OrbitZone zone);

// The record type a generated body of `kind` takes from its size: belts for size 0,
// and a big world's size decides between big world, planet and worldlet.
WorldType generatedWorldType(WorldType kind, qint64 size);

// A gas giant of `sizeCode` with its diameter and gravity written in the notes.
WorldData makeGasGiant(qint64 sizeCode, WorldType type, Orbits orbit, qint64 hzOffset,
                       TechnologyLevel maxTechLevel);

// The moons of one parent body at `orbit`, sharing its orbit and offset. Moons are no
// larger than one size below the parent (a gas giant's size code counts as size).
QList<WorldData> makeSecondaryWorld(Orbits orbit, qint64 hzOffset, OrbitZone zone, bool parentIsGasGiant,
                                    qint64 parentSize, qint64 maxPopulation, bool randomTL,
                                    TechnologyLevel maxTechLevel);

// Day, year and tide lock of one body.
struct DayAndYear
{
    qint64 day = 0;
    qint64 year = 0;
    bool tideLocked = false;

    friend bool operator==(const DayAndYear &, const DayAndYear &) = default;
};

// 2D + 16 + flux hours, at least 4.
qint64 rollRotationPeriod();
// The length of a day of a body turning once in `rotation` hours while circling once
// in `year` hours; `rotation` itself when either is below 1 or both are equal.
qint64 solarDayLength(qint64 rotation, qint64 year);
// The hours a moon in orbit `letter` takes to circle `parent`; 0 when the parent has
// no size or no mass.
qint64 satelliteOrbitalPeriod(PlanetOrbits letter, const WorldData &parent);
// A body circling the star directly. Orbits P, 0 and 1 are always tide-locked.
DayAndYear planetDayAndYear(const Star &star, Orbits orbit);
// A moon of `parent` in orbit `letter`, its parent in `orbit` around the star.
DayAndYear satelliteDayAndYear(const Star &star, Orbits orbit, const WorldData &parent, PlanetOrbits letter);

// The stars with their worlds: `mainWorld` on the first star (with its parent when
// it is a moon), then the gas giants, belts and other worlds spread over the stars in
// turn, each with its moons, and every world's day and year. Bodies that find no
// free orbit up to 12 are dropped. The stars are expected to hold no worlds.
QList<Star> populateOrbits(QList<Star> stars, const WorldData &mainWorld, qint64 gasGiants, qint64 belts,
                           qint64 otherWorlds, qint64 maxPopulation, bool randomTL,
                           TechnologyLevel maxTechLevel);

// How many other worlds a regeneration of `system` asks for: the system's world count
// less the main world, its gas giants and belts, and the moons and the main world's
// parent already recorded, so that regenerating again asks for the same number.
qint64 otherWorldsToGenerate(const StarSystem &system);

// A copy of `system` with new worlds around its existing main world (the flagged one,
// else the first world of the first star). A system without such a world comes back
// unchanged.
StarSystem withGeneratedWorlds(const StarSystem &system);
