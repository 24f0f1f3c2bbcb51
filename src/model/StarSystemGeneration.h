#pragma once

// Makes a whole random star system from the referee's few choices: the stars, the
// main world with its profile, bases and place beside the habitable zone, the counts
// of gas giants and belts, and every other world in free orbits. Pure apart from the
// dice of the thread's random source; returns a new record.

#include "model/Orbits.h"
#include "model/PlanetOrbits.h"
#include "model/SpectralType.h"
#include "model/Star.h"
#include "model/StarSystem.h"
#include "model/TechnologyLevel.h"
#include "model/WorldType.h"

#include <QString>

#include <optional>

// The name of the star at `index` of a system: "A", "B", ... and, past the alphabet,
// its position written in decimal ("27" for the 27th star).
QString starName(qsizetype index);

// The main world's distance from the habitable zone, -2 ... +2: a flux read from a
// table, moved outwards for red stars and inwards for blue ones.
qint64 rollHabitableZoneOffset(SpectralType primaryType);

// How the main world circles: directly, or as a close or far moon of a gas giant or
// of a planet, with its moon letter.
struct MainWorldKind
{
    WorldType type = WorldType::planet;
    PlanetOrbits satelliteOrbit = PlanetOrbits::planetOrbit0;
};

MainWorldKind rollMainWorldKind();

// A new system: `star` (or a random primary), a companion when `binary` is set, and
// its worlds. With `randomTL` off every populated world gets `maxTechLevel`.
StarSystem generateStarSystem(const std::optional<Star> &star, bool binary, TechnologyLevel maxTechLevel,
                              bool randomTL);
