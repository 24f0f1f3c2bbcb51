#pragma once

#include <QPainter>
#include <QPainterPath>
#include <QPen>

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
