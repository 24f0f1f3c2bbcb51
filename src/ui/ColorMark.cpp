#include "ColorMark.h"

#include "SymbolPainting.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>

namespace {

constexpr int kDotSize = 12;
// Strong enough to be seen against the list's base, faint enough not to change the
// colour the mark stands for.
constexpr qreal kRingOpacity = 0.45;

// Fills `shape` and rings it with a pen `ringWidth` wide (in the painter's units).
void paintRinged(QPainter &painter, const QPainterPath &shape, const QColor &fill, const QColor &text,
                 qreal ringWidth)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QColor ring = text;
    ring.setAlphaF(kRingOpacity);
    painter.setPen(QPen(ring, ringWidth));
    painter.setBrush(fill);
    painter.drawPath(shape);
    painter.restore();
}

QColor textColor()
{
    return QGuiApplication::palette().color(QPalette::Text);
}

// The icon of a mark in `color` ringed in the text colour, its 16-point box drawn once
// per size asked for (the box scaled to the size, so the ring stays one pixel wide),
// by `paint`, and kept under a key of `kind` and both colours.
template <typename Paint> QIcon ringedIcon(QLatin1StringView kind, const QColor &color, Paint paint)
{
    const QColor text = textColor();
    const QString key = QStringLiteral("vostrel-color-%1:%2:%3")
                            .arg(kind)
                            .arg(quint64(color.rgba64()), 0, 16)
                            .arg(quint64(text.rgba64()), 0, 16);
    return boxIcon([&](int size) {
        return boxPixmap(key, size, 1.0,
                         [&](QPainter &painter) { paint(painter, color, text, 16.0 / size); });
    });
}

} // namespace

void paintColorDot(QPainter &painter, const QRectF &bounds, const QColor &fill, const QColor &text,
                   qreal ringWidth)
{
    QPainterPath dot;
    const qreal half = ringWidth / 2;
    dot.addEllipse(bounds.adjusted(half, half, -half, -half));
    paintRinged(painter, dot, fill, text, ringWidth);
}

QIcon colorDotIcon(const QColor &color)
{
    // Pickers refill their entries whenever a faction changes: each dot is drawn once
    // per size.
    return ringedIcon(QLatin1StringView("dot"), color,
                      [](QPainter &painter, const QColor &fill, const QColor &text, qreal ringWidth) {
                          // The dot keeps its 12 points in the middle of the 16-point box, however many
                          // pixels the box has, so that a screen of pixel ratio 2 takes the picture of
                          // twice the size and shows the dot as sharp and as large.
                          const qreal inset = (16 - kDotSize) / 2.0;
                          painter.translate(inset, inset);
                          paintColorDot(painter, QRectF(0, 0, kDotSize, kDotSize), fill, text, ringWidth);
                      });
}

QIcon colorFlagIcon(const QColor &color)
{
    return ringedIcon(QLatin1StringView("flag"), color,
                      [](QPainter &painter, const QColor &fill, const QColor &text, qreal ringWidth) {
                          paintRinged(painter, flagShape(), fill, text, ringWidth);
                      });
}
