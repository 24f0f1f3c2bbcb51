#include "ColorDot.h"

#include <QPainter>
#include <QPixmap>

namespace ColorDot {

QIcon icon(const QColor &color)
{
    QPixmap dot(kSize, kSize);
    dot.fill(Qt::transparent);
    QPainter painter(&dot);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawEllipse(QRectF(0, 0, kSize, kSize));
    return QIcon(dot);
}

} // namespace ColorDot
