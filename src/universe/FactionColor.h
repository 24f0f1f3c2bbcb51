#pragma once

#include "json/EnumTable.h"

#include <QString>

#include <array>
#include <optional>

// Red, green and blue components of an opaque colour, each 0 to 1. Palette entries are
// in the display-P3 colour space; the widget layers turn them into QColor.
struct RgbComponents
{
    double red = 0.0;
    double green = 0.0;
    double blue = 0.0;

    friend bool operator==(const RgbComponents &, const RgbComponents &) = default;
};

// The fixed palette in which factions, regions and star-map labels are drawn. Records
// store a colour by its case name, so files stay readable.
enum class FactionColor : quint8 {
    red,
    orangeRed,
    salmon,
    orange,
    tan,
    gold,
    yellow,
    yellowWhite,
    lime,
    green,
    mint,
    teal,
    cyan,
    blue,
    blueWhite,
    indigo,
    violet,
    lavender,
    purple,
    magenta,
    pink,
    white,
    grey,
    black,
};

struct FactionColorRow
{
    FactionColor value;
    const char *raw;
    RgbComponents components;
    // Text on this entry is drawn in the light colour rather than in black.
    bool lightText;
};

inline constexpr std::array<FactionColorRow, 24> kFactionColors{{
    {FactionColor::red, "red", {1.0, 0.3, 0.3}, false},
    {FactionColor::orangeRed, "orangeRed", {1.0, 0.55, 0.38}, false},
    {FactionColor::salmon, "salmon", {1.0, 0.63, 0.56}, false},
    {FactionColor::orange, "orange", {1.0, 0.76, 0.43}, false},
    {FactionColor::tan, "tan", {0.85, 0.72, 0.55}, false},
    {FactionColor::gold, "gold", {1.0, 0.84, 0.36}, false},
    {FactionColor::yellow, "yellow", {1.0, 0.92, 0.58}, false},
    {FactionColor::yellowWhite, "yellowWhite", {1.0, 0.88, 0.8}, false},
    {FactionColor::lime, "lime", {0.72, 0.98, 0.42}, false},
    {FactionColor::green, "green", {0.2, 0.78, 0.35}, false},
    {FactionColor::mint, "mint", {0.55, 1.0, 0.8}, false},
    {FactionColor::teal, "teal", {0.25, 0.78, 0.72}, false},
    {FactionColor::cyan, "cyan", {0.35, 0.88, 0.95}, false},
    {FactionColor::blue, "blue", {0.61, 0.71, 1.0}, false},
    {FactionColor::blueWhite, "blueWhite", {0.75, 0.83, 1.0}, false},
    {FactionColor::indigo, "indigo", {0.52, 0.56, 0.98}, true},
    {FactionColor::violet, "violet", {0.68, 0.48, 1.0}, false},
    {FactionColor::lavender, "lavender", {0.8, 0.78, 1.0}, false},
    {FactionColor::purple, "purple", {0.69, 0.32, 0.87}, false},
    {FactionColor::magenta, "magenta", {1.0, 0.38, 0.85}, false},
    {FactionColor::pink, "pink", {0.84, 0.5, 0.5}, false},
    {FactionColor::white, "white", {0.94, 0.96, 1.0}, false},
    {FactionColor::grey, "grey", {0.62, 0.66, 0.72}, true},
    {FactionColor::black, "black", {0.04, 0.06, 0.1}, true},
}};

template <> struct EnumTraits<FactionColor>
{
    static constexpr const auto &rows = kFactionColors;
};

// The colour drawn for a palette entry (display P3, opaque).
constexpr RgbComponents color(FactionColor entry)
{
    return enumRow(entry).components;
}

// The colour of text drawn on a palette entry: the light colour (the components of
// `white`) on the three dark entries, black on every other.
constexpr RgbComponents contrastingTextColor(FactionColor entry)
{
    return enumRow(entry).lightText ? color(FactionColor::white) : RgbComponents{0.0, 0.0, 0.0};
}

// Reads a free-form colour: one of a small set of colour names, or a hexadecimal code
// of exactly three or six digits with an optional leading "#". Spaces and tabs around
// it are ignored, letter case is not significant. No value for anything else.
std::optional<RgbComponents> parseColorString(const QString &text);

// The palette entry nearest to a free-form colour (squared distance of the components,
// ties keep the earlier entry); `white` when the text is not a colour.
FactionColor factionColorFrom(const QString &text);
