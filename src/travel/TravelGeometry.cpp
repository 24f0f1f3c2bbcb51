#include "TravelGeometry.h"

#include "model/NumberFormat.h"
#include "model/Orbits.h"
#include "model/WorldProfileGeneration.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace TravelGeometry {

namespace {

const QString kNoValue = QStringLiteral("\u2014");

// The value taken to the nearest integer, halves away from zero, or none when that
// integer lies outside the signed 64-bit range (or the value is not a number).
std::optional<qint64> roundedToInt64(double value)
{
    constexpr double limit = 9223372036854775808.0; // 2^63
    const double rounded = std::round(value);
    if (!(rounded >= -limit && rounded < limit))
        return std::nullopt;
    return static_cast<qint64>(rounded);
}

} // namespace

double travelTimeSeconds(double distanceKm, double thrustG)
{
    // Written as negations so that a value that is not a number counts as not positive.
    if (!(distanceKm > 0.0) || !(thrustG > 0.0))
        return 0.0;
    const double metres = distanceKm * kMetresPerKilometre;
    const double acceleration = thrustG * kMetresPerSecondSquaredPerG;
    return 2.0 * std::sqrt(metres / acceleration);
}

QString formatDuration(double seconds)
{
    if (!(seconds > 0.0))
        return kNoValue;
    if (seconds < 60.0)
        return QStringLiteral("<1 min");
    const std::optional<qint64> minutes = roundedToInt64(seconds / 60.0);
    if (!minutes)
        return kNoValue;
    const qint64 m = *minutes;
    if (m < 60)
        return QString::number(m) + QLatin1Char('m');
    if (m < 2880)
        return QString::number(m / 60) + QStringLiteral("h ") + QString::number(m % 60) + QLatin1Char('m');
    return QString::number(m / 1440) + QStringLiteral("d ") + QString::number((m / 60) % 24) +
           QLatin1Char('h');
}

double orbitalRadiusAU(const Star &star)
{
    return distanceAU(star.orbit);
}

double orbitalRadiusAU(const WorldData &body)
{
    return distanceAU(body.sunOrbit);
}

bool hasSurface(const WorldData &body)
{
    return isGasGiant(body.type) || static_cast<double>(body.uwp.size) * kKilometresPerSizeStep > 0.0;
}

double bodyDiameterKm(const WorldData &body)
{
    if (isGasGiant(body.type))
        return static_cast<double>(gasGiantSizeClass(body.uwp.size).miles) * kKilometresPerMile;
    return static_cast<double>(body.uwp.size) * kKilometresPerSizeStep;
}

double starDiameterKm(const Star &star)
{
    return star.relativeSize() * kSunDiameterKm;
}

QList<StarShadow> starShadows(const StarSystem &system, const Star &relativeTo)
{
    QList<StarShadow> shadows;
    shadows.reserve(system.stars.size());
    const double origin = orbitalRadiusAU(relativeTo);
    for (const Star &star : system.stars)
        shadows.append({star.id, std::abs(orbitalRadiusAU(star) - origin), starDiameterKm(star)});
    return shadows;
}

JumpClearance jumpClearance(const StarSystem &system, const WorldData &body, const Star &holder)
{
    const double radius = orbitalRadiusAU(body);
    JumpClearance clearance{kClearanceDiameters * bodyDiameterKm(body), std::nullopt};
    for (const StarShadow &shadow : starShadows(system, holder)) {
        const double reach = kClearanceDiameters * shadow.diameterKm -
                             std::abs(shadow.separationAU - radius) * kKilometresPerAU;
        if (reach > clearance.distanceKm)
            clearance = {reach, shadow.id};
    }
    return clearance;
}

double closestApproachKm(const WorldData &from, const Star &fromStar, const WorldData &to, const Star &toStar)
{
    const double starSeparation = std::abs(orbitalRadiusAU(fromStar) - orbitalRadiusAU(toStar));
    const double fromRadius = orbitalRadiusAU(from);
    const double toRadius = orbitalRadiusAU(to);
    const double orbitGap = std::abs(fromRadius - toRadius);
    if (starSeparation <= orbitGap)
        return (orbitGap - starSeparation) * kKilometresPerAU;
    // Crossing orbits come as close as touching.
    return std::max(0.0, starSeparation - fromRadius - toRadius) * kKilometresPerAU;
}

QString formatKilometres(double kilometres)
{
    const std::optional<qint64> whole = roundedToInt64(kilometres);
    if (!whole)
        return kNoValue;
    return NumberFormat::grouped(*whole) + QStringLiteral(" km");
}

QString radiusText(const WorldData &body)
{
    const double radius = orbitalRadiusAU(body);
    if (radius > 0.0)
        return NumberFormat::fixed(radius, 1) + QStringLiteral(" AU");
    return QStringLiteral("star");
}

} // namespace TravelGeometry
