#pragma once

#include "universe/FactionColor.h"

#include <QColor>

// Widget colours of the faction palette. The palette is defined in display P3;
// these give the matching sRGB QColor, which is what the widgets paint in.
QColor toQColor(const RgbComponents &components);
// The fill of a palette entry.
QColor paletteColor(FactionColor entry);
// The colour of text drawn on that fill.
QColor paletteTextColor(FactionColor entry);
