#include "MapText.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>

namespace MapText {

namespace {

// Qt sizes fonts in points of 1/72 inch, the map in device-independent pixels; a
// whole-pixel size would make texts jump while zooming.
QFont sized(QFont font, double points, const QPainter &painter)
{
    const int dpi = painter.device() ? painter.device()->logicalDpiY() : 96;
    font.setPointSizeF(points * 72.0 / (dpi > 0 ? dpi : 96));
    return font;
}

} // namespace

QFont display(double points, const QPainter &painter)
{
    return sized(QFont(QStringLiteral("Nasalization")), points, painter);
}

QFont system(double points, const QPainter &painter, bool bold)
{
    QFont font = sized(QGuiApplication::font(), points, painter);
    font.setBold(bold);
    return font;
}

void drawCentred(QPainter &painter, const QPointF &centre, const QString &text)
{
    const QFontMetricsF metrics(painter.font(), painter.device());
    const double width = metrics.horizontalAdvance(text);
    painter.drawText(QPointF(centre.x() - width / 2, centre.y() - metrics.height() / 2 + metrics.ascent()),
                     text);
}

void drawFromTopLeft(QPainter &painter, const QPointF &topLeft, const QString &text)
{
    const QFontMetricsF metrics(painter.font(), painter.device());
    painter.drawText(QPointF(topLeft.x(), topLeft.y() + metrics.ascent()), text);
}

} // namespace MapText
