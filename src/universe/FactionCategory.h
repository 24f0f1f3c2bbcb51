#pragma once

#include "json/EnumTable.h"

#include <array>

// The kind of a faction; files store the case name. The description is a plural
// title, also used for the sidebar's groups.
enum class FactionCategory : quint8 {
    megacorporation,
    race,
    group,
    political,
    religious,
    other,
};

struct FactionCategoryRow
{
    FactionCategory value;
    const char *raw;
    const char *description;
};

inline constexpr std::array<FactionCategoryRow, 6> kFactionCategoryTable{{
    {FactionCategory::megacorporation, "megacorporation", "Megacorps"},
    {FactionCategory::race, "race", "Races"},
    {FactionCategory::group, "group", "Groups"},
    {FactionCategory::political, "political", "Polities"},
    {FactionCategory::religious, "religious", "Religions"},
    {FactionCategory::other, "other", "Others"},
}};

template <> struct EnumTraits<FactionCategory>
{
    static constexpr const auto &rows = kFactionCategoryTable;
};

inline QString description(FactionCategory category)
{
    return QString::fromUtf8(enumRow(category).description);
}
