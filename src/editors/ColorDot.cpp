#include "ColorDot.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <QPixmap>

namespace {

constexpr int kDotSize = 12;
// Strong enough to be seen against the list's base, faint enough not to change the
// colour the dot stands for.
constexpr qreal kRingOpacity = 0.45;

} // namespace

void paintColorDot(QPainter &painter, const QRectF &bounds, const QColor &fill, const QColor &text)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QColor ring = text;
    ring.setAlphaF(kRingOpacity);
    painter.setPen(QPen(ring, 1));
    painter.setBrush(fill);
    painter.drawEllipse(bounds.adjusted(0.5, 0.5, -0.5, -0.5));
    painter.restore();
}

QIcon colorDotIcon(const QColor &color)
{
    QPixmap dot(kDotSize, kDotSize);
    dot.fill(Qt::transparent);
    QPainter painter(&dot);
    paintColorDot(painter, QRectF(0, 0, kDotSize, kDotSize), color,
                  QGuiApplication::palette().color(QPalette::Text));
    return QIcon(dot);
}
