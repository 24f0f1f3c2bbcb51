#include "ColorDot.h"

#include <QPainter>
#include <QPixmap>

namespace {

constexpr int kDotSize = 12;

} // namespace

QIcon colorDotIcon(const QColor &color)
{
    QPixmap dot(kDotSize, kDotSize);
    dot.fill(Qt::transparent);
    QPainter painter(&dot);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawEllipse(QRectF(0, 0, kDotSize, kDotSize));
    return QIcon(dot);
}
