#include "FocusMark.h"

#include <QPainter>
#include <QPalette>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <QWidget>

namespace {

constexpr qreal kLightWidth = 1;
constexpr qreal kDarkWidth = kFocusMarkWidth - kLightWidth;
constexpr qreal kRadius = 4;
// Dark enough in any hue for white to stand more than 9:1 apart from it, so that every
// background contrasts with one of the two rings at least 3:1.
constexpr qreal kDarkLightness = 0.15;

// Strokes a rounded ring `width` wide along the inside of `bounds`, `inset` from them.
void strokeRing(QPainter &painter, const QRectF &bounds, qreal inset, qreal width, const QColor &color)
{
    const qreal middle = inset + width / 2;
    painter.setPen(QPen(color, width));
    painter.drawRoundedRect(bounds.adjusted(middle, middle, -middle, -middle), kRadius - inset,
                            kRadius - inset);
}

} // namespace

void paintFocusMark(QPainter &painter, const QRectF &bounds, const QPalette &palette)
{
    const QColor highlight = palette.color(QPalette::Highlight);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    // The white ring outside meets a dark background, the dark one inside a light face,
    // such as a button's.
    strokeRing(painter, bounds, 0, kLightWidth, Qt::white);
    strokeRing(painter, bounds, kLightWidth, kDarkWidth,
               QColor::fromHslF(highlight.hslHueF(), highlight.hslSaturationF(), kDarkLightness));
    painter.restore();
}

void paintFocusMark(QWidget &widget)
{
    if (!widget.hasFocus())
        return;
    QPainter painter(&widget);
    paintFocusMark(painter, widget.rect(), widget.palette());
}

void drawFocusFrame(QWidget &widget)
{
    if (!widget.hasFocus())
        return;
    QStylePainter painter(&widget);
    QStyleOptionFocusRect option;
    option.initFrom(&widget);
    option.backgroundColor = widget.palette().color(widget.backgroundRole());
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
}
