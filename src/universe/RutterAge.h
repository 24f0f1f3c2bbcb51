#pragma once

#include "json/EnumTable.h"

#include <array>

// How long a route has been known; files store the case name. Uncharted routes are
// not drawn on the map.
enum class RutterAge : quint8 {
    uncharted,
    recent,
    lessThanOne,
    oneToFive,
    fivePlus,
};

struct RutterAgeRow
{
    RutterAge value;
    const char *raw;
    const char *displayText;
};

inline constexpr std::array<RutterAgeRow, 5> kRutterAgeTable{{
    {RutterAge::uncharted, "uncharted", "Uncharted"},
    {RutterAge::recent, "recent", "Recent (< 1 month)"},
    {RutterAge::lessThanOne, "lessThanOne", "Less than a year"},
    {RutterAge::oneToFive, "oneToFive", "One to five years"},
    {RutterAge::fivePlus, "fivePlus", "More than five years"},
}};

template <> struct EnumTraits<RutterAge>
{
    static constexpr const auto &rows = kRutterAgeTable;
};

inline QString displayText(RutterAge age)
{
    return QString::fromUtf8(enumRow(age).displayText);
}
