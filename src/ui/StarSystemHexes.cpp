#include "StarSystemHexes.h"

#include "SymbolPainting.h"

#include <QPainterPath>
#include <QRadialGradient>

#include <array>
#include <cmath>

namespace {

constexpr double kSqrt3 = 1.7320508075688772;

// The seven hexes (flat-topped, circumradius 1) as centre offsets: the middle one,
// then the ring clockwise from the top.
constexpr std::array<QPointF, 7> kHexCentres{{
    {0.0, 0.0},
    {0.0, -kSqrt3},
    {1.5, -kSqrt3 / 2},
    {1.5, kSqrt3 / 2},
    {0.0, kSqrt3},
    {-1.5, kSqrt3 / 2},
    {-1.5, -kSqrt3 / 2},
}};

// Worlds sit in every other ring hex, so that a turn of the icon is visible.
struct WorldMark
{
    int hex;
    double radius; // in hex radii
    QRgb colour;
};
constexpr std::array<WorldMark, 3> kWorlds{{
    {1, 0.22, 0xFF4FA3E0},
    {3, 0.30, 0xFFD98E4A},
    {5, 0.16, 0xFF9BD17A},
}};

// The seven hexes span 5 radii across and 3·√3 radii down; a little is added
// so that the outline is not clipped.
constexpr double kExtentInRadii = 3 * kSqrt3 + 0.2;

QPainterPath hexPath(QPointF centre, double radius)
{
    return radialPolygon(centre, 6, 0.0, radius, radius);
}

void paintStar(QPainter &painter, QPointF centre, double radius)
{
    QRadialGradient glow(centre, radius * 0.75);
    glow.setColorAt(0.0, QColor(255, 255, 240));
    glow.setColorAt(0.35, QColor(255, 230, 120));
    glow.setColorAt(0.7, QColor(255, 160, 40, 200));
    glow.setColorAt(1.0, QColor(255, 120, 20, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawEllipse(centre, radius * 0.75, radius * 0.75);
}

} // namespace

namespace StarSystemHexes {

void paint(QPainter &painter, const QRectF &bounds)
{
    const double side = std::min(bounds.width(), bounds.height());
    if (side <= 0)
        return;
    const double radius = side / kExtentInRadii;
    const QPointF centre = bounds.center();

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QPen outline(QColor(150, 210, 255), std::max(1.0, radius * 0.08));
    outline.setJoinStyle(Qt::RoundJoin);
    for (const QPointF &offset : kHexCentres) {
        const QPointF hexCentre = centre + offset * radius;
        QRadialGradient fill(hexCentre, radius);
        fill.setColorAt(0.0, QColor(38, 52, 96));
        fill.setColorAt(1.0, QColor(16, 22, 48));
        painter.setPen(outline);
        painter.setBrush(fill);
        painter.drawPath(hexPath(hexCentre, radius * 0.94));
    }
    for (const WorldMark &world : kWorlds) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor::fromRgba(world.colour));
        painter.drawEllipse(centre + kHexCentres[world.hex] * radius, radius * world.radius,
                            radius * world.radius);
    }
    paintStar(painter, centre, radius);
    painter.restore();
}

QImage image(int size)
{
    QImage result(std::max(size, 1), std::max(size, 1), QImage::Format_ARGB32_Premultiplied);
    result.fill(Qt::transparent);
    QPainter painter(&result);
    paint(painter, QRectF(0, 0, result.width(), result.height()));
    return result;
}

QIcon icon()
{
    QIcon result;
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        result.addPixmap(QPixmap::fromImage(image(size)));
    return result;
}

} // namespace StarSystemHexes
