#pragma once

#include <QIcon>

class QColor;
class QPainter;
class QRectF;

// The 12 by 12 filled circle with which pickers, menus and lists show a colour. It
// has a thin ring in a faint shade of the text colour, so that a dot of the list's own
// colour (a white region on a white list) still shows.
QIcon colorDotIcon(const QColor &color);
// Draws the dot filling `bounds`; `text` is the colour of the text beside it, of
// which the ring is a faint shade.
void paintColorDot(QPainter &painter, const QRectF &bounds, const QColor &fill, const QColor &text);
