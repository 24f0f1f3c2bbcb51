#include "Symbol.h"

#include "SymbolPainting.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QPixmap>
#include <QPixmapCache>

#include <functional>

namespace {

void strokeCircle(QPainter &painter, const QColor &color, qreal width = 1.3)
{
    painter.setPen(symbolPen(color, width));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QPointF(8, 8), 7.0 - width / 2, 7.0 - width / 2);
}

// A character in a ring, at the size of the ring's caption letters.
void strokeCircledCharacter(QPainter &painter, const QColor &color, const QString &character)
{
    strokeCircle(painter, color);
    QFont font = painter.font();
    font.setPixelSize(10);
    painter.setFont(font);
    painter.setPen(color);
    painter.drawText(QRectF(0, -0.5, 16, 16), Qt::AlignCenter, character);
}

QPainterPath figurePath(qreal x, qreal top, qreal scale)
{
    QPainterPath body;
    auto at = [&](qreal dx, qreal dy) { return QPointF(x + dx * scale, top + dy * scale); };
    body.moveTo(at(0, 4.5));
    body.lineTo(at(0, 9.5));
    body.moveTo(at(-3, 8));
    body.lineTo(at(0, 5.2));
    body.lineTo(at(3, 8));
    body.moveTo(at(0, 9.5));
    body.lineTo(at(-2, 14.5));
    body.moveTo(at(0, 9.5));
    body.lineTo(at(2, 14.5));
    return body;
}

void paintFigure(QPainter &painter, const QColor &color, qreal x, qreal top, qreal scale)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawEllipse(QPointF(x, top + 2.2 * scale), 1.9 * scale, 1.9 * scale);
    painter.strokePath(figurePath(x, top, scale), symbolPen(color, 1.8 * scale));
}

} // namespace

namespace symbol_detail {

void paintPencilCircleFill(QPainter &painter, const QColor &color)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawEllipse(QPointF(8, 8), 7.5, 7.5);
    QPainterPath pencil;
    pencil.moveTo(4.2, 11.8);
    pencil.lineTo(4.8, 9.4);
    pencil.lineTo(10.2, 4.0);
    pencil.lineTo(12.0, 5.8);
    pencil.lineTo(6.6, 11.2);
    pencil.closeSubpath();
    punchOut(painter, pencil);
}

void paintCheckmark(QPainter &painter, const QColor &color)
{
    QPainterPath mark;
    mark.moveTo(3, 8.5);
    mark.lineTo(6.5, 12);
    mark.lineTo(13, 4.5);
    painter.strokePath(mark, symbolPen(color, 2.0));
}

void paintDiceFill(QPainter &painter, const QColor &color)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 3, 3);
    QPainterPath pips;
    for (const QPointF centre :
         {QPointF(5, 5), QPointF(11, 5), QPointF(8, 8), QPointF(5, 11), QPointF(11, 11)})
        pips.addEllipse(centre, 1.3, 1.3);
    punchOut(painter, pips);
}

void paintDeleteBackward(QPainter &painter, const QColor &color)
{
    QPainterPath outline;
    outline.moveTo(1.2, 8);
    outline.lineTo(5.2, 3);
    outline.lineTo(14.8, 3);
    outline.lineTo(14.8, 13);
    outline.lineTo(5.2, 13);
    outline.closeSubpath();
    painter.strokePath(outline, symbolPen(color, 1.3));
    QPainterPath cross;
    cross.moveTo(7.8, 5.8);
    cross.lineTo(12.2, 10.2);
    cross.moveTo(12.2, 5.8);
    cross.lineTo(7.8, 10.2);
    painter.strokePath(cross, symbolPen(color, 1.3));
}

void paintECircle(QPainter &painter, const QColor &color)
{
    strokeCircledCharacter(painter, color, QStringLiteral("e"));
}

void paintQuestionmarkCircle(QPainter &painter, const QColor &color)
{
    strokeCircledCharacter(painter, color, QStringLiteral("?"));
}

void paintChevronDownCircle(QPainter &painter, const QColor &color)
{
    strokeCircle(painter, color);
    QPainterPath chevron;
    chevron.moveTo(5, 6.8);
    chevron.lineTo(8, 9.8);
    chevron.lineTo(11, 6.8);
    painter.strokePath(chevron, symbolPen(color, 1.5));
}

void paintChevronForwardCircle(QPainter &painter, const QColor &color)
{
    strokeCircle(painter, color);
    QPainterPath chevron;
    chevron.moveTo(6.8, 5);
    chevron.lineTo(9.8, 8);
    chevron.lineTo(6.8, 11);
    painter.strokePath(chevron, symbolPen(color, 1.5));
}

void paintSmallcircleFillCircle(QPainter &painter, const QColor &color)
{
    strokeCircle(painter, color, 1.5);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawEllipse(QPointF(8, 8), 3, 3);
}

void paintFigureStand(QPainter &painter, const QColor &color)
{
    paintFigure(painter, color, 8, 0.5, 1.0);
}

void paintBuilding2Fill(QPainter &painter, const QColor &color)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawRect(QRectF(1.5, 6, 6, 9));
    painter.drawRect(QRectF(8.5, 1.5, 6, 13.5));
    QPainterPath windows;
    for (qreal y : {8.0, 11.0})
        windows.addRect(QRectF(3.2, y, 2.6, 1.6));
    for (qreal y : {3.5, 6.5, 9.5, 12.5})
        windows.addRect(QRectF(10.2, y, 2.6, 1.4));
    punchOut(painter, windows);
}

void paintFigureStandAndFigureTeen(QPainter &painter, const QColor &color)
{
    paintFigure(painter, color, 5, 0.5, 1.0);
    paintFigure(painter, color, 12, 4.0, 0.77);
}

void paintPersonTextRectangleFill(QPainter &painter, const QColor &color)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawRoundedRect(QRectF(0.8, 2.5, 14.4, 11), 2, 2);
    QPainterPath person;
    person.addEllipse(QPointF(4.8, 6.3), 1.6, 1.6);
    person.addRoundedRect(QRectF(2.4, 8.6, 4.8, 2.8), 1.2, 1.2);
    punchOut(painter, person);
    QPainterPath lines;
    lines.moveTo(9, 6);
    lines.lineTo(13, 6);
    lines.moveTo(9, 8);
    lines.lineTo(13, 8);
    lines.moveTo(9, 10);
    lines.lineTo(12, 10);
    clearStroke(painter, lines, 1.1);
}

void paintCubeTransparentFill(QPainter &painter, const QColor &color)
{
    QPainterPath cube;
    cube.moveTo(8, 1.5);
    cube.lineTo(14, 4.8);
    cube.lineTo(14, 11.2);
    cube.lineTo(8, 14.5);
    cube.lineTo(2, 11.2);
    cube.lineTo(2, 4.8);
    cube.closeSubpath();
    QColor fill = color;
    fill.setAlphaF(color.alphaF() * 0.35);
    painter.fillPath(cube, fill);
    painter.strokePath(cube, symbolPen(color, 1.2));
    QPainterPath inner;
    inner.moveTo(2, 4.8);
    inner.lineTo(8, 8);
    inner.lineTo(14, 4.8);
    inner.moveTo(8, 8);
    inner.lineTo(8, 14.5);
    painter.strokePath(inner, symbolPen(color, 1.2));
}

void paintScrollFill(QPainter &painter, const QColor &color)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawRoundedRect(QRectF(3, 1.5, 10, 12), 1.5, 1.5);
    painter.drawEllipse(QPointF(4, 13), 2.5, 2.5);
    painter.drawEllipse(QPointF(12, 3), 2.5, 2.5);
    QPainterPath lines;
    for (qreal y : {5.5, 8.0, 10.5}) {
        lines.moveTo(5.5, y);
        lines.lineTo(10.5, y);
    }
    clearStroke(painter, lines, 1.0);
}

void paintInsetFilledSquareDashedMicro(QPainter &painter, const QColor &color)
{
    QPen dashed = symbolPen(color, 1.2);
    dashed.setDashPattern({2.0, 1.6});
    painter.setPen(dashed);
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 2, 2);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawRoundedRect(QRectF(4.5, 4.5, 7, 7), 1.2, 1.2);
}

} // namespace symbol_detail

QPixmap boxPixmap(const QString &key, int size, qreal devicePixelRatio,
                  const std::function<void(QPainter &)> &paint)
{
    const QString sizedKey = QStringLiteral("%1:%2:%3").arg(key).arg(size).arg(devicePixelRatio, 0, 'g', 17);
    QPixmap pixmap;
    if (QPixmapCache::find(sizedKey, &pixmap))
        return pixmap;
    const int pixels = qMax(1, qRound(size * devicePixelRatio));
    pixmap = QPixmap(pixels, pixels);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(pixels / 16.0, pixels / 16.0);
    paint(painter);
    painter.end();
    pixmap.setDevicePixelRatio(devicePixelRatio);
    QPixmapCache::insert(sizedKey, pixmap);
    return pixmap;
}

QIcon boxIcon(const std::function<QPixmap(int size)> &pixmapOfSize)
{
    QIcon icon;
    for (int size : {12, 16, 24, 32})
        icon.addPixmap(pixmapOfSize(size));
    return icon;
}

QPixmap symbolPixmap(Symbol symbol, int size, const QColor &color, qreal devicePixelRatio)
{
    // The colour with its alpha at full precision, so that no two pictures share a key.
    const QString key =
        QStringLiteral("vostrel-symbol:%1:%2").arg(int(symbol)).arg(quint64(color.rgba64()), 0, 16);
    return boxPixmap(key, size, devicePixelRatio,
                     [symbol, &color](QPainter &painter) { enumRow(symbol).paint(painter, color); });
}

QIcon symbolIcon(Symbol symbol, const QColor &color)
{
    return boxIcon([symbol, &color](int size) { return symbolPixmap(symbol, size, color); });
}

QIcon symbolIcon(Symbol symbol)
{
    const char *themeName = enumRow(symbol).themeName;
    if (themeName[0] != '\0') {
        const QString name = QString::fromLatin1(themeName);
        if (QIcon::hasThemeIcon(name))
            return QIcon::fromTheme(name);
    }
    return symbolIcon(symbol, QGuiApplication::palette().color(QPalette::WindowText));
}
