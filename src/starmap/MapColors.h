#pragma once

#include "model/SpectralType.h"
#include "universe/FactionColor.h"

#include <QColor>

// The colours the star map draws in: display-P3 values turned into the sRGB colours
// Qt paints with, and fixed values for the platform's named colours.
namespace MapColors {

QColor displayP3(double red, double green, double blue, double opacity = 1.0);
// White at an opacity, the ink of the grid, borders and their texts.
QColor white(double opacity);

QColor background();
QColor red();
QColor yellow();
QColor blue();
QColor green();
QColor brown();

// The colour of a palette entry.
QColor palette(FactionColor entry);

// The disc colour of a star of this spectral class.
QColor spectral(SpectralType type);

} // namespace MapColors
