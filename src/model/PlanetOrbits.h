#pragma once

#include "json/EnumTable.h"

#include <array>

// The orbit of a satellite around its planet. "0" marks a body that circles its
// star directly; a moon has one of the 26 letters. The raw value is also the text
// shown for the orbit.
enum class PlanetOrbits : quint8 {
    planetOrbit0,
    planetOrbitA,
    planetOrbitB,
    planetOrbitC,
    planetOrbitD,
    planetOrbitE,
    planetOrbitF,
    planetOrbitG,
    planetOrbitH,
    planetOrbitI,
    planetOrbitJ,
    planetOrbitK,
    planetOrbitL,
    planetOrbitM,
    planetOrbitN,
    planetOrbitO,
    planetOrbitP,
    planetOrbitQ,
    planetOrbitR,
    planetOrbitS,
    planetOrbitT,
    planetOrbitU,
    planetOrbitV,
    planetOrbitW,
    planetOrbitX,
    planetOrbitY,
    planetOrbitZ,
};

struct PlanetOrbitsRow
{
    PlanetOrbits value;
    const char *raw;
};

inline constexpr std::array<PlanetOrbitsRow, 27> kPlanetOrbitsTable{{
    {PlanetOrbits::planetOrbit0, "0"}, {PlanetOrbits::planetOrbitA, "A"}, {PlanetOrbits::planetOrbitB, "B"},
    {PlanetOrbits::planetOrbitC, "C"}, {PlanetOrbits::planetOrbitD, "D"}, {PlanetOrbits::planetOrbitE, "E"},
    {PlanetOrbits::planetOrbitF, "F"}, {PlanetOrbits::planetOrbitG, "G"}, {PlanetOrbits::planetOrbitH, "H"},
    {PlanetOrbits::planetOrbitI, "I"}, {PlanetOrbits::planetOrbitJ, "J"}, {PlanetOrbits::planetOrbitK, "K"},
    {PlanetOrbits::planetOrbitL, "L"}, {PlanetOrbits::planetOrbitM, "M"}, {PlanetOrbits::planetOrbitN, "N"},
    {PlanetOrbits::planetOrbitO, "O"}, {PlanetOrbits::planetOrbitP, "P"}, {PlanetOrbits::planetOrbitQ, "Q"},
    {PlanetOrbits::planetOrbitR, "R"}, {PlanetOrbits::planetOrbitS, "S"}, {PlanetOrbits::planetOrbitT, "T"},
    {PlanetOrbits::planetOrbitU, "U"}, {PlanetOrbits::planetOrbitV, "V"}, {PlanetOrbits::planetOrbitW, "W"},
    {PlanetOrbits::planetOrbitX, "X"}, {PlanetOrbits::planetOrbitY, "Y"}, {PlanetOrbits::planetOrbitZ, "Z"},
}};

template <> struct EnumTraits<PlanetOrbits>
{
    static constexpr const auto &rows = kPlanetOrbitsTable;
};
