#pragma once

#include "json/EnumTable.h"

#include <array>

// The rating a faction asset belongs to; files store the case name.
enum class AssetCategory : quint8 {
    cunning,
    force,
    wealth,
};

struct AssetCategoryRow
{
    AssetCategory value;
    const char *raw;
    const char *displayText;
};

inline constexpr std::array<AssetCategoryRow, 3> kAssetCategoryTable{{
    {AssetCategory::cunning, "cunning", "Cunning"},
    {AssetCategory::force, "force", "Force"},
    {AssetCategory::wealth, "wealth", "Wealth"},
}};

template <> struct EnumTraits<AssetCategory>
{
    static constexpr const auto &rows = kAssetCategoryTable;
};

inline QString displayText(AssetCategory category)
{
    return QString::fromUtf8(enumRow(category).displayText);
}
