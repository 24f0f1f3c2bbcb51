#pragma once

#include <QList>

class QColor;
class QLineF;
class QPainter;
class QPainterPath;
class QPen;

// Translucent fills and lines on a picture, drawn on a worker thread as fast as on
// one of Qt's own. The raster engine hands a translucent fill of many spans to Qt's
// global thread pool in pieces and waits for them, unless it runs on a thread of that
// pool; from our workers each such wait costs more than the fill. Opaque fills and
// whole pictures laid over another it draws in place. So a translucent shape is
// drawn opaque on a picture of its own, which is then laid over the painter's picture
// at the colour's alpha: the same pixels as a translucent fill, to a unit of rounding.
// On a device that is not a picture, or in a composition mode other than the
// default, the painter draws the shape itself.
namespace TranslucentFill {

void fillPath(QPainter &painter, const QPainterPath &path, const QColor &color);
// The lines drawn with `pen` as QPainter::drawLines() draws them: with flat or square
// ends each blended on its own where lines overlap, with round ends as one shape. Lines
// a device pixel wide or less the painter draws itself.
void drawLines(QPainter &painter, const QList<QLineF> &lines, const QPen &pen);

} // namespace TranslucentFill
