#pragma once

// The arithmetic of the travel sheet: constant-thrust "flip and burn" travel times,
// which bodies have a surface, the diameters of bodies and stars, the 100-diameter
// shadows of the stars, the jump clearance of a body, and the texts in which
// durations, kilometres and orbital radii are shown. Every function is pure; none
// fails, and values that do not fit a text are shown as "—".

#include "model/Star.h"
#include "model/StarSystem.h"
#include "model/WorldData.h"

#include <QList>
#include <QString>
#include <QUuid>

#include <optional>

namespace TravelGeometry {

inline constexpr double kKilometresPerAU = 149'597'870.7;
inline constexpr double kMetresPerKilometre = 1000.0;
inline constexpr double kMetresPerSecondSquaredPerG = 9.81;
// One step of the profile's size digit is 1,000 miles of diameter.
inline constexpr double kKilometresPerSizeStep = 1'609.344;
inline constexpr double kKilometresPerMile = 1.609344;
// A ship may jump once it is this many diameters away from every body and star.
inline constexpr double kClearanceDiameters = 100.0;
inline constexpr double kSunDiameterKm = 1'392'700.0;

// The shadow of one star as seen from another star of the same system.
struct StarShadow
{
    QUuid id;            // the star's own id
    double separationAU; // between the two stars' orbital radii
    double diameterKm;

    friend bool operator==(const StarShadow &, const StarShadow &) = default;
};

// How far a ship must travel outward from a body before it may jump, and the star
// whose shadow sets that distance (none when the body's own diameters do).
struct JumpClearance
{
    double distanceKm = 0.0;
    std::optional<QUuid> governingStarID;

    friend bool operator==(const JumpClearance &, const JumpClearance &) = default;
};

// Seconds to cover `distanceKm` accelerating at `thrustG` to the midpoint and
// decelerating after it; 0 when either is not positive (or not a number).
double travelTimeSeconds(double distanceKm, double thrustG);

// "<1 min", "59m", "47h 59m", "2d 0h"; "—" for no time at all, for a value that is
// not a number, and for a minute count beyond the 64-bit range.
QString formatDuration(double seconds);

// The orbital radius in AU of a star (its orbit around the primary) or of a body
// (its orbit around its star; a satellite takes its planet's).
double orbitalRadiusAU(const Star &star);
double orbitalRadiusAU(const WorldData &body);

// Gas giants and bodies of size 1 and up have a surface to depart from; belts and
// other size-0 bodies have none.
bool hasSurface(const WorldData &body);
// A gas giant's diameter from its size class, any other body's from its size digit.
double bodyDiameterKm(const WorldData &body);
// The star's size relative to the Sun times the Sun's diameter.
double starDiameterKm(const Star &star);

// One shadow for every star of `system` (`relativeTo` included), in stored order.
QList<StarShadow> starShadows(const StarSystem &system, const Star &relativeTo);

// The clearance of `body`, held by `holder`: its own 100 diameters, or the
// farthest-reaching star shadow along the line of the orbits; ties keep the
// earlier candidate, so the body's own distance wins over an equal star term.
JumpClearance jumpClearance(const StarSystem &system, const WorldData &body, const Star &holder);

// The closest approach in km of the circular orbits of `from` (held by `fromStar`)
// and `to` (held by `toStar`); the stars' separation comes from their orbits.
double closestApproachKm(const WorldData &from, const Star &fromStar, const WorldData &to,
                         const Star &toStar);

// "1,287,475 km" in the current locale; "—" for a value beyond the 64-bit range.
QString formatKilometres(double kilometres);

// "1.0 AU" in the current locale, or "star" for a body in the primary's place.
QString radiusText(const WorldData &body);

} // namespace TravelGeometry
