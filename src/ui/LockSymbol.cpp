// The drawn form of the padlock that marks a setting which can no longer be changed.
// Like the other symbols it is drawn into a 16 × 16 box.
#include "Symbol.h"

#include "SymbolPainting.h"

#include <QPainter>
#include <QPainterPath>

namespace symbol_detail {

void paintLockFill(QPainter &painter, const QColor &color)
{
    QPainterPath shackle;
    shackle.moveTo(4.5, 8);
    shackle.lineTo(4.5, 5.5);
    shackle.arcTo(QRectF(4.5, 1.5, 7, 7), 180, -180);
    shackle.lineTo(11.5, 8);
    painter.strokePath(shackle, symbolPen(color, 1.6));
    QPainterPath body;
    body.addRoundedRect(QRectF(2.5, 7.5, 11, 7.5), 1.5, 1.5);
    painter.fillPath(body, color);
}

} // namespace symbol_detail
