#pragma once

#include "json/EnumTable.h"

#include <array>

// The orbit of a body (or companion star) around its star. Files store the orbit
// number, -1 for the primary's own place.
enum class Orbits : quint8 {
    starOrbitP,
    starOrbit0,
    starOrbit1,
    starOrbit2,
    starOrbit3,
    starOrbit4,
    starOrbit5,
    starOrbit6,
    starOrbit7,
    starOrbit8,
    starOrbit9,
    starOrbit10,
    starOrbit11,
    starOrbit12,
    starOrbit13,
    starOrbit14,
    starOrbit15,
    starOrbit16,
    starOrbit17,
    starOrbit18,
    starOrbit19,
    starOrbit20,
};

struct OrbitsRow
{
    Orbits value;
    int raw;
    double distanceAU; // mean distance from the star
};

inline constexpr std::array<OrbitsRow, 22> kOrbitsTable{{
    {Orbits::starOrbitP, -1, 0.0},      {Orbits::starOrbit0, 0, 0.2},
    {Orbits::starOrbit1, 1, 0.4},       {Orbits::starOrbit2, 2, 0.7},
    {Orbits::starOrbit3, 3, 1.0},       {Orbits::starOrbit4, 4, 1.6},
    {Orbits::starOrbit5, 5, 2.8},       {Orbits::starOrbit6, 6, 5.2},
    {Orbits::starOrbit7, 7, 10.0},      {Orbits::starOrbit8, 8, 19.6},
    {Orbits::starOrbit9, 9, 38.8},      {Orbits::starOrbit10, 10, 77.2},
    {Orbits::starOrbit11, 11, 154.0},   {Orbits::starOrbit12, 12, 307.6},
    {Orbits::starOrbit13, 13, 614.8},   {Orbits::starOrbit14, 14, 1229.2},
    {Orbits::starOrbit15, 15, 2458.0},  {Orbits::starOrbit16, 16, 4915.6},
    {Orbits::starOrbit17, 17, 9830.8},  {Orbits::starOrbit18, 18, 19661.2},
    {Orbits::starOrbit19, 19, 39322.0}, {Orbits::starOrbit20, 20, 78643.6},
}};

template <> struct EnumTraits<Orbits>
{
    static constexpr const auto &rows = kOrbitsTable;
};

// Mean distance from the star in astronomical units (0 for the primary's place).
constexpr double distanceAU(Orbits orbit)
{
    return enumRow(orbit).distanceAU;
}
