#pragma once

#include <QPainter>
#include <QPainterPath>
#include <QPen>

#include <cmath>
#include <functional>
#include <numbers>

// Drawing helpers shared by the program-drawn symbols.

// A square picture of `size` device-independent pixels that `paint` draws into the
// 16 × 16 box at the origin. It is drawn once per key, size and pixel ratio and then
// taken from the application's pixmap cache; `key` names everything else the picture
// depends on.
QPixmap boxPixmap(const QString &key, int size, qreal devicePixelRatio,
                  const std::function<void(QPainter &)> &paint);
// An icon holding the picture at each size that menus, lists and buttons ask for.
QIcon boxIcon(const std::function<QPixmap(int size)> &pixmapOfSize);

// The filled flag (pole and cloth) as one area of the 16 × 16 box, for pictures that
// outline it.
QPainterPath flagShape();

// The pen of a symbol's strokes: round caps and joins, as the symbol set draws them.
inline QPen symbolPen(const QColor &color, qreal width)
{
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// Punches `path` out of what is already drawn, so that filled symbols show their
// inner lines as holes, whatever lies behind the icon.
inline void punchOut(QPainter &painter, const QPainterPath &path)
{
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_Clear);
    painter.fillPath(path, Qt::black);
    painter.restore();
}

// Clears a stroke of `width` along `path` out of what is already drawn, so that a
// line drawn over a symbol stands apart from it.
inline void clearStroke(QPainter &painter, const QPainterPath &path, qreal width)
{
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_Clear);
    painter.strokePath(path, symbolPen(Qt::black, width));
    painter.restore();
}

// A closed path through `corners` points around `centre`, the first at `startAngle`
// (radians, clockwise on screen from the x axis), alternating between the radii
// `even` and `odd`: equal radii give a regular polygon, unequal ones a star.
inline QPainterPath radialPolygon(QPointF centre, int corners, qreal startAngle, qreal even, qreal odd)
{
    QPainterPath path;
    for (int i = 0; i < corners; ++i) {
        const qreal radius = i % 2 == 0 ? even : odd;
        const qreal angle = startAngle + i * 2 * std::numbers::pi / corners;
        const QPointF point(centre.x() + radius * std::cos(angle), centre.y() + radius * std::sin(angle));
        if (i == 0)
            path.moveTo(point);
        else
            path.lineTo(point);
    }
    path.closeSubpath();
    return path;
}
