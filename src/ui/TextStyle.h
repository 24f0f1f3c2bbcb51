#pragma once

#include "json/EnumTable.h"

#include <QFont>

#include <array>

// The text sizes the screens use, in pixels (one point of the layouts is one
// device-independent pixel): the body text and the smaller callout, subheadline,
// footnote and caption texts.
enum class TextStyle : quint8 { body, callout, subheadline, footnote, caption };

struct TextStyleRow
{
    TextStyle value;
    const char *raw;
    int pixelSize;
};

inline constexpr std::array<TextStyleRow, 5> kTextStyles{{
    {TextStyle::body, "body", 13},
    {TextStyle::callout, "callout", 12},
    {TextStyle::subheadline, "subheadline", 11},
    {TextStyle::footnote, "footnote", 10},
    {TextStyle::caption, "caption", 10},
}};

template <> struct EnumTraits<TextStyle>
{
    static constexpr const auto &rows = kTextStyles;
};

// The application font (or the system's fixed-pitch font) at a style's size.
QFont textFont(TextStyle style, bool monospaced = false, bool bold = false);
// The same at an explicit pixel size, for layouts that name one.
QFont textFont(int pixelSize, bool monospaced = false, bool bold = false);
// The display typeface "Nasalization" at a pixel size, requested by name; it is not
// shipped, and the platform substitutes another where it is not installed.
QFont displayFont(int pixelSize);
