#pragma once

#include <QFont>
#include <QPointF>
#include <QSizeF>
#include <QString>

class MapPainter;
class QPaintDevice;

// Text on the star map: fonts sized in screen points (fractional sizes kept) and
// texts placed by their centre or by their top-left corner. A text is one line, its
// line breaks shown as blanks, or, where asked, drawn on its lines; past what any
// screen shows of a line it is cut with an ellipsis, measured and drawn alike, so
// that no frame lays out a megabyte.
namespace MapText {

// The most characters of a text the map lays out: even the narrowest letters of so
// many, at the map's smallest text size, reach past the widest screen.
inline constexpr qsizetype kLongestText = 4096;

// `text` as the map lays it out.
QString shownPart(const QString &text);

// The display font "Nasalization" (or the platform's stand-in) at `points` on `device`.
QFont display(double points, const QPaintDevice *device);
// The system font at `points` on `device`, bold when asked.
QFont system(double points, const QPaintDevice *device, bool bold = false);
// The box of `text` in the display font at one point, as the map's pictures draw it:
// the size of a text drawn at any size, divided by that size.
QSizeF displayBoxPerPoint(const QString &text);
// The box of `text`'s lines, each under the one before, in the display font at one
// point: the widest line's width by the lines' height.
QSizeF displayLinesBoxPerPoint(const QString &text);
// Draws `text` in the painter's font and pen with the centre of its box at `centre`.
void drawCentred(MapPainter &painter, const QPointF &centre, const QString &text);
// Draws `text`'s lines each under the one before, each centred on `centre`'s x, with
// the centre of their box at `centre`: first all in `shadow` one point right and down,
// then in the painter's pen.
void drawLinesCentred(MapPainter &painter, const QPointF &centre, const QString &text, const QColor &shadow);
// Draws `text` with the top-left corner of its box at `topLeft`.
void drawFromTopLeft(MapPainter &painter, const QPointF &topLeft, const QString &text);

} // namespace MapText
