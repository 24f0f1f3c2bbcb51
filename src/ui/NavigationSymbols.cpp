// Drawn forms of the symbols of the main window's sidebar, its universe menu and its
// empty detail column. Like the other symbols they are drawn into a 16 × 16 box.
#include "Symbol.h"

#include "SymbolPainting.h"

#include <QPainter>
#include <QPainterPath>

#include <array>
#include <cmath>
#include <numbers>

namespace {

// A star of `points` points around `centre`, its tips at `outer` and its notches at
// `inner`, the first tip straight up.
QPainterPath starPath(QPointF centre, qreal outer, qreal inner, int points)
{
    return radialPolygon(centre, points * 2, -std::numbers::pi / 2, outer, inner);
}

// A hexagon around `centre` with corners at `radius`; flat-topped or pointy-topped.
QPainterPath hexagonPath(QPointF centre, qreal radius, bool pointyTop)
{
    return radialPolygon(centre, 6, pointyTop ? -std::numbers::pi / 2 : 0.0, radius, radius);
}

QPainterPath chevron(QPointF a, QPointF tip, QPointF b)
{
    QPainterPath path;
    path.moveTo(a);
    path.lineTo(tip);
    path.lineTo(b);
    return path;
}

QPainterPath flagPath(qreal poleX, qreal top, qreal width, qreal height)
{
    QPainterPath flag;
    flag.moveTo(poleX, top);
    flag.cubicTo(poleX + width * 0.35, top - 1.2, poleX + width * 0.65, top + 1.2, poleX + width, top);
    flag.lineTo(poleX + width, top + height);
    flag.cubicTo(poleX + width * 0.65, top + height + 1.2, poleX + width * 0.35, top + height - 1.2, poleX,
                 top + height);
    flag.closeSubpath();
    return flag;
}

// The pole and the cloth of the flags with one cloth.
constexpr qreal kFlagPoleWidth = 1.5;

QPainterPath flagPole()
{
    QPainterPath pole;
    pole.moveTo(3, 1.5);
    pole.lineTo(3, 15);
    return pole;
}

QPainterPath flagCloth()
{
    return flagPath(3, 2.5, 10.5, 7);
}

} // namespace

QPainterPath flagShape()
{
    const QPainterPathStroker stroker(symbolPen(Qt::black, kFlagPoleWidth));
    return stroker.createStroke(flagPole()).united(flagCloth());
}

namespace symbol_detail {

void paintSparkles(QPainter &painter, const QColor &color)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawPath(starPath(QPointF(6.5, 9.5), 6.0, 1.6, 4));
    painter.drawPath(starPath(QPointF(12.5, 3.5), 3.2, 0.9, 4));
    painter.drawPath(starPath(QPointF(13, 11.5), 2.2, 0.7, 4));
}

void paintListStar(QPainter &painter, const QColor &color)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    for (qreal y : {3.5, 8.0, 12.5})
        painter.drawPath(starPath(QPointF(3, y), 2.6, 1.1, 5));
    QPainterPath lines;
    for (qreal y : {3.5, 8.0, 12.5}) {
        lines.moveTo(7, y);
        lines.lineTo(15, y);
    }
    painter.strokePath(lines, symbolPen(color, 1.4));
}

void paintHexagon(QPainter &painter, const QColor &color)
{
    painter.strokePath(hexagonPath(QPointF(8, 8), 6.8, true), symbolPen(color, 1.4));
}

void paintPointTopleftDownToPointBottomrightCurvepath(QPainter &painter, const QColor &color)
{
    QPen dashed = symbolPen(color, 1.3);
    dashed.setDashPattern({1.6, 1.6});
    QPainterPath curve;
    curve.moveTo(3, 3);
    curve.cubicTo(15, 3, 1, 13, 13, 13);
    painter.strokePath(curve, dashed);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawEllipse(QPointF(3, 3), 2.2, 2.2);
    painter.drawEllipse(QPointF(13, 13), 2.2, 2.2);
}

void paintCirclesHexagongridFill(QPainter &painter, const QColor &color)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawEllipse(QPointF(8, 8), 2.1, 2.1);
    for (int i = 0; i < 6; ++i) {
        const qreal angle = i * std::numbers::pi / 3;
        painter.drawEllipse(QPointF(8 + 5.2 * std::cos(angle), 8 + 5.2 * std::sin(angle)), 2.1, 2.1);
    }
}

void paintSkew(QPainter &painter, const QColor &color)
{
    QPainterPath shape;
    shape.moveTo(5, 3);
    shape.lineTo(15, 3);
    shape.lineTo(11, 13);
    shape.lineTo(1, 13);
    shape.closeSubpath();
    painter.strokePath(shape, symbolPen(color, 1.4));
}

void paintTextformat(QPainter &painter, const QColor &color)
{
    QFont font = painter.font();
    font.setPixelSize(11);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(color);
    painter.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, QStringLiteral("Aa"));
}

void paintSquareAndArrowDown(QPainter &painter, const QColor &color)
{
    QPainterPath tray;
    tray.moveTo(5, 6);
    tray.lineTo(2.5, 6);
    tray.lineTo(2.5, 14.5);
    tray.lineTo(13.5, 14.5);
    tray.lineTo(13.5, 6);
    tray.lineTo(11, 6);
    painter.strokePath(tray, symbolPen(color, 1.3));
    QPainterPath arrow;
    arrow.moveTo(8, 1.2);
    arrow.lineTo(8, 10.5);
    arrow.moveTo(5.2, 7.8);
    arrow.lineTo(8, 10.5);
    arrow.lineTo(10.8, 7.8);
    painter.strokePath(arrow, symbolPen(color, 1.4));
}

void paintFlag2Crossed(QPainter &painter, const QColor &color)
{
    // Two poles crossing, each with a flag at its top, flying outwards.
    const std::array<std::pair<QPointF, QPointF>, 2> poles{{
        {QPointF(3, 15), QPointF(12.5, 2.2)},
        {QPointF(13, 15), QPointF(3.5, 2.2)},
    }};
    painter.setBrush(color);
    for (const auto &[bottom, top] : poles) {
        QPainterPath pole;
        pole.moveTo(bottom);
        pole.lineTo(top);
        painter.strokePath(pole, symbolPen(color, 1.3));
        const QPointF along = (top - bottom) / std::hypot(top.x() - bottom.x(), top.y() - bottom.y());
        const QPointF outwards =
            top.x() > bottom.x() ? QPointF(-along.y(), along.x()) : QPointF(along.y(), -along.x());
        QPolygonF flag{top, top + outwards * 4.2, top + outwards * 4.2 - along * 4.2, top - along * 4.2};
        painter.setPen(Qt::NoPen);
        painter.drawPolygon(flag);
    }
}

void paintPlus(QPainter &painter, const QColor &color)
{
    QPainterPath cross;
    cross.moveTo(8, 2);
    cross.lineTo(8, 14);
    cross.moveTo(2, 8);
    cross.lineTo(14, 8);
    painter.strokePath(cross, symbolPen(color, 1.8));
}

void paintFlagFill(QPainter &painter, const QColor &color)
{
    painter.fillPath(flagShape(), color);
}

void paintFlagSlash(QPainter &painter, const QColor &color)
{
    // The flag in outline, struck through from its top-left to its foot: no flag.
    painter.strokePath(flagPole(), symbolPen(color, kFlagPoleWidth));
    painter.strokePath(flagCloth(), symbolPen(color, 1.3));
    QPainterPath slash;
    slash.moveTo(1.5, 1.5);
    slash.lineTo(14.5, 14.5);
    clearStroke(painter, slash, 3.6);
    painter.strokePath(slash, symbolPen(color, 1.5));
}

void paintChevronDown(QPainter &painter, const QColor &color)
{
    painter.strokePath(chevron(QPointF(3.5, 5.8), QPointF(8, 10.3), QPointF(12.5, 5.8)),
                       symbolPen(color, 1.8));
}

void paintChevronRight(QPainter &painter, const QColor &color)
{
    painter.strokePath(chevron(QPointF(5.8, 3.5), QPointF(10.3, 8), QPointF(5.8, 12.5)),
                       symbolPen(color, 1.8));
}

void paintStarSquareOnSquareFill(QPainter &painter, const QColor &color)
{
    QPainterPath back;
    back.moveTo(1.5, 11);
    back.lineTo(1.5, 3.5);
    back.quadTo(1.5, 1.5, 3.5, 1.5);
    back.lineTo(11, 1.5);
    painter.strokePath(back, symbolPen(color, 1.3));
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawRoundedRect(QRectF(4.5, 4.5, 11, 11), 2.2, 2.2);
    punchOut(painter, starPath(QPointF(10, 10.3), 3.8, 1.6, 5));
}

void paintChevronUpChevronDown(QPainter &painter, const QColor &color)
{
    QPainterPath marks = chevron(QPointF(4.5, 6), QPointF(8, 2.5), QPointF(11.5, 6));
    marks.addPath(chevron(QPointF(4.5, 10), QPointF(8, 13.5), QPointF(11.5, 10)));
    painter.strokePath(marks, symbolPen(color, 1.6));
}

void paintSidebarLeft(QPainter &painter, const QColor &color)
{
    painter.setPen(symbolPen(color, 1.3));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(1.2, 2.5, 13.6, 11), 2, 2);
    QPainterPath divider;
    divider.moveTo(6, 2.5);
    divider.lineTo(6, 13.5);
    divider.moveTo(2.8, 5.2);
    divider.lineTo(4.4, 5.2);
    divider.moveTo(2.8, 7.4);
    divider.lineTo(4.4, 7.4);
    painter.strokePath(divider, symbolPen(color, 1.1));
}

} // namespace symbol_detail
