#pragma once

#include "json/EnumTable.h"

#include <QString>

#include <array>

// The luminosity class of a star; files store the class's Roman-numeral name.
enum class LuminosityClass : quint8 { Ia, Ib, II, III, IV, V, VI, D };

struct LuminosityClassRow
{
    LuminosityClass value;
    const char *raw;
    const char *description;
};

inline constexpr std::array<LuminosityClassRow, 8> kLuminosityClassTable{{
    {LuminosityClass::Ia, "Ia", "HL Supergiant"},
    {LuminosityClass::Ib, "Ib", "LL Supergiant"},
    {LuminosityClass::II, "II", "Bright Giant"},
    {LuminosityClass::III, "III", "Giant"},
    {LuminosityClass::IV, "IV", "Subgiant"},
    {LuminosityClass::V, "V", "Main Sequence"},
    {LuminosityClass::VI, "VI", "Subdwarf"},
    {LuminosityClass::D, "D", "White Dwarf"},
}};

template <> struct EnumTraits<LuminosityClass>
{
    static constexpr const auto &rows = kLuminosityClassTable;
};

// The display name ("Main Sequence").
inline QString description(LuminosityClass value)
{
    return QString::fromUtf8(enumRow(value).description);
}
