#pragma once

#include "json/EnumTable.h"

#include <QString>

#include <array>

// The eight groups of world tags. Files store a category as its position (0 to 7);
// the title heads the category's tag menu in the world editor.
enum class WorldTagCategory {
    environment,
    society,
    powerConflict,
    people,
    economyTech,
    mystery,
    zone,
    government,
};

struct WorldTagCategoryRow
{
    WorldTagCategory value;
    int raw;
    const char *title;
};

inline constexpr std::array<WorldTagCategoryRow, 8> kWorldTagCategories{{
    {WorldTagCategory::environment, 0, "Environment"},
    {WorldTagCategory::society, 1, "Society & Politics"},
    {WorldTagCategory::powerConflict, 2, "Power & Conflict"},
    {WorldTagCategory::people, 3, "People & Species"},
    {WorldTagCategory::economyTech, 4, "Economy & Tech"},
    {WorldTagCategory::mystery, 5, "Mystery & Peril"},
    {WorldTagCategory::zone, 6, "Travel Zones"},
    {WorldTagCategory::government, 7, "Government"},
}};

template <> struct EnumTraits<WorldTagCategory>
{
    static constexpr const auto &rows = kWorldTagCategories;
};

// The heading of a category's tag menu.
inline QString title(WorldTagCategory category)
{
    return QString::fromUtf8(enumRow(category).title);
}

// The picker cases: the categories the world editor offers in its tag menus and
// draws random tags from, which are all of them except the government types.
inline constexpr std::array<WorldTagCategory, 7> kWorldTagPickerCases{{
    WorldTagCategory::environment,
    WorldTagCategory::society,
    WorldTagCategory::powerConflict,
    WorldTagCategory::people,
    WorldTagCategory::economyTech,
    WorldTagCategory::mystery,
    WorldTagCategory::zone,
}};
