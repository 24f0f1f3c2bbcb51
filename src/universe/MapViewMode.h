#pragma once

#include "json/EnumTable.h"

// Whose view the star map shows: the referee's (everything) or the players' (only
// what they know).
enum class MapViewMode { referee, player };

struct MapViewModeRow
{
    MapViewMode value;
    const char *raw;
};

inline constexpr std::array<MapViewModeRow, 2> kMapViewModes{{
    {MapViewMode::referee, "referee"},
    {MapViewMode::player, "player"},
}};

template <>
struct EnumTraits<MapViewMode>
{
    static constexpr const auto &rows = kMapViewModes;
};
