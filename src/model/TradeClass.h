#pragma once

#include "json/EnumTable.h"

#include <QList>
#include <QString>

#include <array>
#include <optional>

struct UWP;

// A trade classification a world can carry. Files store the two-letter code, which
// is also what the profile line shows. Thirty-two of the classes follow from a
// world's profile, climate zone and tidal lock (tradeClasses()); the others only
// arrive with imported data.
enum class TradeClass : quint8 {
    asteroid,
    desert,
    fluidOceans,
    garden,
    hellworld,
    iceCapped,
    ocean,
    vacuum,
    water,
    barren,
    dieback,
    lowPopulation,
    nonIndustrial,
    preHighPopulation,
    highPopulation,
    preAgricultural,
    agricultural,
    nonAgricultural,
    preIndustrial,
    industrial,
    poor,
    preRich,
    rich,
    lowTechnology,
    highTechnology,
    frozen,
    hot,
    tropic,
    cold,
    tundra,
    twilightZone,
    locked,
    farming,
    mining,
    militaryRule,
    prisonCamp,
    penalColony,
    reserve,
    subsectorCapital,
    sectorCapital,
    capital,
    colony,
    satellite,
    forbidden,
    puzzle,
    danger,
    dataRepository,
    ancientSite,
    researchStation,
};

struct TradeClassRow
{
    TradeClass value;
    const char *raw;
    const char *name;
    const char *referenceNote; // third column of the trade-class reference table
};

inline constexpr std::array<TradeClassRow, 49> kTradeClassTable{{
    {TradeClass::asteroid, "As", "Asteroid Belt", ""},
    {TradeClass::desert, "De", "Desert", ""},
    {TradeClass::fluidOceans, "Fl", "Fluid Oceans", ""},
    {TradeClass::garden, "Ga", "Garden World", ""},
    {TradeClass::hellworld, "He", "Hellworld", ""},
    {TradeClass::iceCapped, "Ic", "Ice-Capped", ""},
    {TradeClass::ocean, "Oc", "Ocean", ""},
    {TradeClass::vacuum, "Va", "Vacuum", ""},
    {TradeClass::water, "Wa", "Water World", ""},
    {TradeClass::barren, "Ba", "Barren", ""},
    {TradeClass::dieback, "Di", "Dieback", ""},
    {TradeClass::lowPopulation, "Lo", "Low Population", ""},
    {TradeClass::nonIndustrial, "Ni", "Non-Industrial", ""},
    {TradeClass::preHighPopulation, "Ph", "Pre-High Population", ""},
    {TradeClass::highPopulation, "Hi", "High Population", ""},
    {TradeClass::preAgricultural, "Pa", "Pre-Agricultural", ""},
    {TradeClass::agricultural, "Ag", "Agricultural", ""},
    {TradeClass::nonAgricultural, "Na", "Non-Agricultural", ""},
    {TradeClass::preIndustrial, "Pi", "Pre-Industrial", ""},
    {TradeClass::industrial, "In", "Industrial", ""},
    {TradeClass::poor, "Po", "Poor", ""},
    {TradeClass::preRich, "Pr", "Pre-Rich", ""},
    {TradeClass::rich, "Ri", "Rich", ""},
    {TradeClass::lowTechnology, "Lt", "Low Technology", ""},
    {TradeClass::highTechnology, "Ht", "High Technology", ""},
    {TradeClass::frozen, "Fr", "Frozen", ""},
    {TradeClass::hot, "Ho", "Hot", ""},
    {TradeClass::tropic, "Tr", "Tropic", ""},
    {TradeClass::cold, "Co", "Cold", ""},
    {TradeClass::tundra, "Tu", "Tundra", ""},
    {TradeClass::twilightZone, "Tz", "Twilight Zone", ""},
    {TradeClass::locked, "Lk", "Locked", ""},
    {TradeClass::farming, "Fa", "Farming", ""},
    {TradeClass::mining, "Mi", "Mining", ""},
    {TradeClass::militaryRule, "Mr", "Military Rule", ""},
    {TradeClass::prisonCamp, "Px", "Prison/Exile Camp", "X"},
    {TradeClass::penalColony, "Pe", "Penal Colony", ""},
    {TradeClass::reserve, "Re", "Reserve", "R"},
    {TradeClass::subsectorCapital, "Cp", "Subsector Capital", ""},
    {TradeClass::sectorCapital, "Cs", "Sector Capital", ""},
    {TradeClass::capital, "Cx", "Capital", ""},
    {TradeClass::colony, "Cy", "Colony", ""},
    {TradeClass::satellite, "Sa", "Satellite", ""},
    {TradeClass::forbidden, "Fo", "Forbidden", ""},
    {TradeClass::puzzle, "Pz", "Puzzle", ""},
    {TradeClass::danger, "Da", "Danger", ""},
    {TradeClass::dataRepository, "Ab", "Data Repository", ""},
    {TradeClass::ancientSite, "An", "Ancient Site", ""},
    {TradeClass::researchStation, "Rs", "Research Station", "\u0393 red"},
}};

template <> struct EnumTraits<TradeClass>
{
    static constexpr const auto &rows = kTradeClassTable;
};

inline QString name(TradeClass value)
{
    return QString::fromUtf8(enumRow(value).name);
}

inline QString referenceNote(TradeClass value)
{
    return QString::fromUtf8(enumRow(value).referenceNote);
}

// The climate class of a climate zone: 0 twilight zone, 1 hot, 2 tropic, 4 tundra,
// 5 cold, 6 frozen; no class for the temperate zone 3 or any other number.
std::optional<TradeClass> climateTradeClass(int climateZone);

// The classes that follow from a profile, a climate zone (0 to 6, or 7 for none) and
// tidal lock, in the fixed order of the rules.
QList<TradeClass> tradeClasses(const UWP &uwp, int climateZone, bool tideLocked);
