#include "CornerDiagram.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kInset = 14;
constexpr double kNumberOffset = 11;
constexpr int kNumberPixelSize = 11;
constexpr double kOutlineOpacity = 0.6;
constexpr double kSelectedDot = 5;
constexpr double kDot = 3;

QPointF centre()
{
    return {CornerDiagram::kWidth / 2.0, CornerDiagram::kHeight / 2.0};
}

double radius()
{
    return std::min(CornerDiagram::kWidth, CornerDiagram::kHeight) / 2.0 - kInset;
}

// The y axis points down, so growing angles turn clockwise on screen.
QPointF onCircle(int corner, double distance)
{
    const double angle = corner * std::numbers::pi / 3.0;
    return centre() + distance * QPointF(std::cos(angle), std::sin(angle));
}

} // namespace

CornerDiagram::CornerDiagram(QWidget *parent) : QWidget(parent)
{
    setFixedSize(kWidth, kHeight);
}

void CornerDiagram::setSelected(qint64 corner)
{
    if (corner == m_selected)
        return;
    m_selected = corner;
    update();
}

QPointF CornerDiagram::vertex(int corner)
{
    return onCircle(corner, radius());
}

QPointF CornerDiagram::numberCentre(int corner)
{
    return onCircle(corner, radius() + kNumberOffset);
}

void CornerDiagram::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor muted = palette().color(QPalette::PlaceholderText);
    const QColor accent = palette().color(QPalette::Highlight);

    QPainterPath hexagon;
    hexagon.moveTo(vertex(0));
    for (int k = 1; k < 6; ++k)
        hexagon.lineTo(vertex(k));
    hexagon.closeSubpath();
    QColor outline = muted;
    outline.setAlphaF(kOutlineOpacity);
    painter.setPen(QPen(outline, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(hexagon);

    QFont font = painter.font();
    font.setPixelSize(kNumberPixelSize);
    for (int i = 0; i < 6; ++i) {
        const bool chosen = i == m_selected;
        const QColor color = chosen ? accent : muted;
        const double dot = chosen ? kSelectedDot : kDot;
        painter.setPen(Qt::NoPen);
        painter.setBrush(color);
        painter.drawEllipse(vertex(i), dot, dot);
        font.setBold(chosen);
        painter.setFont(font);
        painter.setPen(color);
        const QPointF at = numberCentre(i);
        painter.drawText(QRectF(at.x() - kNumberPixelSize, at.y() - kNumberPixelSize, 2 * kNumberPixelSize,
                                2 * kNumberPixelSize),
                         Qt::AlignCenter, QString::number(i + 1));
    }
}
