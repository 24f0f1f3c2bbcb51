#pragma once

#include <QPainter>
#include <QPainterPath>
#include <QPen>

#include <cmath>
#include <numbers>

// Drawing helpers shared by the program-drawn symbols.

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
