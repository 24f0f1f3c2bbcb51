// The symbols of the star map's controls and card: search, clear, filters, reset,
// travel times, world information and copy.
#include "Symbol.h"
#include "SymbolPainting.h"

namespace symbol_detail {

void paintMagnifyingglass(QPainter &painter, const QColor &color)
{
    QPainterPath path;
    path.addEllipse(QRectF(2, 2, 9, 9));
    path.moveTo(9.8, 9.8);
    path.lineTo(14, 14);
    painter.strokePath(path, symbolPen(color, 1.7));
}

void paintXmarkCircleFill(QPainter &painter, const QColor &color)
{
    QPainterPath disc;
    disc.addEllipse(QRectF(1, 1, 14, 14));
    painter.fillPath(disc, color);
    QPainterPath cross;
    cross.moveTo(5.5, 5.5);
    cross.lineTo(10.5, 10.5);
    cross.moveTo(10.5, 5.5);
    cross.lineTo(5.5, 10.5);
    punchOut(painter, QPainterPathStroker(symbolPen(color, 1.6)).createStroke(cross));
}

void paintQuestionmarkCircleFill(QPainter &painter, const QColor &color)
{
    QPainterPath disc;
    disc.addEllipse(QRectF(1, 1, 14, 14));
    painter.fillPath(disc, color);
    QPainterPath mark;
    mark.moveTo(6, 6.2);
    mark.cubicTo(6, 3.6, 10.2, 3.6, 10.2, 6.2);
    mark.cubicTo(10.2, 7.8, 8, 8, 8, 9.8);
    QPainterPath hole = QPainterPathStroker(symbolPen(color, 1.6)).createStroke(mark);
    hole.addEllipse(QPointF(8, 12), 1, 1);
    punchOut(painter, hole);
}

void paintTimer(QPainter &painter, const QColor &color)
{
    QPainterPath path;
    path.addEllipse(QRectF(2, 3, 12, 12));
    path.moveTo(8, 9);
    path.lineTo(8, 5.5);
    path.moveTo(6, 1.2);
    path.lineTo(10, 1.2);
    painter.strokePath(path, symbolPen(color, 1.4));
}

void paintDocOnDoc(QPainter &painter, const QColor &color)
{
    QPainterPath back;
    back.addRoundedRect(QRectF(5, 1.5, 9, 10.5), 1.5, 1.5);
    QPainterPath front;
    front.addRoundedRect(QRectF(2, 4.5, 9, 10.5), 1.5, 1.5);
    painter.strokePath(back.subtracted(front), symbolPen(color, 1.3));
    painter.strokePath(front, symbolPen(color, 1.3));
}

void paintTagFill(QPainter &painter, const QColor &color)
{
    QPainterPath tag;
    tag.moveTo(1.5, 2.5);
    tag.lineTo(8, 2.5);
    tag.lineTo(14.5, 9);
    tag.lineTo(8.5, 15);
    tag.lineTo(1.5, 8);
    tag.closeSubpath();
    painter.fillPath(tag, color);
    QPainterPath hole;
    hole.addEllipse(QPointF(5, 6), 1.3, 1.3);
    punchOut(painter, hole);
}

void paintArrowCounterclockwiseCircle(QPainter &painter, const QColor &color)
{
    QPainterPath circle;
    circle.addEllipse(QRectF(1, 1, 14, 14));
    painter.strokePath(circle, symbolPen(color, 1.2));
    QPainterPath arc;
    arc.arcMoveTo(QRectF(4, 4, 8, 8), 120);
    arc.arcTo(QRectF(4, 4, 8, 8), 120, -270);
    painter.strokePath(arc, symbolPen(color, 1.4));
    QPainterPath head;
    head.moveTo(4.2, 3.6);
    head.lineTo(6.6, 5.2);
    head.lineTo(3.8, 6.6);
    head.closeSubpath();
    painter.fillPath(head, color);
}

} // namespace symbol_detail
