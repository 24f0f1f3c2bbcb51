#include "StarGlyph.h"

#include "MapColors.h"

#include <QPainter>

#include <algorithm>

double StarGlyph::glyphFactor(LuminosityClass luminosity)
{
    static constexpr std::array<double, 8> factors{1.6, 1.45, 1.3, 1.15, 1.0, 0.85, 0.7, 0.45};
    return factors[static_cast<std::size_t>(luminosity)];
}

StarGlyph StarGlyph::of(const QList<Star> &stars)
{
    std::array<Disc, 3> largest;
    int count = 0;
    // A stable pick of the three largest: a star displaces only strictly smaller ones.
    for (const Star &star : stars) {
        const Disc disc{MapColors::spectral(star.spectralType), glyphFactor(star.luminosity)};
        int at = count;
        while (at > 0 && largest[at - 1].factor < disc.factor)
            --at;
        if (at >= 3)
            continue;
        for (int i = std::min(count, 2); i > at; --i)
            largest[i] = largest[i - 1];
        largest[at] = disc;
        count = std::min(count + 1, 3);
    }
    return {largest, count};
}

void StarGlyph::draw(QPainter &painter, const QPointF &centre, double scale, double hexRadius) const
{
    if (count == 0)
        return;
    std::array<QPointF, 3> positions{centre, centre, centre};
    if (count == 2) {
        const double d = 0.1 * hexRadius * scale;
        positions[0] += QPointF(-d, 0.5 * d);
        positions[1] += QPointF(d, -0.7 * d);
    } else if (count == 3) {
        const double e = 0.11 * hexRadius * scale;
        positions[0] += QPointF(0, 0.6 * e);
        positions[1] += QPointF(-e, -0.5 * e);
        positions[2] += QPointF(e, -0.5 * e);
    }
    const double unit = 0.22 * hexRadius * scale;
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        const double radius = unit * discs[i].factor;
        painter.setBrush(discs[i].color);
        painter.drawEllipse(positions[i], radius, radius);
    }
}
