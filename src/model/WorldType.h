#pragma once

#include "json/EnumTable.h"

#include <QList>
#include <QString>

#include <array>

// The kind of body a world record describes. Files store the raw values as they
// stand: a mixture of sentences and identifiers.
enum class WorldType : quint8 {
    planet,
    closeSatelliteGG,
    closeSatelliteP,
    farSatelliteGG,
    farSatelliteP,
    asteroidBelt,
    planetoidBelt,
    iceworld,
    radWorld,
    inferno,
    bigWorld,
    worldlet,
    innerWorld,
    stormWorld,
    smallGasGiant,
    largeGasGiant,
    iceGiant,
};

struct WorldTypeRow
{
    WorldType value;
    const char *raw;
    const char *description;
    // Density relative to Earth's: the type's base value and how far either side of
    // it a world of this type may lie.
    double baseDensity;
    double densitySpread;
};

inline constexpr std::array<WorldTypeRow, 17> kWorldTypeTable{{
    {WorldType::planet, "planet", "Planet", 0.95, 0.1},
    {WorldType::closeSatelliteGG, "Close satellite orbiting a GG", "Satellite (C. GG)", 0.9, 0.1},
    {WorldType::closeSatelliteP, "Close satellite orbiting a planet", "Satellite (C. planet)", 0.9, 0.1},
    {WorldType::farSatelliteGG, "Far satellite orbiting a GG", "Satellite (F. GG)", 0.9, 0.1},
    {WorldType::farSatelliteP, "Far satellite orbiting a planet", "Satellite (F. planet)", 0.9, 0.1},
    {WorldType::asteroidBelt, "Asteroid belt", "Asteroid belt", 0.5, 0.0},
    {WorldType::planetoidBelt, "Planetoid belt", "Planetoid belt", 0.5, 0.0},
    {WorldType::iceworld, "iceworld", "Ice world", 0.5, 0.1},
    {WorldType::radWorld, "radWorld", "Radiation world", 1.05, 0.1},
    {WorldType::inferno, "inferno", "Inferno", 1.0, 0.1},
    {WorldType::bigWorld, "bigWorld", "Big world", 1.1, 0.15},
    {WorldType::worldlet, "worldlet", "Worldlet", 0.6, 0.1},
    {WorldType::innerWorld, "innerWorld", "Inner world", 1.0, 0.1},
    {WorldType::stormWorld, "stormWorld", "Storm world", 1.0, 0.1},
    {WorldType::smallGasGiant, "Small Gas Giant", "Small gas giant", 0.2, 0.05},
    {WorldType::largeGasGiant, "Large Gas Giant", "Large gas giant", 0.25, 0.05},
    {WorldType::iceGiant, "Ice Giant", "Ice giant", 0.3, 0.05},
}};

template <> struct EnumTraits<WorldType>
{
    static constexpr const auto &rows = kWorldTypeTable;
};

// The display name ("Ice world").
inline QString description(WorldType value)
{
    return QString::fromUtf8(enumRow(value).description);
}

// Whether the body is one of the three kinds of gas giant.
constexpr bool isGasGiant(WorldType type)
{
    return type == WorldType::smallGasGiant || type == WorldType::largeGasGiant ||
           type == WorldType::iceGiant;
}

// The densities a user may pick for a world of this type, from the lowest to the
// highest allowed, `step` apart, each rounded to two decimals. Always at least one.
QList<double> densityOptions(WorldType type, double step);

// A density for a new world of this type: the base value moved by a flux roll
// (a fifth of the spread per point), never below 0.05.
double randomDensity(WorldType type);
