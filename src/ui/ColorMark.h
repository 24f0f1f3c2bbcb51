#pragma once

#include <QIcon>

class QColor;
class QPainter;
class QRectF;

// The small marks with which pickers, menus and lists show a colour: a 12 by 12
// filled circle, and a faction's flag. Each has a thin ring in a faint shade of the
// text colour, so that a mark of the list's own colour (a white region or a white
// faction on a white list) still shows.
//
// The dot, 12 points across in the middle of the icon's 16-point box. Each size of the
// box (at twice the size for a screen of pixel ratio 2) is drawn once per colour and
// text colour and then taken from the pixmap cache, so that pickers may ask for it for
// every entry whenever they refill.
QIcon colorDotIcon(const QColor &color);
// Draws the dot filling `bounds`; `text` is the colour of the text beside it, of
// which the ring, `ringWidth` wide in the painter's units, is a faint shade.
void paintColorDot(QPainter &painter, const QRectF &bounds, const QColor &fill, const QColor &text,
                   qreal ringWidth = 1);
// The filled flag in `color`, ringed like the dot. Each size is drawn once per colour
// and then taken from the pixmap cache, so that rows may ask for it on every paint.
QIcon colorFlagIcon(const QColor &color);
