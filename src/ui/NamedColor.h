#pragma once

#include "json/EnumTable.h"

#include <QColor>

#include <optional>

// The application's named colours, each with a light and a dark value; the one
// that matches the current palette is used.
enum class NamedColor {
    cobalt,
    emerald,
    mainBackground,
    parameterBackground,
    sectorBackground,
    smallTitle,
    title,
    uwpBackground,
    worldTag,
};

struct NamedColorRow
{
    NamedColor value;
    const char *raw;
    QRgb light;
    QRgb dark;
};

inline constexpr std::array<NamedColorRow, 9> kNamedColors{{
    {NamedColor::cobalt, "cobalt", 0xFF2B4C7E, 0xFF1D3557},
    {NamedColor::emerald, "emerald", 0xFFC8E6D4, 0xFF1F4A3A},
    {NamedColor::mainBackground, "mainBackground", 0xFFF2F2F7, 0xFF1C1C1E},
    {NamedColor::parameterBackground, "parameterBackground", 0xFFE5E5EA, 0xFF2C2C2E},
    {NamedColor::sectorBackground, "sectorBackground", 0xFFE6ECF3, 0xFF1F2630},
    {NamedColor::smallTitle, "smallTitle", 0xFF5E5E63, 0xFFBDBDC2},
    {NamedColor::title, "title", 0xFF1D3557, 0xFFA8DADC},
    {NamedColor::uwpBackground, "uwpBackground", 0xFFDCE8F5, 0xFF243447},
    {NamedColor::worldTag, "worldTag", 0xFFD6EAD0, 0xFF2F4A2A},
}};

template <> struct EnumTraits<NamedColor>
{
    static constexpr const auto &rows = kNamedColors;
};

// The colour for the current palette (dark when the window colour is dark).
QColor namedColor(NamedColor color);
// The same, looked up by its name; no value for a name that is not one of the table.
std::optional<QColor> namedColor(const QString &name);
// Whether the application's palette is a dark one.
bool usesDarkPalette();
