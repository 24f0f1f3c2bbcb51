#pragma once

#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QRectF>

// The program's own artwork, "starSystemHexes": a flat-topped hex holding a star,
// ringed by six hexes, three of them with a world. It is drawn rather than shipped
// so that it stays sharp at every size; it is the window icon and the About
// window's turning icon.
namespace StarSystemHexes {

// Draws the artwork centred in `bounds`, as large as fits; the rest is untouched.
void paint(QPainter &painter, const QRectF &bounds);
// A square image of `size` pixels, transparent outside the hexes.
QImage image(int size);
// The artwork at the usual icon sizes, for windows, the task bar and the About window.
QIcon icon();

} // namespace StarSystemHexes
