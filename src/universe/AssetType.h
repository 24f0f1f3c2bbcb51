#pragma once

#include "json/EnumTable.h"

#include <array>

// The kind of a faction asset; files store the case name. The display texts are the
// raw values with only their first letter capitalised, as the faction editor shows them.
enum class AssetType : quint8 {
    starship,
    specialForces,
    logisticFacility,
    tactics,
    militaryUnit,
    special,
    facility,
};

struct AssetTypeRow
{
    AssetType value;
    const char *raw;
    const char *displayText;
};

inline constexpr std::array<AssetTypeRow, 7> kAssetTypeTable{{
    {AssetType::starship, "starship", "Starship"},
    {AssetType::specialForces, "specialForces", "Specialforces"},
    {AssetType::logisticFacility, "logisticFacility", "Logisticfacility"},
    {AssetType::tactics, "tactics", "Tactics"},
    {AssetType::militaryUnit, "militaryUnit", "Militaryunit"},
    {AssetType::special, "special", "Special"},
    {AssetType::facility, "facility", "Facility"},
}};

template <> struct EnumTraits<AssetType>
{
    static constexpr const auto &rows = kAssetTypeTable;
};

inline QString displayText(AssetType type)
{
    return QString::fromUtf8(enumRow(type).displayText);
}
