#pragma once

#include <QColor>
#include <QIcon>

// The filled circle, 12 points across, that the editors' menus and rows show before
// a colour's or a faction's name.
namespace ColorDot {

inline constexpr int kSize = 12;

QIcon icon(const QColor &color);

} // namespace ColorDot
