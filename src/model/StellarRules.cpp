#include "StellarRules.h"

#include "Random.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <limits>

namespace {

using LC = LuminosityClass;

constexpr std::size_t kTypeCount = EnumTraits<SpectralType>::rows.size();
constexpr std::size_t kClassCount = EnumTraits<LuminosityClass>::rows.size();

// Orbit numbers in the tables below name Orbits cases by their raw value, which is
// the case's position minus one.
static_assert(enumRow(Orbits::starOrbit0).raw == 0 && enumRow(Orbits::starOrbit20).raw == 20);
constexpr Orbits orbitNumbered(int number)
{
    return static_cast<Orbits>(number + 1);
}

// Habitable-zone orbit numbers; rows O B A F G K M, columns Ia Ib II III IV V VI D.
constexpr std::array<std::array<int, kClassCount>, kTypeCount> kHabitableZone{{
    {15, 15, 14, 13, 12, 11, 0, 1},
    {13, 13, 12, 11, 10, 9, 0, 0},
    {12, 11, 9, 7, 7, 7, 0, 0},
    {11, 10, 9, 6, 6, 5, 3, 0},
    {12, 10, 9, 7, 5, 3, 2, 0},
    {12, 10, 9, 8, 5, 2, 1, 0},
    {12, 11, 10, 9, 0, 0, 0, 0},
}};

// Mass bounds of a main-sequence star of each type, O to M.
constexpr std::array<MassRange, kTypeCount> kMassBounds{{
    {16.0, 60.0},
    {2.1, 16.0},
    {1.4, 2.1},
    {1.04, 1.4},
    {0.8, 1.04},
    {0.45, 0.8},
    {0.08, 0.45},
}};

// How much heavier than the bounds a star of each class is, Ia to VI; white dwarfs
// have their own range.
constexpr std::array<double, kClassCount - 1> kMassFactor{3.0, 2.5, 2.0, 1.5, 1.2, 1.0, 0.8};
constexpr MassRange kWhiteDwarfMass{0.6, 1.1};

// Diameters relative to the Sun; rows O to M, columns Ia to VI.
constexpr std::array<std::array<double, kClassCount - 1>, kTypeCount> kRelativeSize{{
    {20, 15, 13, 12, 11, 8, 6},
    {30, 20, 12, 8, 6, 4, 3},
    {60, 40, 12, 4, 3, 1.7, 1.3},
    {100, 60, 15, 4, 2, 1.3, 1.0},
    {150, 90, 25, 8, 2, 1.0, 0.8},
    {300, 150, 45, 20, 4, 0.75, 0.6},
    {800, 500, 100, 45, 8, 0.4, 0.25},
}};
constexpr double kWhiteDwarfSize = 0.011;

// Luminosity class of a random star; rows O to M, columns flux -5 to +5.
constexpr std::array<std::array<LC, 11>, kTypeCount> kSizeClassByFlux{{
    {LC::Ib, LC::II, LC::III, LC::III, LC::III, LC::V, LC::V, LC::V, LC::IV, LC::D, LC::D},
    {LC::Ib, LC::II, LC::III, LC::III, LC::III, LC::III, LC::V, LC::V, LC::IV, LC::D, LC::D},
    {LC::Ib, LC::II, LC::III, LC::IV, LC::V, LC::V, LC::V, LC::V, LC::V, LC::D, LC::D},
    {LC::III, LC::IV, LC::V, LC::V, LC::V, LC::V, LC::V, LC::V, LC::VI, LC::D, LC::D},
    {LC::III, LC::IV, LC::V, LC::V, LC::V, LC::V, LC::V, LC::V, LC::VI, LC::D, LC::D},
    {LC::III, LC::IV, LC::V, LC::V, LC::V, LC::V, LC::V, LC::V, LC::VI, LC::D, LC::D},
    {LC::II, LC::II, LC::III, LC::V, LC::V, LC::V, LC::V, LC::V, LC::VI, LC::D, LC::D},
}};

// Spectral type of a random star by flux -5 to +5.
constexpr std::array<SpectralType, 11> kSpectralTypeByFlux{
    SpectralType::A, SpectralType::A, SpectralType::F, SpectralType::F, SpectralType::G, SpectralType::K,
    SpectralType::K, SpectralType::M, SpectralType::M, SpectralType::M, SpectralType::M,
};

// Hours in a year of 365.25 days.
constexpr double kHoursPerYear = 8766.0;

constexpr std::size_t index(SpectralType type)
{
    return static_cast<std::size_t>(type);
}

constexpr std::size_t index(LuminosityClass luminosity)
{
    return static_cast<std::size_t>(luminosity);
}

constexpr std::size_t fluxIndex(int flux)
{
    return static_cast<std::size_t>(std::clamp(flux, -5, 5) + 5);
}

} // namespace

namespace StellarRules {

Orbits habitableZoneOrbit(SpectralType type, LuminosityClass luminosity)
{
    return orbitNumbered(kHabitableZone[index(type)][index(luminosity)]);
}

MassRange massRange(SpectralType type, LuminosityClass luminosity)
{
    if (luminosity == LuminosityClass::D)
        return kWhiteDwarfMass;
    const MassRange &bounds = kMassBounds[index(type)];
    const double factor = kMassFactor[index(luminosity)];
    return {bounds.low * factor, bounds.high * factor};
}

double relativeSize(SpectralType type, LuminosityClass luminosity)
{
    if (luminosity == LuminosityClass::D)
        return kWhiteDwarfSize;
    return kRelativeSize[index(type)][index(luminosity)];
}

qint64 orbitalPeriodHours(double mass, Orbits orbit)
{
    const double distance = distanceAU(orbit);
    // `!(mass > 0)` also turns away a mass that is not a number.
    if (distance <= 0.0 || !(mass > 0.0))
        return 0;
    const double hours = std::sqrt(distance * distance * distance / mass) * kHoursPerYear;
    // A stored star may carry a tiny mass; saturate rather than overflow the rounding.
    constexpr double limit = 9223372036854775807.0; // 2^63 as a double
    if (!(hours < limit))
        return std::numeric_limits<qint64>::max();
    return std::llround(hours);
}

SpectralType spectralTypeForFlux(int flux)
{
    return kSpectralTypeByFlux[fluxIndex(flux)];
}

LuminosityClass sizeClassForFlux(SpectralType type, int flux)
{
    return kSizeClassByFlux[index(type)][fluxIndex(flux)];
}

LuminosityClass sizeClass(SpectralType type, int decimal, int flux)
{
    const LuminosityClass read = sizeClassForFlux(type, flux);
    if (type == SpectralType::K && decimal >= 5 && read == LuminosityClass::IV)
        return LuminosityClass::V;
    if (type == SpectralType::F && decimal <= 4 && read == LuminosityClass::VI)
        return LuminosityClass::V;
    return read;
}

Orbits randomCompanionOrbit()
{
    return orbitNumbered(rollD6() + 14);
}

LuminosityClass randomSizeClass(SpectralType type, int decimal)
{
    return sizeClass(type, decimal, rollFlux());
}

} // namespace StellarRules
