#pragma once

#include "json/EnumTable.h"

#include <array>

// The kind of a nebula, by which the star map tints its hexes; files store the case name.
enum class NebulaType : quint8 {
    emission,
    reflection,
    dark,
    planetary,
    supernovaRemnant,
};

struct NebulaTypeRow
{
    NebulaType value;
    const char *raw;
    const char *displayText;
};

inline constexpr std::array<NebulaTypeRow, 5> kNebulaTypeTable{{
    {NebulaType::emission, "emission", "Emission"},
    {NebulaType::reflection, "reflection", "Reflection"},
    {NebulaType::dark, "dark", "Dark"},
    {NebulaType::planetary, "planetary", "Planetary"},
    {NebulaType::supernovaRemnant, "supernovaRemnant", "Supernova Remnant"},
}};

template <> struct EnumTraits<NebulaType>
{
    static constexpr const auto &rows = kNebulaTypeTable;
};

inline QString displayText(NebulaType type)
{
    return QString::fromUtf8(enumRow(type).displayText);
}
