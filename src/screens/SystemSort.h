#pragma once

#include "json/EnumTable.h"

#include <array>

// The orders of the system list; the raw value is what the sort menu shows.
enum class SystemSort : quint8 {
    coordinates,
    name,
    mainWorld,
};

struct SystemSortRow
{
    SystemSort value;
    const char *raw;
};

inline constexpr std::array<SystemSortRow, 3> kSystemSortTable{{
    {SystemSort::coordinates, "Coordinates"},
    {SystemSort::name, "System Name"},
    {SystemSort::mainWorld, "Main World"},
}};

template <> struct EnumTraits<SystemSort>
{
    static constexpr const auto &rows = kSystemSortTable;
};
