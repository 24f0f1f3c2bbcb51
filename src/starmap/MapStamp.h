#pragma once

#include <QColor>
#include <QPoint>
#include <QPointF>

class MapPainter;

// Stamping kept pictures instead of drawing: a picture made about a point placed a
// quarter pixel at most off the exact one is copied at whole pixels, which is much
// cheaper than drawing and differs from it by anti-aliasing only. Star discs are
// stamped from pictures per colour, size and placement.
namespace MapStamp {

// Where a picture drawn about a point goes: the whole device pixel, and the point's
// offset within it in steps of 1 / `steps` pixel.
struct Place
{
    QPoint pixel;
    int stepX = 0;
    int stepY = 0;
    int steps = 4;

    // The point inside a picture whose pixel (0, 0) lies `margin` pixels up and left
    // of `pixel`.
    QPointF inPicture(int margin) const { return inPicture(margin, margin); }
    QPointF inPicture(int marginX, int marginY) const
    {
        return {marginX + double(stepX) / steps, marginY + double(stepY) / steps};
    }
};

// The place of `point`, which lies within a million pixels of the origin, to a
// quarter pixel or to 1 / `steps` pixel.
Place placeOf(const QPointF &point, int steps = 4);
// Whether a point lies near enough to the picture to be placed.
bool isPlaceable(const QPointF &point);
// Fills the disc of `radius` about `centre` in `color`, like an antialiased ellipse
// without a pen; small discs are stamped unless `stamp` is off.
void disc(MapPainter &painter, const QPointF &centre, double radius, const QColor &color, bool stamp = true);

} // namespace MapStamp
